#include "app/entrypoint.h"
#include "platform/qtapplication.h"

namespace tess {

EntryPoints &entryPoints()
{
    static EntryPoints points;
    return points;
}

bool runEntry(const QString &name, const std::function<void()> &command)
{
    return guarded([&] {
        emit entryPoints().started(name);
        command();
    });
}

} // namespace tess
