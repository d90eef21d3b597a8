// Generate as a user runs it - the menu item, the log window shown, the
// folder chosen - against the headless generation: the checks and the
// generators with a log that goes nowhere. Before either side runs, the
// project file is opened from the menu and shown in the editor, so both
// work on the same project, laid out in memory alike. (Where the heap
// puts a project matters: one read right after a large project was
// closed is scattered over the holes that project left, and is about
// half again slower to generate on either side.) Both write into fresh
// folders in memory; the rounds alternate which side goes first, and the
// median of the rounds' ratios is reported. Then the checks alone over
// projects of growing size, per table.
//
// Usage: bench_gencommand [command|checks] [rounds] [tables ...]
// Without arguments both parts run at their default sizes.
#include "app/commits.h"
#include "app/dialogs.h"
#include "app/forms.h"
#include "app/frmgenerating.h"
#include "app/frmmain.h"
#include "app/validateproject.h"
#include "bigproject.h"
#include "converter/projectwriter.h"
#include "generator/generators.h"
#include "model/appstate.h"
#include "model/styles.h"
#include "platform/qtapplication.h"
#include "platform/qtui.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tess;
using namespace tess::bench;

namespace {

constexpr int kFields = 40;

// Message boxes go to stderr, but for the question before another project
// is opened; the message loop runs as in the program.
class BenchUi final : public UiServices {
public:
    int messageBox(const QString &text, int style, const QString &) override
    {
        if (!text.startsWith(QLatin1String("Do want to close the current project?")))
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return defaultAnswer(style);
    }
    QString inputBox(const QString &, const QString &, const QString &d) override { return d; }
    // The project file, as chosen in the Open dialog.
    QString project;
    QString openFileName(const FileDialogRequest &) override { return project; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    // Not timed here: a clock read around each of the millions of calls
    // would cost the command more than its passes do.
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

// Counts the log's paints, which show that it repaints while the run goes on.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
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

QAction *menuItem(const char *name) { return forms().main().findChild<QAction *>(QString::fromLatin1(name)); }

// File > Open, as the user does it; Generate changes the project, so each
// run opens the file afresh.
void openFromMenu(BenchUi &ui, const QString &path)
{
    ui.project = path;
    menuItem("miFileOpenXML")->trigger();
    QCoreApplication::processEvents();
    if (app().ProjectDB->Tables.Count() == 0)
        std::fprintf(stderr, "the project did not open: %s\n", qPrintable(path));
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Series {
    std::vector<double> wall, cpu, user;
    void add(const Times &t)
    {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
        user.push_back(t.user);
    }
    Times medians() const { return {median(wall), median(cpu), median(user)}; }
};

QPlainTextEdit *logView() { return forms().generating().findChild<QPlainTextEdit *>(QStringLiteral("txtLog")); }

// From the menu item until the log's last line is painted.
Times throughCommand(BenchDialogs &dialogs, const QString &folder)
{
    dialogs.folder = folder;
    const Clock clock;
    menuItem("miProjectGenerate")->trigger();
    QCoreApplication::processEvents();
    const Times t = clock.stop();
    const QString text = forms().generating().log().text();
    if (!text.contains(QStringLiteral("generated successfully")))
        std::fprintf(stderr, "the command did not succeed: %s\n", qPrintable(text.left(300)));
    if (logView()->toPlainText() != QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))
        std::fprintf(stderr, "the log window does not show the whole log\n");
    return t;
}

// The project the menu opened.
Times headless(const QString &folder, Times &checks)
{
    MyDB &db = *app().ProjectDB;
    QuietHost host;
    bool upload = false;
    const Clock clock;
    if (!ValidateProject(db, host, upload))
        std::fprintf(stderr, "the project does not pass the checks\n");
    checks = clock.stop();
    GenerationRun run(db, app().Styles, host);
    run.folder = folder;
    run.anyImageUpload = upload;
    GenerateAll(db, run);
    return clock.stop();
}

void commandPart(int rounds, const std::vector<int> &sizes)
{
    BenchUi ui;
    setUi(&ui);
    BenchDialogs dialogs;
    setDialogs(&dialogs);
    LoadDefaultStyles(app().Styles);
    forms().main().show();

    // Creating ten thousand files is most of either side's time on a disk,
    // and it swings tenfold with the machine's load; in memory the
    // program's own share shows.
    const QString memory = QStringLiteral("/dev/shm");
    const QString scratchBase = QFileInfo(memory).isDir() && QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    std::printf("Generate command (log shown) against headless generation, each on the project just opened\n"
                "from the menu and shown in the editor, %d fields a table, medians of %d rounds, sides alternating,\n"
                "output under %s; thread cpu leaves out waits for other processes\n",
                kFields, rounds, qPrintable(scratchBase));
    std::printf("tables  side                 wall ms   cpu ms  user ms   log paints\n");
    for (const int tables : sizes) {
        QTemporaryDir scratch(scratchBase + QStringLiteral("/bench_gencommand-XXXXXX"));
        const QString project = scratch.filePath(QStringLiteral("bench.tzx"));
        WriteXmlProject(project, *checkedProject(tables, kFields));
        Series command, alone, checks;
        PaintCounter counter;
        std::vector<double> paints;
        for (int r = 0; r < rounds; ++r) {
            const QString a = scratch.filePath(QStringLiteral("command%1").arg(r));
            const QString b = scratch.filePath(QStringLiteral("headless%1").arg(r));
            QDir().mkpath(a);
            QDir().mkpath(b);
            for (int k = 0; k < 2; ++k) {
                openFromMenu(ui, project);
                if ((r + k) % 2 == 0) {
                    // The log window stays open from one round to the next,
                    // as it would for a user.
                    logView()->viewport()->installEventFilter(&counter);
                    counter.paints = 0;
                    command.add(throughCommand(dialogs, a));
                    paints.push_back(counter.paints);
                } else {
                    Times c;
                    alone.add(headless(b, c));
                    checks.add(c);
                }
            }
            // Every round starts from an empty memory folder.
            QDir(a).removeRecursively();
            QDir(b).removeRecursively();
        }
        const Times mc = command.medians();
        const Times ma = alone.medians();
        const Times mk = checks.medians();
        std::printf("%6d  command            %9.1f %8.1f %8.1f   %10.0f\n", tables, mc.wall, mc.cpu, mc.user,
                    median(paints));
        std::printf("%6d  headless           %9.1f %8.1f %8.1f\n", tables, ma.wall, ma.cpu, ma.user);
        std::printf("%6d    of it the checks %9.1f %8.1f %8.1f\n", tables, mk.wall, mk.cpu, mk.user);
        // A round's two runs lie a second apart, so their ratio leaves out
        // the machine's slower swings: the median of the rounds' ratios.
        std::vector<double> wallRatio, cpuRatio, userRatio;
        for (size_t i = 0; i < command.wall.size(); ++i) {
            wallRatio.push_back(command.wall[i] / alone.wall[i]);
            cpuRatio.push_back(command.cpu[i] / alone.cpu[i]);
            userRatio.push_back(command.user[i] / alone.user[i]);
        }
        std::printf("%6d  ratio command / headless, median of the rounds: wall %.2f, cpu %.2f, user %.2f"
                    " (goal 1.2 or less)\n",
                    tables, median(wallRatio), median(cpuRatio), median(userRatio));
        std::fflush(stdout);
    }
    setDialogs(nullptr);
    setUi(nullptr);
    forms().unloadAll();
}

// The checks alone: the time per table stays flat as the project grows.
void checksPart(int rounds, const std::vector<int> &sizes)
{
    std::printf("the checks alone, %d fields a table, median of %d rounds\n", kFields, rounds);
    std::printf("tables    wall ms   us per table   per table / at %d\n", sizes.front());
    double first = 0;
    for (const int tables : sizes) {
        std::vector<double> wall;
        for (int r = 0; r < rounds; ++r) {
            DBPtr db = checkedProject(tables, kFields);
            QuietHost host;
            bool upload = false;
            const Clock clock;
            if (!ValidateProject(*db, host, upload))
                std::fprintf(stderr, "the project does not pass the checks\n");
            wall.push_back(clock.stop().wall);
        }
        const double ms = median(wall);
        const double perTable = ms * 1e3 / tables;
        if (first == 0)
            first = perTable;
        std::printf("%6d  %9.1f  %13.2f  %10.2f\n", tables, ms, perTable, perTable / first);
        std::fflush(stdout);
    }
    std::printf("goal: per table at the largest size within 1.3 of that at the smallest\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's own application object, with its memory settings.
    Application qapp(argc, argv);
    const QStringList args = qapp.arguments();
    const QString part = args.size() > 1 ? args[1] : QString();
    const int rounds = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;
    std::vector<int> sizes;
    for (qsizetype i = 3; i < args.size(); ++i)
        sizes.push_back(args[i].toInt());

    if (part.isEmpty() || part == QLatin1String("command"))
        commandPart(rounds, sizes.empty() ? std::vector<int>{500, 2000} : sizes);
    if (part.isEmpty() || part == QLatin1String("checks"))
        checksPart(rounds, sizes.empty() ? std::vector<int>{1000, 2000, 4000, 8000, 16000} : sizes);
    return 0;
}
