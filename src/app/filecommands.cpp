// File > New, Open, Save and Save As: the one project is reset in place,
// read from or written to an XML project file.
#include "app/commands.h"
#include "app/commits.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "app/frmpleasewait.h"
#include "converter/projectwriter.h"
#include "editor/frmdb.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "model/openproject.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QApplication>
#include <QMdiSubWindow>

namespace tess::commands {

namespace {

const QString kProjectFilter = QStringLiteral("Tessaron XML Project (*.tzx) | *.tzx");
constexpr int kFileMustExist = 0x1000;
constexpr int kNoReadOnlyReturn = 0x8000;
constexpr int kSaveFlags = 0x8806;

void setEditorVisible(bool visible)
{
    if (!visible && !forms().isLoaded(Form::DB))
        return;
    frmDB &editor = forms().db();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(editor.parentWidget()))
        sub->setVisible(visible);
    editor.setVisible(visible);
}

// Writes the project; a failure is shown and changes nothing, neither the
// file already there nor the project's file name and saved flag.
void saveTo(const QString &path)
{
    try {
        WriteXmlProject(path, *app().ProjectDB);
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e), Mb::Exclamation);
        return;
    }
    app().FileName = path;
    app().ProjectSaved = true;
    if (forms().isLoaded(Form::DB))
        forms().db().showCaption();
}

// While the file is read: the notice on screen, the main window taking no
// input, the busy pointer. Afterwards the main window has its default
// pointer again, which also ends what's-this mode.
class ReadingNotice {
public:
    ReadingNotice()
    {
        forms().pleaseWait().show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (forms().isLoaded(Form::Main))
            forms().main().setEnabled(false);
        ui().processEvents();
    }
    ~ReadingNotice()
    {
        forms().unload(Form::PleaseWait);
        if (forms().isLoaded(Form::Main)) {
            forms().main().setEnabled(true);
            forms().main().resetMousePointer();
        }
        QApplication::restoreOverrideCursor();
    }
};

} // namespace

void miFileNew_Click()
{
    if (app().projectOpen() && !app().ProjectSaved
        && ui().messageBox(QStringLiteral("Are you sure you want to create a new project?\r\nAny unsaved data will be lost!"),
                           Mb::OkCancel | Mb::Exclamation)
            != Answer::Ok)
        return;
    ClearProject();
    // A later Save must not write the new project over the file opened before.
    app().FileName.clear();
    UpdateProject();
    app().ProjectSaved = false;
    setEditorVisible(true);
}

void miFileOpenXML_Click()
{
    QString path;
    if (!app().CommandLine.isEmpty()) {
        path = app().CommandLine;
        app().CommandLine.clear();
    } else {
        FileDialogRequest request;
        request.filter = kProjectFilter;
        request.title = QStringLiteral("Open Tessaron Project");
        request.flags = kFileMustExist | kNoReadOnlyReturn;
        path = ui().openFileName(request);
    }
    if (path.isEmpty())
        return;

    if (app().projectOpen()) {
        bool cancel = false;
        if (forms().isLoaded(Form::DB))
            forms().db().Form_Unload(cancel);
        if (cancel)
            return;
        forms().unload(Form::DB);
        app().ProjectDB->DBName.clear();
        app().FileName.clear();
    }

    {
        ReadingNotice notice;
        OpenProjectFile(path);
        UpdateProject();
    }
    setEditorVisible(app().projectOpen());
    if (!app().projectOpen())
        forms().unload(Form::DB);
    app().ProjectSaved = true;
}

void miFileSaveXML_Click()
{
    if (!app().projectOpen())
        return;
    // What the visible pane holds is saved too.
    CommitVisiblePane();
    if (app().FileName.isEmpty()) {
        miFileSaveXMLAs_Click();
        return;
    }
    saveTo(app().FileName);
}

void miFileSaveXMLAs_Click()
{
    if (!app().projectOpen())
        return;
    CommitVisiblePane();
    FileDialogRequest request;
    request.filter = kProjectFilter;
    request.title = QStringLiteral("Save Tessaron Project");
    request.flags = kSaveFlags;
    request.defaultExt = QStringLiteral("tzx");
    request.fileName = app().FileName.isEmpty() ? app().ProjectDB->DBName + QStringLiteral(".tzx") : app().FileName;
    const QString path = ui().saveFileName(request);
    if (!path.isEmpty())
        saveTo(path);
}

} // namespace tess::commands
