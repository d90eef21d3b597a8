// The commits of the editor's panes into the model. Each finds its table
// and field through the tree's selected node, not through the current
// table and field, and does nothing while a pane is being filled.
#include "app/commits.h"
#include "app/forms.h"
#include "editor/frmdb.h"
#include "editor/panecommit.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "model/styles.h"

#include <QTreeWidgetItem>

namespace tess {

void UpdateDB()
{
    AppState &s = app();
    if (s.IsFillingPanes || !forms().isLoaded(Form::DB))
        return;
    frmDB &editor = forms().db();
    // A pane that shows no project (the tree is not built yet) holds
    // nothing to store.
    if (!editor.rootNode() || editor.visiblePane() != 1)
        return;
    // The name box is renamed through the tree's rules also when a command
    // commits without the box losing the focus.
    editor.commitDatabaseNameBox();
    MyDB &db = *s.ProjectDB;
    const bool load = applyDbPane(editor.dbPaneValues(), db);
    if (QTreeWidgetItem *root = editor.rootNode())
        root->setText(0, db.DBName);
    if (load)
        LoadStylesFile(db.StyleSheetFile);
    s.ProjectSaved = false;
}

void UpdateTable()
{
    AppState &s = app();
    if (s.IsFillingPanes || !forms().isLoaded(Form::DB))
        return;
    frmDB &editor = forms().db();
    if (s.ProjectDB->Tables.Count() == 0)
        return;
    if (const QTreeWidgetItem *node = editor.selectedNode())
        if (const TablePtr table = findTable(*s.ProjectDB, node->text(0)))
            applyTablePane(editor.tablePaneValues(), *table);
    s.ProjectSaved = false;
}

void UpdateField()
{
    AppState &s = app();
    if (s.IsFillingPanes || SelectedNodeKind() != 3)
        return;
    frmDB &editor = forms().db();
    QTreeWidgetItem *node = editor.selectedNode();
    if (!node || !node->parent())
        return;
    const TablePtr table = findTable(*s.ProjectDB, node->parent()->text(0));
    if (!table)
        return;
    const FieldPtr field = findField(*table, node->text(0));
    if (!field)
        return;
    applyFieldPane(editor.fieldPaneValues(), *table, *field);
    editor.setNodePicture(node, fieldPictureAfterCommit(*field, editor.parentTableChosen()));
    editor.setNodeHidden(node, field->pHidden);
    s.ProjectSaved = false;
}

} // namespace tess
