// Project > Properties and Styles, Tables > New Table and Delete Table:
// the model changes of projectedits.h, shown node by node in the editor's
// tree.
#include "app/commands.h"
#include "app/forms.h"
#include "app/frmstyles.h"
#include "app/generatesequence.h"
#include "app/projectedits.h"
#include "editor/frmdb.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "platform/ui.h"

#include <QTreeWidgetItem>

namespace tess::commands {

namespace {

bool confirmed(const QString &question)
{
    return ui().messageBox(question, Mb::YesNo | Mb::Exclamation | Mb::DefaultButton2) == Answer::Yes;
}

} // namespace

void miProjectProperties_Click()
{
    if (!app().projectOpen())
        return;
    CommitVisiblePane();
    frmDB &editor = forms().db();
    editor.TreeView1_NodeClick(editor.rootNode());
}

void miProjectStyles_Click()
{
    if (!app().projectOpen())
        return;
    frmStyles &styles = forms().styles();
    styles.show();
    styles.setWindowState(styles.windowState() & ~Qt::WindowMinimized);
    styles.raise();
    styles.StylesDisplay();
}

void miTablesDelete_Click()
{
    // A Generate run is writing from these tables.
    if (!app().projectOpen() || generationRunning() || !forms().isLoaded(Form::DB))
        return;
    frmDB &editor = forms().db();
    editor.focusTree();
    QTreeWidgetItem *node = editor.selectedNode();
    if (!node || node == editor.rootNode())
        return;
    MyDB &db = *app().ProjectDB;

    if (node->parent() == editor.rootNode()) {
        const QString name = node->text(0);
        const int position = tablePosition(db, name);
        if (position == 0)
            return;
        if (!confirmed(QStringLiteral("Are you sure you want to delete the table '") + name
                       + QStringLiteral("' and ALL its fields?")))
            return;
        deleteTable(db, position);
        editor.removeNode(node);
        editor.TreeView1_NodeClick(editor.rootNode());
        editor.setTableCount(db.Tables.Count());
        app().ProjectSaved = false;
        return;
    }

    QTreeWidgetItem *tableNode = node->parent();
    const int tableAt = tablePosition(db, tableNode->text(0));
    if (tableAt == 0)
        return;
    MyTable &table = *db.Tables.Item(tableAt);
    const int position = fieldPosition(table, node->text(0));
    if (position == 0)
        return;
    if (!confirmed(QStringLiteral("Are you sure you want to delete the field '") + table.Name + u'.' + node->text(0)
                   + QStringLiteral("'?")))
        return;
    deleteField(table, position);
    editor.removeNode(node);
    editor.TreeView1_NodeClick(tableNode);
    app().ProjectSaved = false;
}

void miTablesNew_Click()
{
    if (!app().projectOpen())
        return;
    frmDB &editor = forms().db();
    editor.focusTree();
    CommitVisiblePane();
    MyDB &db = *app().ProjectDB;
    const TablePtr table = addNewTable(db);
    editor.setTableCount(db.Tables.Count());
    QTreeWidgetItem *node = editor.addNode(editor.rootNode(), table->Name, 2);
    app().ProjectSaved = false;
    editor.TreeView1_NodeClick(node);
    editor.startLabelEdit(node);
}

} // namespace tess::commands
