// Generates a large project (500 tables of 40 fields) into a fresh folder
// and compares the time with writing the same bytes by plain file writes.
// Usage: bench_generate [tables] [fields] [repeats] [output folder]
// The output folder, when given, receives the first generation, so that two
// builds can be compared byte for byte.
#include "generator/generators.h"
#include "model/constants.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

using namespace tess;

namespace {

class QuietHost : public GenerationHost {
public:
    qsizetype logSize = 0;
    void appendLog(const QString &piece) override { logSize += piece.size(); }
    QString askOverwrite(const OverwriteQuestion &, qint16 &) override { return QStringLiteral("1"); }
    void showError(const QString &message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
};

DBPtr bigProject(int tables, int fields)
{
    auto db = std::make_shared<MyDB>();
    db->DBName = QStringLiteral("bench");
    db->Server = QStringLiteral("localhost");
    db->DateFormat = Variant(3);
    db->DateSeparator = Variant(4);
    static const int types[] = {Dt::VarChar, Dt::Int, Dt::Date, Dt::Text, Dt::Decimal, Dt::Char, Dt::DateTime};
    for (int t = 1; t <= tables; ++t) {
        const QString name = QStringLiteral("table%1").arg(t);
        MyTable &table = *db->Tables.Add(QStringLiteral("Table %1").arg(t), name);
        table.AllowSelection = table.AllowInsert = table.AllowUpdate = table.AllowDelete = true;
        table.AllowSorting = table.AllowFilters = table.AllowPrint = true;
        table.RecordsPerPage = 20;
        table.FilterCount = 4;
        table.Fields.Add({}, {}, {}, {}, QStringLiteral("ID"), QStringLiteral("id"), true, false, Dt::Int, 11, 0, {},
                         false, true, true, false, false);
        for (int f = 2; f <= fields; ++f) {
            const int type = types[f % 7];
            const qint16 length = type == Dt::VarChar ? 60 : type == Dt::Char ? 8 : type == Dt::Decimal ? 10 : 0;
            MyField &field = *table.Fields.Add({}, {}, {}, {}, QStringLiteral("Field %1").arg(f),
                                               QStringLiteral("field%1").arg(f), false, f % 11 == 0, type, length,
                                               type == Dt::Decimal ? 2 : 0,
                                               f % 5 == 0 ? QStringLiteral("x") : QString(), false, f % 3 == 0,
                                               false, false, false);
            field.ColumnWidth = 120;
            if (f % 13 == 0 && t > 1) {
                field.ParentTable = QStringLiteral("table%1").arg(t - 1);
                field.ParentIDField = QStringLiteral("id");
                field.ParentCaptionField = QStringLiteral("field2");
                field.pDataType = Dt::Int;
                field.pLength = 11;
                field.pDefault.clear();
            }
        }
        if (t % 10 == 0)
            table.AlterSQL = QStringLiteral("ALTER TABLE `%1` ADD `field2` VARCHAR(60) ;;").arg(name);
    }
    return db;
}

// Wall time, and the processor time of this thread (user and system), which
// leaves out the waits that other processes on the machine cause; and its
// user part alone, the time spent outside the kernel (building the texts),
// which the file system's load on a busy machine does not touch.
struct Times {
    double wall = 0;
    double cpu = 0;
    double user = 0;
};

double threadCpuMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double threadUserMs()
{
    struct rusage ru;
    getrusage(RUSAGE_THREAD, &ru);
    return double(ru.ru_utime.tv_sec) * 1e3 + double(ru.ru_utime.tv_usec) / 1e3;
}

class Clock {
public:
    Clock() : m_cpu(threadCpuMs()), m_user(threadUserMs()) { m_wall.start(); }
    Times stop() const
    {
        return {double(m_wall.nsecsElapsed()) / 1e6, threadCpuMs() - m_cpu, threadUserMs() - m_user};
    }

private:
    QElapsedTimer m_wall;
    double m_cpu;
    double m_user;
};

struct FileBytes {
    QString relative;
    QByteArray bytes;
};

std::vector<FileBytes> collect(const QString &root)
{
    std::vector<FileBytes> out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            out.push_back({QDir(root).relativeFilePath(path), f.readAll()});
    }
    return out;
}

Times generateOnce(MyDB &db, const StyleTable &styles, const QString &folder)
{
    QuietHost host;
    GenerationRun run(db, styles, host);
    run.folder = folder;
    // A fixed clock, so that the files of two runs can be compared.
    run.setClock(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    const Clock clock;
    GenerateAll(run);
    return clock.stop();
}

// The folder exists already for every side; each creates images/ itself.
Times plainWrites(const std::vector<FileBytes> &files, const QString &folder)
{
    const Clock clock;
    QDir(folder).mkdir(QStringLiteral("images"));
    for (const FileBytes &f : files) {
        QFile out(folder + u'/' + f.relative);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.fileName()));
        out.write(f.bytes);
    }
    return clock.stop();
}

