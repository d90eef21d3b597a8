#include "model/datesettings.h"

#include <QtTest>

using namespace tess;

namespace {
MyDB project(const Variant &format, const Variant &separator)
{
    MyDB db;
    db.DateFormat = format;
    db.DateSeparator = separator;
    return db;
}
} // namespace

class TestDateSettings : public QObject {
    Q_OBJECT
private slots:
    void derive_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("separatorCode");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("mysql");
        QTest::newRow("new project: month-day-year, slash") << 3 << 4 << "/" << "12/31/2004" << "%m/%d/%Y";
        QTest::newRow("year-month-day, dash") << 1 << 1 << "-" << "2004-12-31" << "%Y-%m-%d";
        QTest::newRow("day-month-year, blank") << 2 << 2 << " " << "31 12 2004" << "%d %m %Y";
        QTest::newRow("day-month-year, point") << 2 << 3 << "." << "31.12.2004" << "%d.%m.%Y";
        QTest::newRow("year-month-day, slash") << 1 << 4 << "/" << "2004/12/31" << "%Y/%m/%d";
        QTest::newRow("month-day-year, comma") << 3 << 5 << "," << "12,31,2004" << "%m,%d,%Y";
        QTest::newRow("separator 0") << 1 << 0 << "/" << "2004/12/31" << "%Y/%m/%d";
        QTest::newRow("separator 6") << 1 << 6 << "/" << "2004/12/31" << "%Y/%m/%d";
        QTest::newRow("separator negative") << 2 << -1 << "/" << "31/12/2004" << "%d/%m/%Y";
    }
    void derive()
    {
        QFETCH(int, format);
        QFETCH(int, separatorCode);
        QFETCH(QString, separator);
        QFETCH(QString, preview);
        QFETCH(QString, mysql);

        const DateSettings asNumbers = deriveDateSettings(project(format, separatorCode));
        QCOMPARE(asNumbers.separator, separator);
        QCOMPARE(asNumbers.preview, preview);
        QCOMPARE(asNumbers.mysqlFormat, mysql);

        // As read back from a project file, the same values are texts.
        const DateSettings asTexts =
            deriveDateSettings(project(QString::number(format), QString::number(separatorCode)));
        QCOMPARE(asTexts.separator, separator);
        QCOMPARE(asTexts.preview, preview);
        QCOMPARE(asTexts.mysqlFormat, mysql);
    }

    void textSettings_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("separatorText");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("mysql");
        QTest::newRow("blanks around") << " 1 " << " 3 " << "." << "%Y.%m.%d";
        QTest::newRow("not a number") << "3" << "dash" << "/" << "%m/%d/%Y";
        QTest::newRow("empty texts") << "" << "" << "/" << "%m/%d/%Y";
        QTest::newRow("too large") << "3" << "99999" << "/" << "%m/%d/%Y";
    }
    void textSettings()
    {
        QFETCH(QString, format);
        QFETCH(QString, separatorText);
        QFETCH(QString, separator);
        QFETCH(QString, mysql);
        const DateSettings d = deriveDateSettings(project(format, separatorText));
        QCOMPARE(d.separator, separator);
        QCOMPARE(d.mysqlFormat, mysql);
    }

    void freshProject()
    {
        // Nothing set yet: the fallback separator and order.
        const DateSettings d = deriveDateSettings(MyDB());
        QCOMPARE(d.separator, QStringLiteral("/"));
        QCOMPARE(d.mysqlFormat, QStringLiteral("%m/%d/%Y"));
    }
};

QTEST_GUILESS_MAIN(TestDateSettings)
#include "tst_datesettings.moc"
