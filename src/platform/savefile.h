#pragma once
#include <QByteArray>
#include <QString>

namespace tess {

// Writes the bytes to path through a new file that replaces the old one
// only once it is complete, so a failed or interrupted save leaves the
// previous file as it was. Failures raise tess::RuntimeError: 76 when the
// folder is missing, 75 for a folder in the way, 70 when the file cannot be
// opened, 57 when writing fails.
void saveWholeFile(const QString &path, const QByteArray &bytes);

} // namespace tess
