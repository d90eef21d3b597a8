#include "generator/run.h"

#include "model/constants.h"
#include "model/datesettings.h"
#include "platform/convert.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/regularfile.h"
#include "platform/runtimeerror.h"

#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {

namespace {

const QString kDone = QStringLiteral(" Done.");
const QString kSkipped = QStringLiteral(" Skipped.");
const QString kFailed = QStringLiteral(" Failed.");

// The locale's long time format without its time-zone part: the generated
// files carry the wall-clock time only.
QString timeFormatWithoutZone(const QString &format)
{
    QString out;
    bool quoted = false;
    bool dropLeadingBlanks = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            out.append(c);
            continue;
        }
        if (!quoted && c == u't') {
            while (i + 1 < format.size() && format.at(i + 1) == u't')
                ++i;
            while (out.endsWith(u' '))
                out.chop(1);
            dropLeadingBlanks = out.isEmpty();
            continue;
        }
        if (dropLeadingBlanks && c == u' ')
            continue;
        dropLeadingBlanks = false;
        out.append(c);
    }
    return out.trimmed();
}

QString shortDateText(const QDateTime &moment)
{
    return QLocale::system().toString(moment.date(), QLocale::ShortFormat);
}

QString longTimeText(const QDateTime &moment)
{
    const QLocale locale = QLocale::system();
    return locale.toString(moment.time(), timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

QByteArray encodeText(const QString &text) { return cp1252::encode(text); }

QByteArray localPath(const QString &path) { return QFile::encodeName(path); }

// A target exists when it is a regular file (a symbolic link to one counts).
bool statRegular(const QString &path, struct stat &st)
{
    return ::stat(localPath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// What one status call found at an output path. A symbolic link stands for
// the file it points to: that file is the one replaced, not the link.
struct Target {
    enum Kind { Absent, Regular, Other };
    QString path;
    QByteArray local;
    Kind kind = Absent;
    struct stat st;
};

Target inspect(const QString &path)
{
    Target t;
    t.path = path;
    t.local = localPath(path);
    if (::lstat(t.local.constData(), &t.st) != 0)
        return t;
    if (S_ISLNK(t.st.st_mode)) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty()) {
            t.path = resolved;
            t.local = localPath(resolved);
        }
        if (::stat(t.local.constData(), &t.st) != 0)
            return t;
    }
    t.kind = S_ISREG(t.st.st_mode) ? Target::Regular : Target::Other;
    return t;
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
// truncated file behind. A target without any write bit is refused, for
// every user: the owner marked it as not to be replaced. mtime, when given,
// becomes the new file's modification time.
bool replaceFile(const Target &target, const QByteArray &bytes, const struct timespec *mtime)
{
    const bool existing = target.kind == Target::Regular;
    if (target.kind == Target::Other)
        return false;
    if (existing && (target.st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
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

    const mode_t mode = target.st.st_mode & 07777;
    bool ok = fillAndClose(fd, bytes, existing ? &mode : nullptr, mtime);
    if (ok)
        ok = ::rename(tempName.constData(), target.local.constData()) == 0;
    if (!ok)
        ::unlink(tempName.constData());
    return ok;
}

// Puts the bytes at an inspected target. Where nothing stood there is no
// good content to protect: the file is created in place (never over one
// that appeared meanwhile) and removed again when the write fails. Anything
// else goes through replaceFile.
bool storeFile(const Target &target, const QByteArray &bytes, const struct timespec *mtime)
{
    if (target.kind == Target::Absent) {
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
        const Target now = inspect(target.path);
        if (now.kind != Target::Absent)
            return replaceFile(now, bytes, mtime);
    }
    return replaceFile(target, bytes, mtime);
}

// Project names become file names, and a project file may hold any name.
// A name with a folder part, "." or ".." (or a NUL, which would cut the
// path short) would put the file somewhere else than the caller shows; the
// routines refuse it, whatever checks came before. A backslash counts as a
// folder separator too: the generated application may be served from a
// system on which it is one.
bool plainFileName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\')
        && !name.contains(QChar(0));
}

// The part of path after the output folder; a null view when path does not
// lie in it.
QStringView belowFolder(const QString &folder, const QString &path)
{
    const QString prefix = joinPath(folder, QString());
    if (!path.startsWith(prefix))
        return {};
    return QStringView(path).sliced(prefix.size());
}

// Generated text goes directly into the output folder.
bool textTarget(const GenerationRun &run, const QString &path) { return plainFileName(belowFolder(run.folder, path)); }

// Copies also go into the upload folder.
bool copyTarget(const GenerationRun &run, const QString &path)
{
    QStringView name = belowFolder(run.folder, path);
    const QString upload = UploadFolder + u'/';
    if (name.startsWith(upload))
        name = name.sliced(upload.size());
    return plainFileName(name);
}

QString fileData(const QString &heading, const struct stat &st)
{
    return heading + QStringLiteral("\r\nSize: ") + QString::number(qint64(st.st_size)) + QStringLiteral(" bytes\r\nDate created: ")
        + GenerationRun::generalDateText(modificationTime(st));
}

} // namespace

namespace {

WriteOutcome writeText(GenerationRun &run, const Target &target, const QString &content, bool logIt)
{
    if (!storeFile(target, encodeText(content), nullptr)) {
        run.logFailed();
        return WriteOutcome::Failed;
    }
    if (logIt)
        run.host.appendLog(kDone);
    return WriteOutcome::Done;
}

} // namespace

GenerationRun::GenerationRun(MyDB &db, const StyleTable &styles, GenerationHost &host)
    : db(db), styles(styles), host(host), programFolder(tess::programFolder())
{
    setClock(QDateTime::currentDateTime());
    const DateSettings dates = deriveDateSettings(db);
    mySQLDateFormat = dates.mysqlFormat;
    datePartSeparator = dates.separator;
}

void GenerationRun::setClock(const QDateTime &moment)
{
    date = shortDateText(moment);
    time = longTimeText(moment);
}

QString GenerationRun::generalDateText(const QDateTime &moment)
{
    return shortDateText(moment) + u' ' + longTimeText(moment);
}

QString GenerationRun::path(const QString &fileName) const { return joinPath(folder, fileName); }

void GenerationRun::reportError(const QString &message)
{
    ++errorsShown;
    host.showError(message);
}

void GenerationRun::logFailed()
{
    ++failedFiles;
    host.appendLog(kFailed);
}

void GenerationRun::logGenerating(const QString &fileName)
{
    host.appendLog(QStringLiteral("\r\nGenerating ") + fileName + QStringLiteral(" ..."));
}

WriteOutcome GenerationRun::WriteOutputFile(const QString &path, const QString &displayName, const QString &content, bool logIt)
{
    if (!textTarget(*this, path)) {
        logFailed();
        host.processEvents();
        return WriteOutcome::Failed;
    }
    WriteOutcome outcome;
    Target target = inspect(path);
    if (target.kind == Target::Regular) {
        bool overwrite;
        if (overwriteMode == Overwrite::All) {
            overwrite = true;
        } else if (overwriteMode == Overwrite::SkipAll) {
            overwrite = false;
        } else {
            overwrite = ConfirmOverwrite(path, displayName, content);
            // The question may have stood open for a while.
            if (overwrite)
                target = inspect(path);
        }
        if (overwrite) {
            outcome = writeText(*this, target, content, logIt);
        } else {
            LogSkipped(logIt);
            outcome = WriteOutcome::Skipped;
        }
    } else {
        outcome = writeText(*this, target, content, logIt);
    }
    host.processEvents();
    return outcome;
}

WriteOutcome GenerationRun::WriteTextFile(const QString &path, const QString &content, bool logIt)
{
    if (!textTarget(*this, path)) {
        logFailed();
        return WriteOutcome::Failed;
    }
    return writeText(*this, inspect(path), content, logIt);
}

void GenerationRun::LogSkipped(bool logIt)
{
    if (logIt)
        host.appendLog(kSkipped);
}

bool GenerationRun::ConfirmOverwrite(const QString &path, const QString &displayName, const QString &content)
{
    struct stat st;
    OverwriteQuestion q;
    q.newFile = QStringLiteral("New file data:\r\nSize: ") + QString::number(content.size()) + QStringLiteral(" bytes");
    if (statRegular(path, st)) {
        q.existingFile = fileData(QStringLiteral("Existing file data:"), st);
    } else {
        // The file went away between the existence test and the question.
        raise(Err::FileNotFound);
    }
    q.main = QStringLiteral("The file '") + displayName + QStringLiteral("' already exists.");
    const QString tag = host.askOverwrite(q, overwriteMode);
    return leadingNumber(tag) == 1;
}

WriteOutcome GenerationRun::CopyOutputFile(const QString &src, const QString &dst, bool logIt)
{
    if (!copyTarget(*this, dst)) {
        logFailed();
        return WriteOutcome::Failed;
    }
    Target target = inspect(dst);
    // A copy onto the source itself is refused: the output folder leads
    // back to the folder the support files come from.
    struct stat sameStat;
    if (target.kind == Target::Regular && statRegular(src, sameStat) && sameStat.st_dev == target.st.st_dev
        && sameStat.st_ino == target.st.st_ino) {
        logFailed();
        return WriteOutcome::Failed;
    }
    if (target.kind == Target::Regular) {
        const struct stat &dstStat = target.st;
        bool overwrite;
        if (overwriteMode == Overwrite::All) {
            overwrite = true;
        } else if (overwriteMode == Overwrite::SkipAll) {
            overwrite = false;
        } else {
            struct stat srcStat;
            if (!statRegular(src, srcStat)) {
                logFailed();
                return WriteOutcome::Failed;
            }
            OverwriteQuestion q;
            q.newFile = fileData(QStringLiteral("Source file data:"), srcStat);
            q.existingFile = fileData(QStringLiteral("Destination file data:"), dstStat);
            const qsizetype slash = dst.lastIndexOf(u'/');
            q.main = QStringLiteral("The file '") + dst.mid(slash + 1) + QStringLiteral("' already exists.");
            // Unlike WriteOutputFile, the copy keeps every error to itself.
            try {
                overwrite = leadingNumber(host.askOverwrite(q, overwriteMode)) == 1;
            } catch (const std::exception &) {
                logFailed();
                return WriteOutcome::Failed;
            }
            // The question may have stood open for a while.
            if (overwrite)
                target = inspect(dst);
        }
        if (!overwrite) {
            LogSkipped(logIt);
            return WriteOutcome::Skipped;
        }
    }

    QByteArray bytes;
    struct stat srcStat;
    if (!readRegularFile(src, bytes, &srcStat) || !storeFile(target, bytes, &srcStat.st_mtim)) {
        logFailed();
        return WriteOutcome::Failed;
    }
    if (logIt)
        host.appendLog(kDone);
    return WriteOutcome::Done;
}

} // namespace tess
