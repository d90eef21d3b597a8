#include "app/dialogs.h"
#include "app/forms.h"
#include "app/frmabout.h"
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
};

RealDialogs g_real;
Dialogs *g_dialogs = &g_real;

} // namespace

Dialogs &dialogs() { return *g_dialogs; }
void setDialogs(Dialogs *dialogs) { g_dialogs = dialogs ? dialogs : &g_real; }

} // namespace tess
