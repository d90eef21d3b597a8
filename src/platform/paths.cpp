#include "platform/paths.h"

#include <QCoreApplication>

namespace tess {

namespace {
QString &folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

void setProgramFolder(const QString &folder) { folderOverride() = folder; }

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QStringLiteral(".");
}

} // namespace tess
