#pragma once
// The commits between the editor and the model: UpdateProject rebuilds the
// editor's tree from the model (and enables the Tables and Project menus
// when a project is open, through frmMain::setProjectMenusEnabled);
// UpdateDB, UpdateTable and UpdateField copy the visible pane into the
// model and do nothing while app().IsFillingPanes is set.
// CommitVisiblePane (editor/selection.h) runs the one of the selected
// node's kind.
namespace tess {

void UpdateProject();
void UpdateDB();
void UpdateTable();
void UpdateField();

} // namespace tess
