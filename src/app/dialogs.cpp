#include "app/dialogs.h"
#include "app/forms.h"
#include "app/frmabout.h"
#include "app/frmconfirmoverwrite.h"
#include "app/frmoutputfolder.h"
#include "app/frmstart.h"

namespace tess {

namespace {

class RealDialogs final : public Dialogs {
public:
    void showStart() override { forms().start().exec(); }
    void showAbout() override
    {
        forms().about().exec();
        forms().unload(Form::About);
    }
    // Hidden, not unloaded: it keeps its folder for the next run.
    QString chooseOutputFolder() override
    {
        frmOutputFolder &dialog = forms().outputFolder();
        dialog.exec();
        return dialog.Folder;
    }
    // Loaded afresh for each question.
    QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode) override
    {
        frmConfirmOverwrite &dialog = forms().confirmOverwrite();
        dialog.setQuestion(question);
        dialog.exec();
        const QString tag = dialog.answer(overwriteMode);
        forms().unload(Form::ConfirmOverwrite);
        return tag;
    }
};

RealDialogs g_real;
Dialogs *g_dialogs = &g_real;

} // namespace

Dialogs &dialogs() { return *g_dialogs; }
void setDialogs(Dialogs *dialogs) { g_dialogs = dialogs ? dialogs : &g_real; }

} // namespace tess
