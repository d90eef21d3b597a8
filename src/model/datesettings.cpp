#include "model/datesettings.h"

namespace tess {

namespace {
// Settings read from a project file are texts; a text that is no number
// selects the fallback like any other unknown value.
int settingNumber(const Variant &v)
{
    try {
        return v.toInt();
    } catch (...) {
        return -1;
    }
}
} // namespace

DateSettings deriveDateSettings(const MyDB &db)
{
    DateSettings d;
    switch (settingNumber(db.DateSeparator)) {
    case 1: d.separator = QStringLiteral("-"); break;
    case 2: d.separator = QStringLiteral(" "); break;
    case 3: d.separator = QStringLiteral("."); break;
    case 5: d.separator = QStringLiteral(","); break;
    default: d.separator = QStringLiteral("/"); break;
    }
    const QString y = QStringLiteral("2004"), m = QStringLiteral("12"), dd = QStringLiteral("31");
    switch (settingNumber(db.DateFormat)) {
    case 1: d.preview = y + d.separator + m + d.separator + dd; break;
    case 2: d.preview = dd + d.separator + m + d.separator + y; break;
    default: d.preview = m + d.separator + dd + d.separator + y; break;
    }
    d.mysqlFormat = d.preview;
    d.mysqlFormat.replace(y, QStringLiteral("%Y"));
    d.mysqlFormat.replace(dd, QStringLiteral("%d"));
    d.mysqlFormat.replace(m, QStringLiteral("%m"));
    return d;
}

} // namespace tess
