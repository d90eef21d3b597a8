#include "app/startup.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "editor/frmdb.h"
#include "platform/qtapplication.h"
#include "platform/qtui.h"

namespace tess {

void startProgram(const QString &commandLine)
{
    guarded([&] {
        // The editor is the program's first window; it lives inside the
        // main window, whose start-up runs to its end first.
        forms().main().MDIForm_Load(commandLine);
        forms().db().show();
    });
}

int runTessaron(int argc, char **argv)
{
    Application application(argc, argv);
    QtUi services;
    setUi(&services);
    startProgram(QCoreApplication::arguments().mid(1).join(u' '));
    const int result = application.exec();
    forms().unloadAll();
    setUi(nullptr);
    return result;
}

} // namespace tess
