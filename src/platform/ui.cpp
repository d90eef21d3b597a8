#include "platform/ui.h"

namespace tess {

namespace {

// Used until the program or a test installs real services: never blocks.
class SilentUi final : public UiServices {
public:
    int messageBox(const QString &, int style, const QString &) override
    {
        // Nobody can answer: a retry would only come back here.
        if ((style & 7) == Mb::RetryCancel)
            return Answer::Cancel;
        return defaultAnswer(style);
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

int defaultAnswer(int style)
{
    // A default button the box does not have falls back to the first one.
    static const int buttons[6][3] = {
        {Answer::Ok, Answer::Ok, Answer::Ok},
        {Answer::Ok, Answer::Cancel, Answer::Ok},
        {Answer::Abort, Answer::Retry, Answer::Ignore},
        {Answer::Yes, Answer::No, Answer::Cancel},
        {Answer::Yes, Answer::No, Answer::Yes},
        {Answer::Retry, Answer::Cancel, Answer::Retry},
    };
    const int set = style & 7;
    if (set > Mb::RetryCancel)
        return Answer::Ok;
    const int which = (style & Mb::DefaultButton3) ? 2 : (style & Mb::DefaultButton2) ? 1 : 0;
    return buttons[set][which];
}

UiServices &ui() { return *g_ui; }
void setUi(UiServices *services) { g_ui = services ? services : &g_silent; }

} // namespace tess
