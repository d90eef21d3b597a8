#pragma once
// Stand-in until the windows foundation lands: the Generate windows and the
// two dialogs a flow test scripts.
#include "generator/run.h"

#include <QString>

namespace tess {

class frmGenerating;
class frmOutputFolder;

class CustomDialogs {
public:
    virtual ~CustomDialogs() = default;
    // Shows the output-folder dialog modally; its Folder (empty: cancelled).
    virtual QString chooseOutputFolder();
    // Shows the overwrite dialog; its tag, an all-answer stored in mode.
    virtual QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode);
};
CustomDialogs &customDialogs();
void setCustomDialogs(CustomDialogs *dialogs);

frmGenerating &generatingForm();
frmGenerating *loadedGeneratingForm();
frmOutputFolder &outputFolderForm();
frmOutputFolder *loadedOutputFolderForm();
void showHelp(const QString &tag);
void unloadGenerateForms();

} // namespace tess
