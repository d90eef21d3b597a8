#include "platform/outputfile.h"

#include "platform/paths.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tess {

namespace {

QByteArray localPath(const QString &path) { return QFile::encodeName(path); }

// A regular file is there (a symbolic link to one counts).
bool statRegular(const QString &path, struct stat &st)
{
    return ::stat(localPath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QDateTime modificationTime(const struct stat &st)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000);
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Writes the bytes to an open file, sets the mode (when given) and the
// modification time (when given), and closes it.
bool fillAndClose(int fd, const QByteArray &bytes, const mode_t *mode, const struct timespec *mtime)
{
    bool ok = writeAll(fd, bytes.constData(), bytes.size());
    if (ok && mode)
        ok = ::fchmod(fd, *mode) == 0;
    if (ok && mtime) {
        struct timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1] = *mtime;
        ok = ::futimens(fd, times) == 0;
    }
    if (::close(fd) != 0)
        ok = false;
    return ok;
}

// Writes bytes to a fresh file beside the target and renames it over the
// target, so that a write that fails half-way never leaves an emptied or
// truncated file behind. mtime, when given, becomes the new file's
// modification time.
bool replaceFile(const OutputTarget &target, const QByteArray &bytes, const struct timespec *mtime)
{
    const bool existing = target.kind == OutputTarget::Regular;
    if (target.kind == OutputTarget::Other)
        return false;
    if (existing && (target.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;

    const QFileInfo info(target.path);
    const QString folder = info.path();
    const QString stem = QStringLiteral(".") + info.fileName() + QStringLiteral(".tmp");
    static unsigned counter = 0;
    static const pid_t pid = ::getpid();
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = localPath(joinPath(folder, stem + QString::number(pid) + u'-' + QString::number(++counter)));
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    const mode_t mode = target.status.st_mode & 07777;
    bool ok = fillAndClose(fd, bytes, existing ? &mode : nullptr, mtime);
    if (ok)
        ok = ::rename(tempName.constData(), target.local.constData()) == 0;
    if (!ok)
        ::unlink(tempName.constData());
    return ok;
}

// Where nothing stood there is no good content to protect: the file is
// created in place (never over one that appeared meanwhile) and removed
// again when the write fails. Anything else goes through replaceFile.
bool store(const OutputTarget &target, const QByteArray &bytes, const struct timespec *mtime)
{
    if (target.kind == OutputTarget::Absent) {
        const int fd = ::open(target.local.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (fillAndClose(fd, bytes, nullptr, mtime))
                return true;
            ::unlink(target.local.constData());
            return false;
        }
        if (errno != EEXIST)
            return false;
        // A dangling link, or a file that came meanwhile: look again.
        const OutputTarget now = inspectOutput(target.path);
        if (now.kind != OutputTarget::Absent)
            return replaceFile(now, bytes, mtime);
    }
    return replaceFile(target, bytes, mtime);
}

} // namespace

FileFacts OutputTarget::facts() const { return {qint64(status.st_size), modificationTime(status)}; }

bool OutputTarget::sameFileAs(const QString &path) const
{
    struct stat other;
    return kind == Regular && statRegular(path, other) && other.st_dev == status.st_dev
        && other.st_ino == status.st_ino;
}

OutputTarget inspectOutput(const QString &path)
{
    OutputTarget t;
    t.path = path;
    t.local = localPath(path);
    if (::lstat(t.local.constData(), &t.status) != 0)
        return t;
    if (S_ISLNK(t.status.st_mode)) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty()) {
            t.path = resolved;
            t.local = localPath(resolved);
        }
        if (::stat(t.local.constData(), &t.status) != 0)
            return t;
    }
    t.kind = S_ISREG(t.status.st_mode) ? OutputTarget::Regular : OutputTarget::Other;
    return t;
}

std::optional<FileFacts> regularFileFacts(const QString &path)
{
    struct stat st;
    if (!statRegular(path, st))
        return std::nullopt;
    return FileFacts{qint64(st.st_size), modificationTime(st)};
}

bool storeFile(const OutputTarget &target, const QByteArray &bytes) { return store(target, bytes, nullptr); }

bool copyFile(const QString &source, const OutputTarget &target)
{
    QByteArray bytes;
    struct stat st;
    return readRegularFile(source, bytes, &st) && store(target, bytes, &st.st_mtim);
}

} // namespace tess
