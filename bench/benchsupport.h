#pragma once
// What the benchmarks share: the synthetic project and the timing record.
#include "model/project.h"

#include <algorithm>
#include <vector>

namespace tess {

// tables x fields of every type, value lists on every seventh field and a
// primary key on the first of each table.
inline void fillProject(MyDB &db, int tables, int fields)
{
    ResetProject(db);
    db.DBName = QStringLiteral("benchmark");
    db.UserName = QStringLiteral("user");
    db.Password = QStringLiteral("secret");
    for (int t = 1; t <= tables; ++t) {
        MyTable &table = *db.Tables.Add(QStringLiteral("Table caption %1").arg(t), QStringLiteral("table_%1").arg(t));
        table.RedirectAfterInsert = QStringLiteral("table_%1_view.php").arg(t);
        for (int f = 1; f <= fields; ++f) {
            MyField &field = *table.Fields.Add(
                f % 7 == 0 ? QStringLiteral("one;;two;;three") : QString(), {}, {}, {},
                QStringLiteral("Field caption %1 \xe9").arg(f), QStringLiteral("field_%1").arg(f), f == 1, false,
                1 + f % 23, qint16(f * 3), qint16(f % 5), f % 3 ? QString() : QStringLiteral("0"), false, f % 2,
                f == 1, f % 4 == 0, false);
            field.Index = qint16(f);
            field.ColumnWidth = 150;
            field.pNumChars = 40;
            field.pMaxUploadSize = 1024 * f;
        }
    }
}

struct Times {
    std::vector<double> ms;
    void add(qint64 ns) { ms.push_back(double(ns) / 1e6); }
    double best() const { return *std::min_element(ms.begin(), ms.end()); }
    double median() const
    {
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        return s[s.size() / 2];
    }
};

} // namespace tess
