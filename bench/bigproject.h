#pragma once
// What the generation benchmarks share: the synthetic project and a clock
// of wall and thread time.
#include "model/constants.h"
#include "model/project.h"

#include <QElapsedTimer>
#include <QString>

#include <ctime>
#include <sys/resource.h>

namespace tess::bench {

inline DBPtr bigProject(int tables, int fields)
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

inline double threadCpuMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

inline double threadUserMs()
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

} // namespace tess::bench
