#pragma once
// Reading a file whole, where only a regular file will do.
#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace tess {

// Reads the regular file at path into bytes; status, when given, receives
// what the open file's status said. False when the path cannot be opened,
// names anything but a regular file (a folder, FIFO, device or socket;
// these are turned away without waiting), cannot be read as far as its
// size said when opened, or does not fit in memory. Never throws.
bool readRegularFile(const QString &path, QByteArray &bytes, struct stat *status = nullptr);

} // namespace tess
