#pragma once
// What the editor's tree has selected, and the table and field it stands
// for: the commands decide by it which pane to commit before they act.
#include "model/project.h"

namespace tess {

// 1 the database node (also when nothing is selected), 2 a table node,
// 3 a field node, 0 when there is no editor to ask.
int SelectedNodeKind();
// CurrentField when it has a name, otherwise none.
FieldPtr GetCurrentField();
// CurrentTable while a field node is selected, otherwise none.
TablePtr GetCurrentFieldTable();

// Commits the pane of the selected node's kind: UpdateDB, UpdateTable or
// UpdateField; nothing for kind 0.
void CommitVisiblePane();

} // namespace tess
