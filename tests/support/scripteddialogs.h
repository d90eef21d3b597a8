#pragma once
// The program's own modal dialogs for tests: each dialog is the real form,
// shown modeless, and a script acts in it (sets its controls, clicks its
// buttons). A dialog without a script gets its default button, like an
// unanswered message box.
#include "app/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace tess {

class frmConfirmOverwrite;
class frmOutputFolder;
class frmStart;

class ScriptedDialogs final : public Dialogs {
public:
    QStringList shown; // objectNames of the dialogs shown, in order

    // Acts in the start dialog; the default clicks "Ok".
    std::function<void(frmStart &)> onStart;

    // Acts in the output-folder dialog; the default clicks "Generate >>".
    // A dialog that the script leaves open is cancelled, as a user who
    // gives up would.
    std::function<void(frmOutputFolder &)> onOutputFolder;
    // Answers the folder dialog with these folders in turn (typed into its
    // text box, then "Generate >>"); an empty text clicks Cancel. Used when
    // onOutputFolder is not set.
    QStringList outputFolders;

    // The overwrite dialog's buttons to click, by objectName, one per
    // question; none left: Enter (skip this file).
    QStringList overwriteAnswers;
    // The questions asked, with their three label texts.
    QList<OverwriteQuestion> overwriteQuestions;
    // Acts in each overwrite dialog before the answer is clicked.
    std::function<void(frmConfirmOverwrite &)> onOverwrite;

    ScriptedDialogs() { setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(nullptr); }

    void showStart() override;
    void showAbout() override;
    QString chooseOutputFolder() override;
    QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode) override;
};

} // namespace tess
