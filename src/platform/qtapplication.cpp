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
    } catch (const RuntimeError &e) {
        ui().messageBox(e.message(), Mb::Exclamation);
    } catch (const std::bad_alloc &) {
        ui().messageBox(RuntimeError(Err::OutOfMemory).message(), Mb::Exclamation);
    } catch (const std::exception &e) {
        ui().messageBox(QStringLiteral("Error: ") + QString::fromLocal8Bit(e.what()), Mb::Exclamation);
    }
    return false;
}

} // namespace tess
