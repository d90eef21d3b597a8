// The tree rebuild: the editor shows the project as the model holds it,
// and the menus and toolbar follow whether a project is open.
#include "app/commits.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "editor/frmdb.h"
#include "model/appstate.h"

namespace tess {

void UpdateProject()
{
    AppState &s = app();
    frmMain &main = forms().main();
    if (!s.projectOpen()) {
        if (frmDB *editor = static_cast<frmDB *>(forms().loaded(Form::DB))) {
            // The editor's own closing finds no project and asks nothing.
            bool cancel = false;
            editor->Form_Unload(cancel);
            forms().unload(Form::DB);
        }
        main.setProjectMenusEnabled(false);
        main.setProjectButtonsVisible(false);
        return;
    }
    main.setProjectMenusEnabled(true);
    main.setProjectButtonsVisible(true);
    frmDB &editor = forms().db();
    editor.show();
    editor.showProject();
    s.ProjectSaved = false;
}

} // namespace tess
