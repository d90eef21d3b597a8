// Tables > Fields: New Field, Delete Field, Move Up and Move Down.
#include "app/commands.h"
#include "app/commits.h"
#include "app/forms.h"
#include "app/projectedits.h"
#include "editor/frmdb.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "platform/ui.h"

#include <QTreeWidgetItem>

namespace tess::commands {

namespace {

// Moves the selected field one place (-1 up, +1 down) and opens it there.
void moveSelectedField(int step)
{
    // A move is never started inside another.
    static bool moving = false;
    if (moving || !app().projectOpen() || !forms().isLoaded(Form::DB))
        return;
    frmDB &editor = forms().db();
    editor.focusTree();
    CommitVisiblePane();
    if (SelectedNodeKind() != 3)
        return;
    const FieldPtr field = GetCurrentField();
    const TablePtr table = GetCurrentFieldTable();
    if (!field || !table)
        return;
    const int position = fieldPosition(*table, field->Name);
    if (position == 0 || position + step < 1 || position + step > table->Fields.Count())
        return;
    moving = true;
    moveField(*table, position, step);
    UpdateProject();
    if (QTreeWidgetItem *node = editor.selectedNode()) {
        QTreeWidgetItem *parent = node->parent();
        const int at = parent ? parent->indexOfChild(node) + step : -1;
        if (parent && at >= 0 && at < parent->childCount())
            editor.TreeView1_NodeClick(parent->child(at));
    }
    moving = false;
}

} // namespace

void miFieldsDelete_Click()
{
    if (forms().isLoaded(Form::DB))
        forms().db().focusTree();
    miTablesDelete_Click();
}

void miFieldsFirstField_Click() { moveSelectedField(-1); }

void miFieldsLastField_Click() { moveSelectedField(+1); }

void miFieldsNew_Click()
{
    MyDB &db = *app().ProjectDB;
    if (db.DBName.isEmpty())
        return;
    frmDB &editor = forms().db();
    editor.focusTree();
    CommitVisiblePane();
    if (db.Tables.Count() == 0) {
        ui().messageBox(QStringLiteral("You can't create fields before creating a table first"), Mb::Exclamation);
        return;
    }
    QTreeWidgetItem *node = editor.selectedNode();
    // Without a selection there is no table to add to: as for the database.
    if (!node || node == editor.rootNode()) {
        ui().messageBox(QStringLiteral("Please select a table before creating a new field."), Mb::Exclamation);
        return;
    }
    QTreeWidgetItem *tableNode = node->parent() == editor.rootNode() ? node : node->parent();
    const int tableAt = tablePosition(db, tableNode->text(0));
    if (tableAt == 0)
        return;
    const FieldPtr field = addNewField(*db.Tables.Item(tableAt));
    app().ProjectSaved = false;
    QTreeWidgetItem *fieldNode = editor.addNode(tableNode, field->Name, 3);
    tableNode->setExpanded(true);
    editor.TreeView1_NodeClick(fieldNode);
    editor.startLabelEdit(fieldNode);
}

} // namespace tess::commands
