#include "app/forms.h"

#include "app/frmconfirmoverwrite.h"
#include "app/frmgenerating.h"
#include "app/frmoutputfolder.h"
#include "model/frmstyles.h"

#include <QApplication>
#include <QPointer>

namespace tess {

namespace {
CustomDialogs defaults;
CustomDialogs *installed = &defaults;
QPointer<frmGenerating> generating;
QPointer<frmOutputFolder> folderForm;
} // namespace

QString CustomDialogs::chooseOutputFolder()
{
    frmOutputFolder &f = outputFolderForm();
    f.exec();
    return f.Folder;
}

QString CustomDialogs::askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode)
{
    return frmConfirmOverwrite::ask(question, overwriteMode, loadedGeneratingForm());
}

CustomDialogs &customDialogs() { return *installed; }
void setCustomDialogs(CustomDialogs *dialogs) { installed = dialogs ? dialogs : &defaults; }

frmGenerating &generatingForm()
{
    if (!generating)
        generating = new frmGenerating;
    return *generating;
}
frmGenerating *loadedGeneratingForm() { return generating; }

frmOutputFolder &outputFolderForm()
{
    if (!folderForm)
        folderForm = new frmOutputFolder;
    return *folderForm;
}
frmOutputFolder *loadedOutputFolderForm() { return folderForm; }


void showHelp(const QString &tag) { frmStyles::showHelpTopic(tag); }

void unloadGenerateForms()
{
    delete generating.data();
    delete folderForm.data();
}

} // namespace tess
