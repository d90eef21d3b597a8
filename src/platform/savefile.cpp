#include "platform/savefile.h"

#include "platform/runtimeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tess {

namespace {

int openErrorNumber(const QString &path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return Err::PathNotFound;
    if (info.isDir())
        return Err::PathFileAccess;
    return Err::PermissionDenied;
}

} // namespace

void saveWholeFile(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, a short write shows in write()'s count; through the
    // buffer it would be lost at commit without an error.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        raise(openErrorNumber(path));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        raise(Err::DeviceIO);
    }
    if (!file.commit())
        raise(Err::DeviceIO);
}

} // namespace tess
