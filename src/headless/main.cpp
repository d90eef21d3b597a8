// tessaron-generate <project.tzx> <output folder>
//
// Project > Generate without a window: a path that is no file gets the
// message the window program gives it on its command line; otherwise opens
// the project as File > Open does, then runs the Generate command's own
// sequence (the project checks, which may refuse the project, then every
// generator) into the folder.
// The log goes to standard output as the log window shows it; while the
// checks run it goes to standard error, so a refused project's problem
// ends up there. Message boxes are printed to standard error and get
// their default answer; a file already in the folder is overwritten, as
// Overwrite All does. The exit status is 0 only when the log ends with
// the application generated successfully.
#include "app/generatesequence.h"
#include "app/outputfolder.h"
#include "model/openproject.h"
#include "platform/paths.h"
#include "platform/ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

QByteArray printable(const QString &text)
{
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).toLocal8Bit();
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(printable(text).constData(), stream);
    std::fflush(stream);
}

class ConsoleUi final : public tess::UiServices {
public:
    int messageBox(const QString &text, int style, const QString &) override
    {
        print(stderr, text + u'\n');
        return tess::defaultAnswer(style);
    }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const tess::FileDialogRequest &) override { return {}; }
    QString saveFileName(const tess::FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override {}
};

class ConsoleLog final : public tess::GenerationHost {
public:
    std::FILE *stream = stdout;
    bool lineOpen = false;

    void appendLog(const QString &piece) override
    {
        print(stream, piece);
        lineOpen = true;
    }
    QString askOverwrite(const tess::OverwriteQuestion &, qint16 &overwriteMode) override
    {
        overwriteMode = tess::Overwrite::All;
        return QStringLiteral("1");
    }
    void showError(const QString &message) override { tess::ui().messageBox(message, tess::Mb::Exclamation); }

    // The log's last line has no line break of its own.
    void endLine()
    {
        if (lineOpen)
            print(stream, QStringLiteral("\n"));
        lineOpen = false;
    }
};

class ConsoleFrontEnd final : public tess::GenerateFrontEnd {
public:
    explicit ConsoleFrontEnd(const QString &folder) : m_folder(folder) {}
    ConsoleLog log;

    tess::GenerationHost &openLog() override { return log; }
    void setLogChecking(bool checking) override
    {
        log.endLine();
        log.stream = checking ? stderr : stdout;
    }
    bool commitPane() override { return true; }
    QString chooseOutputFolder() override { return m_folder; }
    void setBusy(bool) override {}

private:
    QString m_folder;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s <project.tzx> <output folder>\n", argv[0]);
        return 2;
    }
    ConsoleUi console;
    tess::setUi(&console);

    // A path that is no file gets the message of a start with it on the
    // command line, not the reader's verdict on a file it never found.
    const QString missing = tess::ProjectFileMissing(args.at(1));
    if (!missing.isEmpty()) {
        print(stderr, missing + u'\n');
        return 1;
    }

    const QString folder = QDir::cleanPath(QFileInfo(args.at(2)).absoluteFilePath());
    const QString refusal = tess::outputFolderRefusal(folder, tess::programFolder());
    if (!refusal.isEmpty()) {
        print(stderr, refusal + u'\n');
        return 1;
    }
    if (!tess::OpenProjectFile(args.at(1)))
        return 1;

    ConsoleFrontEnd frontEnd(folder);
    const bool generated = tess::RunGenerate(frontEnd);
    frontEnd.log.endLine();
    tess::setUi(nullptr);
    return generated ? 0 : 1;
}
