#include "platform/qtapplication.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <functional>

#include <malloc.h>

namespace tess {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // Generate builds each file's text in buffers of tens of kilobytes and
    // frees them once the file is written. With the allocator's default the
    // freed top of the heap went back to the system after nearly every file
    // and was fetched and faulted in afresh for the next one; with the
    // windows' own memory beside it, Generate from the menu spent more time
    // so than generating. Freed memory up to this much is kept for reuse.
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

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
