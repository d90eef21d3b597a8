// Generate through the command, with the log window shown, against the
// generators alone on the same project. Both write into fresh folders;
// the command's dialogs are answered by script (the folder, overwrite all).
// Usage: bench_gencommand [tables] [fields] [repeats]
#include "app/commands.h"
#include "app/dialogs.h"
#include "app/forms.h"
#include "app/frmgenerating.h"
#include "app/validateproject.h"
#include "bigproject.h"
#include "generator/generators.h"
#include "model/appstate.h"
#include "model/styles.h"
#include "platform/qtui.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tess;
using namespace tess::bench;

namespace {

// Message boxes go to stderr; the message loop runs as in the program.
class BenchUi final : public UiServices {
public:
    int messageBox(const QString &text, int style, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return defaultAnswer(style);
    }
    QString inputBox(const QString &, const QString &, const QString &d) override { return d; }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override { m_qt.processEvents(); }

private:
    QtUi m_qt;
};

class BenchDialogs final : public Dialogs {
public:
    QString folder;
    void showStart() override {}
    void showAbout() override {}
    QString chooseOutputFolder() override { return folder; }
    QString askOverwrite(const OverwriteQuestion &, qint16 &mode) override
    {
        mode = Overwrite::All;
        return QStringLiteral("1");
    }
};

Times lastChecks;

class QuietHost final : public GenerationHost {
public:
    void appendLog(const QString &) override {}
    QString askOverwrite(const OverwriteQuestion &, qint16 &mode) override
    {
        mode = Overwrite::All;
        return QStringLiteral("1");
    }
    void showError(const QString &message) override { std::fprintf(stderr, "error: %s\n", qPrintable(message)); }
};

// The synthetic project as Generate's checks accept it: no default on a
// TEXT column.
DBPtr checkedProject(int tables, int fields)
{
    DBPtr db = bigProject(tables, fields);
    for (const auto &t : db->Tables)
        for (const auto &f : t->Fields)
            if (isBlobOrText(f->pDataType))
                f->pDefault.clear();
    return db;
}

void loadProject(int tables, int fields)
{
    const DBPtr source = checkedProject(tables, fields);
    MyDB &db = *app().ProjectDB;
    ResetProject(db);
    db.DBName = source->DBName;
    db.Server = source->Server;
    db.DateFormat = source->DateFormat;
    db.DateSeparator = source->DateSeparator;
    for (const auto &t : source->Tables)
        *db.Tables.Add(t->Caption, t->Name) = *t;
}

Times throughCommand(BenchDialogs &dialogs, const QString &folder)
{
    dialogs.folder = folder;
    const Clock clock;
    commands::miProjectGenerate_Click();
    const Times t = clock.stop();
    if (!forms().generating().log().text().contains(QStringLiteral("generated successfully")))
        std::fprintf(stderr, "the command did not succeed: %s\n", qPrintable(forms().generating().log().text().left(300)));
    return t;
}

// The same project as the command sees it after its checks.
Times generatorsAlone(int tables, int fields, const QString &folder)
{
    DBPtr db = checkedProject(tables, fields);
    QuietHost host;
    bool upload = false;
    const Clock checks;
    if (!ValidateProject(*db, host, upload))
        std::fprintf(stderr, "the project does not pass the checks\n");
    lastChecks = checks.stop();
    GenerationRun run(*db, app().Styles, host);
    run.folder = folder;
    run.anyImageUpload = upload;
    const Clock clock;
    GenerateAll(*db, run);
    return clock.stop();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = qapp.arguments();
    const int tables = args.size() > 1 ? args[1].toInt() : 500;
    const int fields = args.size() > 2 ? args[2].toInt() : 40;
    const int repeats = args.size() > 3 ? args[3].toInt() : 3;

    BenchUi ui;
    setUi(&ui);
    BenchDialogs dialogs;
    setDialogs(&dialogs);
    LoadDefaultStyles(app().Styles);

    QTemporaryDir scratch;
    std::vector<Times> command, alone, checks;
    for (int r = 0; r < repeats; ++r) {
        const QString a = scratch.filePath(QStringLiteral("command%1").arg(r));
        const QString b = scratch.filePath(QStringLiteral("alone%1").arg(r));
        QDir().mkpath(a);
        QDir().mkpath(b);
        // The order turns each repeat, so that neither side always meets the
        // file system after the other.
        for (int k = 0; k < 2; ++k) {
            if ((r + k) % 2 == 0) {
                loadProject(tables, fields); // generating clears the pending changes
                command.push_back(throughCommand(dialogs, a));
            } else {
                alone.push_back(generatorsAlone(tables, fields, b));
                checks.push_back(lastChecks);
            }
        }
    }
    auto best = [](const std::vector<Times> &v, double Times::*member) {
        double m = v.front().*member;
        for (const Times &t : v)
            m = std::min(m, t.*member);
        return m;
    };
    std::printf("project: %d tables x %d fields; log %lld characters\n", tables, fields,
                qlonglong(forms().generating().log().text().size()));
    // The file system's share (creating thousands of files) varies with the
    // machine's load; the user time is the program's own work.
    std::printf("best of %d                      wall ms   thread cpu ms   of it user ms\n", repeats);
    const std::pair<const char *, const std::vector<Times> *> rows[] = {
        {"Generate command, log shown ", &command},
        {"generators alone            ", &alone},
        {"the checks (not in 'alone') ", &checks}};
    for (const auto &[name, v] : rows)
        std::printf("%s %8.1f %12.1f %15.1f\n", name, best(*v, &Times::wall), best(*v, &Times::cpu),
                    best(*v, &Times::user));
    std::printf("ratio command / generators: wall %.2f, cpu %.2f, user %.2f (target 1.3 or less)\n",
                best(command, &Times::wall) / best(alone, &Times::wall),
                best(command, &Times::cpu) / best(alone, &Times::cpu),
                best(command, &Times::user) / best(alone, &Times::user));
    setDialogs(nullptr);
    setUi(nullptr);
    forms().unloadAll();
    return 0;
}
