#include "platform/paths.h"

#include <QCoreApplication>

namespace tess {

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QStringLiteral(".");
}

} // namespace tess
