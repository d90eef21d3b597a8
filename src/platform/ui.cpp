#include "platform/ui.h"

namespace tess {

namespace {

// Used until the program or a test installs real services: never blocks.
class SilentUi final : public UiServices {
public:
    int messageBox(const QString &, int style, const QString &) override
    {
        switch (style & 7) {
        case Mb::OkCancel: return (style & Mb::DefaultButton2) ? Answer::Cancel : Answer::Ok;
        case Mb::YesNo:
        case Mb::YesNoCancel: return (style & Mb::DefaultButton2) ? Answer::No : Answer::Yes;
        case Mb::RetryCancel: return Answer::Cancel;
        default: return Answer::Ok;
        }
    }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override {}
};

SilentUi g_silent;
UiServices *g_ui = &g_silent;

} // namespace

UiServices &ui() { return *g_ui; }
void setUi(UiServices *services) { g_ui = services ? services : &g_silent; }

} // namespace tess
