#include "converter/converterstartup.h"

#include "app/forms.h"
#include "converter/frmconverter.h"
#include "platform/qtapplication.h"
#include "platform/qtui.h"

namespace tess {

std::optional<int> startConverter(const QString &commandLine)
{
    frmConverter &form = forms().converter();
    if (!commandLine.isEmpty())
        return form.Form_Load(commandLine) ? 0 : 1;
    form.Form_Load(commandLine);
    form.show();
    return std::nullopt;
}

int runConverter(int argc, char **argv)
{
    Application application(argc, argv);
    QtUi services;
    setUi(&services);
    std::optional<int> status = startConverter(QCoreApplication::arguments().mid(1).join(u' '));
    if (!status)
        status = application.exec();
    forms().unloadAll();
    setUi(nullptr);
    return *status;
}

} // namespace tess
