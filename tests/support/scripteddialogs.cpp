#include "support/scripteddialogs.h"
#include "app/forms.h"
#include "app/frmabout.h"
#include "app/frmconfirmoverwrite.h"
#include "app/frmoutputfolder.h"
#include "app/frmstart.h"

#include <QLineEdit>
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

QString ScriptedDialogs::chooseOutputFolder()
{
    shown << QStringLiteral("frmOutputFolder");
    frmOutputFolder &dialog = forms().outputFolder();
    dialog.setModal(false);
    dialog.show();
    if (onOutputFolder) {
        onOutputFolder(dialog);
    } else if (!outputFolders.isEmpty()) {
        const QString folder = outputFolders.takeFirst();
        if (folder.isEmpty()) {
            dialog.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        } else {
            dialog.findChild<QLineEdit *>(QStringLiteral("txtOutputFolder"))->setText(folder);
            dialog.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        }
    } else {
        dialog.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
    }
    if (dialog.isVisible())
        dialog.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    return dialog.Folder;
}

QString ScriptedDialogs::askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode)
{
    shown << QStringLiteral("frmConfirmOverwrite");
    overwriteQuestions << question;
    frmConfirmOverwrite &dialog = forms().confirmOverwrite();
    dialog.setQuestion(question);
    dialog.setModal(false);
    dialog.show();
    if (onOverwrite)
        onOverwrite(dialog);
    const QString button = overwriteAnswers.isEmpty() ? QStringLiteral("cmdSkip") : overwriteAnswers.takeFirst();
    dialog.findChild<QPushButton *>(button)->click();
    const QString tag = dialog.answer(overwriteMode);
    forms().unload(Form::ConfirmOverwrite);
    return tag;
}

} // namespace tess
