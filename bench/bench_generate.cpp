// Generates a large project (500 tables of 40 fields) into a fresh folder
// and compares the time with writing the same bytes by plain file writes.
// Usage: bench_generate [tables] [fields] [repeats] [output folder]
// The output folder, when given, receives the first generation, so that two
// builds can be compared byte for byte.
#include "generator/generators.h"
#include "bigproject.h"

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
using namespace tess::bench;

namespace {

class QuietHost : public GenerationHost {
public:
    qsizetype logSize = 0;
    void appendLog(const QString &piece) override { logSize += piece.size(); }
    QString askOverwrite(const OverwriteQuestion &, qint16 &) override { return QStringLiteral("1"); }
    void showError(const QString &message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
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
    GenerateAll(db, run);
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
