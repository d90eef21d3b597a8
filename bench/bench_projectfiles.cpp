// Reads and writes a synthetic project of 500 tables with 40 fields each and
// prints the best and median time of several runs of each.
// Usage: bench_projectfiles [file to keep the project in]
#include "benchsupport.h"
#include "converter/projectwriter.h"
#include "model/xmlreader.h"
#include "platform/ui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tess;

namespace {

// Lets the event loop run at every yield of the reader and writer, as the
// program's own services do; everything else answers silently.
class EventLoopUi final : public UiServices {
public:
    EventLoopUi() { setUi(this); }
    ~EventLoopUi() override { setUi(nullptr); }
    int messageBox(const QString &, int, const QString &) override { return Answer::Ok; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int tables = 500, fields = 40, runs = 7;

    MyDB db;
    fillProject(db, tables, fields);
    // An argument names a file to keep the project in, for a look at it.
    QTemporaryDir dir;
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("bench.tzx"));

    // Writes first, then reads: a read right after a write gets memory the
    // heap has just handed back to the system, and pays for touching it
    // afresh, so the first read is reported on its own.
    Times write, read;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        WriteXmlProject(path, db);
        write.add(timer.nsecsElapsed());
    }
    double firstRead = 0;
    for (int i = 0; i < runs; ++i) {
        MyDB back;
        ResetProject(back);
        QElapsedTimer timer;
        timer.start();
        const bool ok = ReadXmlProject(path, back);
        const qint64 ns = timer.nsecsElapsed();
        if (i == 0)
            firstRead = double(ns) / 1e6;
        else
            read.add(ns);
        if (!ok || back.Tables.Count() != tables || back.Tables.Item(tables)->Fields.Count() != fields) {
            std::fprintf(stderr, "read back failed\n");
            return 1;
        }
    }
    std::printf("project: %d tables x %d fields, file %.1f MB, %d runs\n", tables, fields,
                double(QFileInfo(path).size()) / 1e6, runs);
    std::printf("write: best %.1f ms, median %.1f ms\n", write.best(), write.median());
    std::printf("read:  best %.1f ms, median %.1f ms (first read %.1f ms)\n", read.best(), read.median(), firstRead);

    // The same with the event loop run at every yield, as in the program.
    {
        EventLoopUi ui;
        QElapsedTimer timer;
        timer.start();
        WriteXmlProject(path, db);
        const double w = double(timer.nsecsElapsed()) / 1e6;
        MyDB back;
        ResetProject(back);
        timer.restart();
        ReadXmlProject(path, back);
        const double r = double(timer.nsecsElapsed()) / 1e6;
        std::printf("with the event loop at every yield: write %.1f ms, read %.1f ms\n", w, r);
    }
    return 0;
}
