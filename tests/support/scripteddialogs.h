#pragma once
// The program's own modal dialogs for tests: each dialog is the real form,
// shown modeless, and a script acts in it (sets its controls, clicks its
// buttons). A dialog without a script gets its default button, like an
// unanswered message box.
#include "app/dialogs.h"

#include <QStringList>
#include <functional>

namespace tess {

class frmStart;

class ScriptedDialogs final : public Dialogs {
public:
    QStringList shown; // objectNames of the dialogs shown, in order

    // Acts in the start dialog; the default clicks "Ok".
    std::function<void(frmStart &)> onStart;

    ScriptedDialogs() { setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(nullptr); }

    void showStart() override;
    void showAbout() override;
};

} // namespace tess
