#include "support/scripteddialogs.h"
#include "app/forms.h"
#include "app/frmabout.h"
#include "app/frmstart.h"

#include <QPushButton>

namespace tess {

void ScriptedDialogs::showStart()
{
    shown << QStringLiteral("frmStart");
    frmStart &start = forms().start();
    start.setModal(false);
    start.show();
    if (onStart)
        onStart(start);
    else
        start.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
}

void ScriptedDialogs::showAbout()
{
    shown << QStringLiteral("frmAbout");
    frmAbout &about = forms().about();
    about.setModal(false);
    about.show();
}

} // namespace tess
