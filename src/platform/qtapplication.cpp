#include "platform/qtapplication.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <functional>

namespace tess {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

bool guarded(const std::function<void()> &fn)
{
    try {
        fn();
        return true;
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e), Mb::Exclamation);
    }
    return false;
}

} // namespace tess
