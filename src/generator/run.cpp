#include "generator/run.h"

#include "model/constants.h"
#include "model/datesettings.h"
#include "platform/convert.h"
#include "platform/cp1252.h"
#include "platform/outputfile.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"

#include <QLocale>

#include <optional>

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

QString fileData(const QString &heading, const FileFacts &facts)
{
    return heading + QStringLiteral("\r\nSize: ") + QString::number(facts.size) + QStringLiteral(" bytes\r\nDate created: ")
        + GenerationRun::generalDateText(facts.modified);
}

WriteOutcome writeText(GenerationRun &run, const OutputTarget &target, const QString &content, bool logIt)
{
    if (!storeFile(target, encodeText(content))) {
        run.logFailed();
        return WriteOutcome::Failed;
    }
    if (logIt)
        run.host.appendLog(kDone);
    return WriteOutcome::Done;
}

// What the overwrite question got: an answer, or an error of its own.
enum class Answer { Overwrite, Keep, Fail };

// Whether the regular file at path gives way: in overwrite-all and skip-all
// mode without a question, in any other mode by what `ask` gets from the
// host. A file that stays is logged as skipped (failed, when the question
// could not be put) and that outcome is returned. For a file that gives way
// none is, and target is what stands at the path now: the question may
// have stood open for a while.
template <typename Ask>
std::optional<WriteOutcome> keepExisting(GenerationRun &run, const QString &path, OutputTarget &target, bool logIt,
                                         Ask &&ask)
{
    Answer answer;
    if (run.overwriteMode == Overwrite::All) {
        answer = Answer::Overwrite;
    } else if (run.overwriteMode == Overwrite::SkipAll) {
        answer = Answer::Keep;
    } else {
        answer = ask();
        if (answer == Answer::Overwrite)
            target = inspectOutput(path);
    }
    if (answer == Answer::Keep) {
        run.LogSkipped(logIt);
        return WriteOutcome::Skipped;
    }
    if (answer == Answer::Fail) {
        run.logFailed();
        return WriteOutcome::Failed;
    }
    return std::nullopt;
}

} // namespace

GenerationRun::GenerationRun(const MyDB &db, const StyleTable &styles, GenerationHost &host)
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
    OutputTarget target = inspectOutput(path);
    std::optional<WriteOutcome> kept;
    if (target.kind == OutputTarget::Regular) {
        // An error of the question rises to the generator.
        kept = keepExisting(*this, path, target, logIt, [&] {
            return ConfirmOverwrite(path, displayName, content) ? Answer::Overwrite : Answer::Keep;
        });
    }
    const WriteOutcome outcome = kept ? *kept : writeText(*this, target, content, logIt);
    host.processEvents();
    return outcome;
}

WriteOutcome GenerationRun::WriteTextFile(const QString &path, const QString &content, bool logIt)
{
    if (!textTarget(*this, path)) {
        logFailed();
        return WriteOutcome::Failed;
    }
    return writeText(*this, inspectOutput(path), content, logIt);
}

void GenerationRun::LogSkipped(bool logIt)
{
    if (logIt)
        host.appendLog(kSkipped);
}

bool GenerationRun::ConfirmOverwrite(const QString &path, const QString &displayName, const QString &content)
{
    OverwriteQuestion q;
    q.newFile = QStringLiteral("New file data:\r\nSize: ") + QString::number(content.size()) + QStringLiteral(" bytes");
    const std::optional<FileFacts> existing = regularFileFacts(path);
    // The file went away between the existence test and the question.
    if (!existing)
        raise(Err::FileNotFound);
    q.existingFile = fileData(QStringLiteral("Existing file data:"), *existing);
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
    OutputTarget target = inspectOutput(dst);
    // A copy onto the source itself is refused: the output folder leads
    // back to the folder the support files come from.
    if (target.sameFileAs(src)) {
        logFailed();
        return WriteOutcome::Failed;
    }
    if (target.kind == OutputTarget::Regular) {
        const auto ask = [&] {
            const std::optional<FileFacts> source = regularFileFacts(src);
            if (!source)
                return Answer::Fail;
            OverwriteQuestion q;
            q.newFile = fileData(QStringLiteral("Source file data:"), *source);
            q.existingFile = fileData(QStringLiteral("Destination file data:"), target.facts());
            const qsizetype slash = dst.lastIndexOf(u'/');
            q.main = QStringLiteral("The file '") + dst.mid(slash + 1) + QStringLiteral("' already exists.");
            // Unlike WriteOutputFile, the copy keeps every error to itself.
            try {
                return leadingNumber(host.askOverwrite(q, overwriteMode)) == 1 ? Answer::Overwrite : Answer::Keep;
            } catch (const std::exception &) {
                return Answer::Fail;
            }
        };
        if (const std::optional<WriteOutcome> kept = keepExisting(*this, dst, target, logIt, ask))
            return *kept;
    }

    if (!copyFile(src, target)) {
        logFailed();
        return WriteOutcome::Failed;
    }
    if (logIt)
        host.appendLog(kDone);
    return WriteOutcome::Done;
}

} // namespace tess
