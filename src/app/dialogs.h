#pragma once
// The program's own modal dialogs, behind one small interface: the real
// dialogs by default, scripted ones in tests (tests/support), so that a
// flow test can answer every one of them. Windows never exec() another
// form themselves; they ask dialogs().
#include "generator/run.h"

#include <QString>

namespace tess {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The start dialog, modal. Returns once the dialog has hidden itself
    // and the command it ran (help, New or open) has returned.
    virtual void showStart() = 0;
    // The About box, modal; returns when it has been closed.
    virtual void showAbout() = 0;
    // The output-folder dialog, modal; returns its Folder (empty: cancelled).
    virtual QString chooseOutputFolder() = 0;
    // The overwrite question, modal; returns the answer ("1" overwrite, "0"
    // skip) and stores an all-answer in overwriteMode.
    virtual QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode) = 0;
};

Dialogs &dialogs();
// Installs dialogs (not owned); nullptr restores the real ones.
void setDialogs(Dialogs *dialogs);

} // namespace tess
