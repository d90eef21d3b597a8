#pragma once
// One Generate run: the project, where the files go, how existing files are
// treated, the log, and the values every generator shares. Generators write
// only through this object; the main window supplies the real log window and
// overwrite dialog through GenerationHost, tests supply recording ones. The
// generators only read the project: what a run changes in it is done by
// GenerateAll (see generators.h).
#include "generator/lines.h"
#include "model/appstate.h"
#include "model/project.h"

#include <QDateTime>
#include <QString>
#include <exception>
#include <utility>

namespace tess {

// Texts of the overwrite question; the host shows them and answers.
struct OverwriteQuestion {
    QString newFile;      // lblNewFile
    QString existingFile; // lblExistingFile
    QString main;         // lblMain
};

namespace Overwrite {
enum : qint16 { Ask = 0, All = 1, SkipAll = 2 };
}

// What became of one output file (the log shows it as its outcome word).
enum class WriteOutcome { Done, Skipped, Failed };

class GenerationHost {
public:
    virtual ~GenerationHost() = default;
    // Appends a piece to the end of the log text.
    virtual void appendLog(const QString &piece) = 0;
    // Shows the overwrite dialog; returns its tag ("1" overwrite, "0" skip).
    // The dialog's all-buttons set overwriteMode.
    virtual QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode) = 0;
    // Lets the log window repaint.
    virtual void processEvents() {}
    // Gives the keyboard focus to the log text (the last step of a run).
    virtual void focusLog() {}
    // A message box with the exclamation icon and OK (the error reports of
    // the generators that handle their own errors).
    virtual void showError(const QString &message) = 0;
};


struct GenerationRun {
    const MyDB &db;
    const StyleTable &styles;
    GenerationHost &host;
    QString folder;          // output folder, without a final "/"
    QString programFolder;   // holds files/
    qint16 overwriteMode = Overwrite::Ask;
    // The run's clock as text: the system locale's short date and long
    // time (without time zone); tests set fixed texts.
    QString date;
    QString time;
    bool anyImageUpload = false;
    // What went wrong in the run so far: files whose write or copy failed,
    // and errors shown to the user (Generate's last line tells of both).
    int failedFiles = 0;
    int errorsShown = 0;
    // setup.php, which carries the project's pending schema changes, was
    // written: the project no longer needs them.
    bool pendingChangesWritten = false;
    // Derived from the project's date settings (see datesettings.h).
    QString mySQLDateFormat;
    QString datePartSeparator;

    // Takes the program's folder, the current moment and the date
    // settings of the project; the caller sets folder and anyImageUpload.
    GenerationRun(const MyDB &db, const StyleTable &styles, GenerationHost &host);

    // Sets date and time from a moment, in the system locale's formats.
    void setClock(const QDateTime &moment);
    // A moment as the overwrite dialog shows a file's date: short date, a
    // blank and the time as in setClock.
    static QString generalDateText(const QDateTime &moment);

    QString path(const QString &fileName) const;

    // Writes one generated file of the output folder: opens its log line,
    // then calls build for the text (so that an error while building shows
    // after the line and leaves the file unwritten) and writes that as
    // WriteOutputFile does, with the outcome logged.
    template <typename Build>
    WriteOutcome generateFile(const QString &fileName, Build &&build)
    {
        logGenerating(fileName);
        const QString text = std::forward<Build>(build)();
        return WriteOutputFile(path(fileName), fileName, text, true);
    }

    // Writes one generated file per table, in project order, named by the
    // table's name and suffix; build(table, text) appends the file's text.
    // The files of one kind are of about one size: each text starts with
    // the room the one before took, so that it seldom has to grow.
    template <typename Build>
    void generatePerTable(QStringView suffix, Build &&build)
    {
        qsizetype room = 0;
        for (const TablePtr &table : db.Tables) {
            generateFile(QString(table->Name).append(suffix), [&] {
                Lines text(room);
                build(*table, text);
                room = text.size();
                return text.take();
            });
        }
    }

    // The output routines. The outcome is also returned for the generators
    // that act on it; the others ignore it. A failure is always logged,
    // logIt only silences " Done." and " Skipped.". An existing file is
    // replaced through a new file beside it, so a failed write keeps the old
    // one; a target without any write bit is never replaced. A new target is
    // written in place and removed again when the write fails. A target must
    // be a plain file name in the output folder (for copies also in its
    // upload folder); any other, one with "..", say, fails untouched.
    WriteOutcome WriteOutputFile(const QString &path, const QString &displayName, const QString &content, bool logIt);
    WriteOutcome CopyOutputFile(const QString &src, const QString &dst, bool logIt);
    WriteOutcome WriteTextFile(const QString &path, const QString &content, bool logIt);
    void LogSkipped(bool logIt);
    bool ConfirmOverwrite(const QString &path, const QString &displayName, const QString &content);

    // Shows an error through the host and counts it.
    void reportError(const QString &message);
    // Completes a file's log line with " Failed." and counts the file.
    void logFailed();

    // Opens a file's log line: CR LF + "Generating " + name + " ...".
    void logGenerating(const QString &fileName);
};

} // namespace tess