// The same bytes through the output routines (decode, encode, write beside
// the target, rename), without building any text.
Times outputRoutines(MyDB &db, const StyleTable &styles, const std::vector<FileBytes> &files, const QString &folder)
{
    QuietHost host;
    GenerationRun run(db, styles, host);
    run.folder = folder;
    std::vector<std::pair<QString, QString>> texts;
    texts.reserve(files.size());
    for (const FileBytes &f : files)
        texts.emplace_back(f.relative, QString::fromLatin1(f.bytes));
    const Clock clock;
    QDir(folder).mkdir(QStringLiteral("images"));
    for (const auto &t : texts)
        run.WriteOutputFile(run.path(t.first), t.first, t.second, true);
    return clock.stop();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int tables = args.size() > 1 ? args[1].toInt() : 500;
    const int fields = args.size() > 2 ? args[2].toInt() : 40;
    const int repeats = args.size() > 3 ? args[3].toInt() : 5;

    StyleTable styles;
    styles.StyleNames[1] = QStringLiteral("TableTitle");
    styles.StyleDefinitions[1] = QStringLiteral("font: bold 14pt Verdana;");

    QTemporaryDir scratch;
    // One run first to learn the bytes that the plain writes repeat.
    std::vector<FileBytes> files;
    {
        DBPtr db = bigProject(tables, fields);
        const QString warm = args.size() > 4 ? args[4] : scratch.filePath(QStringLiteral("warm"));
        QDir().mkpath(warm);
        generateOnce(*db, styles, warm);
        files = collect(warm);
    }
    qint64 totalBytes = 0;
    for (const FileBytes &f : files)
        totalBytes += f.bytes.size();

    // Every side writes into a fresh folder of the same file system, made
    // before its clock starts. The order turns each repeat, so that no side
    // always meets the file system's state after the same other one.
    std::vector<Times> gen, plain, routines;
    for (int r = 0; r < repeats; ++r) {
        // A fresh project each time: generating clears the pending changes.
        DBPtr db = bigProject(tables, fields);
        const QString genFolder = scratch.filePath(QStringLiteral("gen%1").arg(r));
        const QString plainFolder = scratch.filePath(QStringLiteral("plain%1").arg(r));
        const QString outFolder = scratch.filePath(QStringLiteral("out%1").arg(r));
        for (const QString &folder : {genFolder, plainFolder, outFolder})
            QDir().mkpath(folder);
        for (int k = 0; k < 3; ++k) {
            switch ((r + k) % 3) {
            case 0:
                gen.push_back(generateOnce(*db, styles, genFolder));
                break;
            case 1:
                plain.push_back(plainWrites(files, plainFolder));
                break;
            default:
                routines.push_back(outputRoutines(*db, styles, files, outFolder));
                break;
            }
        }
    }
    auto best = [](const std::vector<Times> &v, double Times::*member) {
        double m = v.front().*member;
        for (const Times &t : v)
            m = std::min(m, t.*member);
        return m;
    };
    std::printf("project: %d tables x %d fields; %zu files, %.1f MB\n", tables, fields, files.size(),
                double(totalBytes) / 1e6);
    std::printf("best of %d             wall ms   thread cpu ms   of it user ms\n", repeats);
    const std::pair<const char *, const std::vector<Times> *> rows[] = {
        {"GenerateAll          ", &gen}, {"plain writes         ", &plain}, {"output routines alone", &routines}};
    for (const auto &[name, v] : rows)
        std::printf("%s %8.1f %12.1f %15.1f\n", name, best(*v, &Times::wall), best(*v, &Times::cpu),
                    best(*v, &Times::user));
    std::printf("ratio GenerateAll / plain writes: wall %.2f, cpu %.2f (target 1.5 or less)\n",
                best(gen, &Times::wall) / best(plain, &Times::wall), best(gen, &Times::cpu) / best(plain, &Times::cpu));
    std::printf("ratio output routines / plain writes: wall %.2f, cpu %.2f\n",
                best(routines, &Times::wall) / best(plain, &Times::wall),
                best(routines, &Times::cpu) / best(plain, &Times::cpu));
    return 0;
}
