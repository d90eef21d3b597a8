#include "app/generatecommand.h"

#include "app/forms.h"
#include "app/frmgenerating.h"
#include "app/generatesequence.h"

#include <QApplication>

namespace tess {

namespace {

class WindowsFrontEnd final : public GenerateFrontEnd {
public:
    GenerationHost &openLog() override
    {
        frmGenerating &log = generatingForm();
        log.show();
        log.raise();
        log.clearLog();
        return log;
    }
    void setLogChecking(bool checking) override { generatingForm().setChecking(checking); }
    bool commitPane() override { return true; }
    QString chooseOutputFolder() override { return customDialogs().chooseOutputFolder(); }
    void setBusy(bool busy) override
    {
        generatingForm().setBusy(busy);
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
};

} // namespace

void GenerateCommand()
{
    WindowsFrontEnd frontEnd;
    RunGenerate(frontEnd);
}

} // namespace tess
