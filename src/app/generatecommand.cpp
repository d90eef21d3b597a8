// Project > Generate over the real windows: the log window is the run's
// host, the dialogs come through dialogs() so that tests can answer them.
#include "app/commands.h"
#include "app/dialogs.h"
#include "app/forms.h"
#include "app/frmgenerating.h"
#include "app/frmmain.h"
#include "app/generatesequence.h"
#include "editor/selection.h"

#include <QApplication>

namespace tess::commands {

namespace {

class WindowsFrontEnd final : public GenerateFrontEnd {
public:
    GenerationHost &openLog() override
    {
        frmGenerating &log = forms().generating();
        log.show();
        log.raise();
        log.clearLog();
        return log;
    }
    void setLogChecking(bool checking) override { forms().generating().setChecking(checking); }
    // The pane on screen, once: an error in it ends the run with its one
    // message.
    bool commitPane() override
    {
        CommitVisiblePane();
        return true;
    }
    QString chooseOutputFolder() override { return dialogs().chooseOutputFolder(); }
    // After the run the main window has its default pointer again, which
    // also ends what's-this mode.
    void setBusy(bool busy) override
    {
        forms().generating().setBusy(busy);
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
            forms().main().resetMousePointer();
        }
    }
};

} // namespace

void miProjectGenerate_Click()
{
    WindowsFrontEnd frontEnd;
    RunGenerate(frontEnd);
    if (forms().isLoaded(Form::Generating))
        forms().generating().flushView();
}

} // namespace tess::commands
