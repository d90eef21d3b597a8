#pragma once
// Putting files into an output folder so that a failed write never costs
// the file that stood there: an existing file is replaced through a new
// file beside it, which is renamed over it only once it is complete; where
// nothing stood, the file is created in place and removed again when the
// write fails. None of these throws; false means nothing was changed.
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <sys/stat.h>

namespace tess {

// A regular file as the overwrite question shows it.
struct FileFacts {
    qint64 size = 0;
    QDateTime modified;
};

// What one status call found at an output path. A symbolic link stands for
// the file it points to: that file is the one replaced, not the link.
struct OutputTarget {
    enum Kind { Absent, Regular, Other };
    QString path;      // the path looked at, or the file a link points to
    QByteArray local;  // path, encoded for the file system
    Kind kind = Absent;
    struct stat status {};

    // The facts of a Regular target.
    FileFacts facts() const;
    // Whether the regular file at path is this Regular target itself,
    // reached by another name.
    bool sameFileAs(const QString &path) const;
};

OutputTarget inspectOutput(const QString &path);

// The regular file at path (a symbolic link counts as its file); none when
// no regular file is there.
std::optional<FileFacts> regularFileFacts(const QString &path);

// Puts the bytes at an inspected target. A target without any write bit is
// refused, for every user: the owner marked it as not to be replaced. A
// replaced file keeps its permission bits.
bool storeFile(const OutputTarget &target, const QByteArray &bytes);

// Stores the bytes of the regular file at source at the target, with the
// source's modification time.
bool copyFile(const QString &source, const OutputTarget &target);

} // namespace tess
