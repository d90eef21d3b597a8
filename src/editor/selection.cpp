#include "editor/selection.h"
#include "app/commits.h"
#include "app/forms.h"
#include "editor/frmdb.h"
#include "model/appstate.h"

#include <QTreeWidgetItem>

namespace tess {

int SelectedNodeKind()
{
    if (!forms().isLoaded(Form::DB))
        return 0;
    const frmDB &editor = forms().db();
    const QTreeWidgetItem *node = editor.selectedNode();
    if (!node || node == editor.rootNode())
        return 1;
    if (node->parent() == editor.rootNode())
        return 2;
    return 3;
}

FieldPtr GetCurrentField()
{
    const FieldPtr &f = app().CurrentField;
    return f && !f->Name.isEmpty() ? f : FieldPtr();
}

TablePtr GetCurrentFieldTable()
{
    return SelectedNodeKind() == 3 ? app().CurrentTable : TablePtr();
}

void CommitVisiblePane()
{
    switch (SelectedNodeKind()) {
    case 1: UpdateDB(); break;
    case 2: UpdateTable(); break;
    case 3: UpdateField(); break;
    default: break;
    }
}

} // namespace tess
