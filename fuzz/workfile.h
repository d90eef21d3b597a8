#pragma once
// The readers take a path: each input goes to a file of its own in a
// folder that lives as long as the fuzzer, in memory where there is room
// (the writer syncs what it saves to disk).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace tess::fuzz {

inline QString workFile(const char *name)
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/tessaron-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tessaron-fuzz-XXXXXX"));
    if (!dir.isValid())
        std::abort();
    return dir.filePath(QString::fromLatin1(name));
}

inline QString inputFile(const char *name, const uint8_t *data, size_t size)
{
    const QString path = workFile(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}

} // namespace tess::fuzz
