// Reading of old project files: a full file into the model, files that end
// early, values that do not convert, and readings that follow one another.
#include "oldfile.h"
#include "projectdump.h"

#include "converter/oldprojectreader.h"
#include "platform/scriptedui.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::testing;

namespace {

QStringList fullFileTokens()
{
    QStringList t;
    // T, X, Z, E and H scramble to the five bytes Windows-1252 leaves undefined.
    t << QStringLiteral("TXZEH shop") << QStringLiteral("p&w\u20AC") << QStringLiteral("db.example")
      << QStringLiteral("\u00DCser");
    t << "49" << "C:\\styles\\a.tzs" << "2" << "1" << "4" << "later" << "settings";
    t << "table" << "orders" << "49" << "1" << "49" << "0" << "49" << "49" << "49" << "Orders" << "15" << "25";
    t << "49" << "Order detail" << "2" << "49" << "49" << "orders_view.php" << "ignored";
    t << "field" << "id" << "ID" << "80" << "a;;b" << "pc" << "pid" << "pt" << "49" << "0" << "4" << ""
      << "11" << "49" << "0" << "49" << "1" << "49" << "0";
    t << "49" << "49" << "49" << "49" << "49" << "2048" << "49" << "49" << "ignored";
    t << oldField("name", "15");
    // Markers count in any letter case.
    t << "TABLE" << "customers" << "0" << "0" << "0" << "0" << "0" << "0" << "0" << "Customers" << "5" << "5";
    t << "Field" << "c1" << "" << "0" << "" << "" << "" << "" << "0" << "0" << "1" << "x" << "3" << "0" << "0"
      << "0" << "0" << "0" << "0";
    return t;
}

void fillFullProject(MyDB &db)
{
    db.DBName = QStringLiteral("TXZEH shop");
    db.Password = QStringLiteral("p&w\u20AC");
    db.Server = QStringLiteral("db.example");
    db.UserName = QStringLiteral("\u00DCser");
    db.HideNavMenu = true;
    db.StyleSheetFile = QStringLiteral("C:\\styles\\a.tzs");
    db.ScrollStyle = 2;
    db.DateFormat = 1;
    db.DateSeparator = 4;

    MyTable &orders = *db.Tables.Add(QStringLiteral("Orders"), QStringLiteral("orders"));
    orders.AllowDelete = true;
    orders.AllowFilters = false;
    orders.AllowInsert = true;
    orders.AllowPrint = false;
    orders.FilterCount = 15;
    orders.RecordsPerPage = 25;
    orders.HideTableView = true;
    orders.DetailViewLabel = QStringLiteral("Order detail");
    orders.QuickSearch = 2;
    orders.AllowCSV = true;
    orders.AllowSavingFilters = true;
    orders.RedirectAfterInsert = QStringLiteral("orders_view.php");

    MyField &id = *orders.Fields.Add("a;;b", "pc", "pid", "pt", "ID", "id", true, false, 4, 11, 0, {}, false, true,
                                     true, true, false);
    id.ColumnWidth = 80;
    id.pHidden = true;
    id.pNotFiltered = true;
    id.pTableImage = true;
    id.pDetailImage = true;
    id.pAllowImageUpload = true;
    id.pMaxUploadSize = 2048;
    id.pReadOnly = true;
    id.pHideInDetailView = true;
    MyField &name = *orders.Fields.Add({}, {}, {}, {}, "name caption", "name", false, false, 15, 11, 0, {}, false,
                                       false, false, false, false);
    name.ColumnWidth = 100;
    name.Index = 1;

    MyTable &customers = *db.Tables.Add(QStringLiteral("Customers"), QStringLiteral("customers"));
    customers.AllowDelete = customers.AllowFilters = customers.AllowInsert = customers.AllowPrint = false;
    customers.AllowSelection = customers.AllowSorting = customers.AllowUpdate = false;
    customers.FilterCount = 5;
    customers.RecordsPerPage = 5;
    customers.Fields.Add({}, {}, {}, {}, {}, "c1", false, false, 1, 3, 0, "x", false, false, false, false, false);
}

} // namespace

class TestOldReader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("p.tzp"))
    {
        const QString path = m_dir.filePath(name);
        if (!writeBytes(path, bytes))
            qFatal("cannot write the fixture");
        return path;
    }

private slots:
    void fullFile()
    {
        ScriptedUi ui;
        MyDB db;
        QVERIFY(ReadOldProject(file(oldFile(fullFileTokens())), db));
        MyDB expected;
        fillFullProject(expected);
        QCOMPARE(dump(db), dump(expected));
        QVERIFY(ui.shown.isEmpty());
        // The message loop ran after each optional token.
        QVERIFY(ui.processEventsCalls >= 23);
    }

    void tokensAndWhatLiesBetween()
    {
        ScriptedUi ui;
        // Anything outside quotes is skipped; two adjacent quotes are an empty token.
        const QByteArray bytes = "junk " + oldToken("db") + "\r\n;;" + oldToken("") + "\t" + oldToken("srv") + "x,"
                                 + oldToken("user") + "\r\n";
        MyDB db;
        QVERIFY(ReadOldProject(file(bytes), db));
        QCOMPARE(db.DBName, QStringLiteral("db"));
        QCOMPARE(db.Password, QString());
        QCOMPARE(db.Server, QStringLiteral("srv"));
        QCOMPARE(db.UserName, QStringLiteral("user"));
        // Only the database: default settings, no tables.
        QCOMPARE(db.Tables.Count(), 0);
        QVERIFY(db.DateFormat.isEmpty());
        QVERIFY(db.DateSeparator.isEmpty());
        QVERIFY(ui.shown.isEmpty());
    }

    void endings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("result");
        const QStringList full = fullFileTokens();
        const int firstTable = int(full.indexOf("table"));
        const int firstField = int(full.indexOf("field"));
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("inside database fixed") << oldFile(full.mid(0, 3)) << false;
        QTest::newRow("inside table fixed") << oldFile(full.mid(0, firstTable + 6)) << false;
        QTest::newRow("inside field fixed") << oldFile(full.mid(0, firstField + 10)) << false;
        QTest::newRow("fixed token without closing quote")
            << QByteArray(oldFile(full.mid(0, 3)) + "\"" + cp1252::encode(ScrambleText("admin"))) << false;
        QTest::newRow("database fixed only") << oldFile(full.mid(0, 4)) << true;
        QTest::newRow("inside database run") << oldFile(full.mid(0, 6)) << true;
        QTest::newRow("at a table marker") << oldFile(full.mid(0, firstTable + 1)) << false;
        QTest::newRow("inside table run") << oldFile(full.mid(0, firstTable + 14)) << true;
        QTest::newRow("inside field run") << oldFile(full.mid(0, firstField + 22)) << true;
        QTest::newRow("optional token without closing quote")
            << QByteArray(oldFile(full.mid(0, 6)) + "\"" + cp1252::encode(ScrambleText("2"))) << true;
    }
    void endings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, result);
        ScriptedUi ui;
        MyDB db;
        QCOMPARE(ReadOldProject(file(bytes), db), result);
        QVERIFY(ui.shown.isEmpty());
    }

    void missingFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty name") << QString();
        QTest::newRow("no such file") << QStringLiteral("/no/such/folder/p.tzp");
        QTest::newRow("a folder") << QStringLiteral("/");
    }
    void missingFiles()
    {
        QFETCH(QString, path);
        ScriptedUi ui;
        MyDB db;
        QVERIFY(!ReadOldProject(path, db));
        QVERIFY(ui.shown.isEmpty());
    }

    // A value that does not convert stops the reading with its error.
    void badValues_data()
    {
        QTest::addColumn<QStringList>("tokens");
        QTest::addColumn<QString>("message");
        const QString mismatch = QStringLiteral("Error 13: Type mismatch");
        const QString overflow = QStringLiteral("Error 6: Overflow");
        QTest::newRow("flag not a number") << (oldDatabase() + oldTable("t", "49 x 49 49 49 49 49")) << mismatch;
        QTest::newRow("empty flag") << (oldDatabase() + oldTable("t", "49 49 49 49 49 49 49") + oldField("f")
                                        + QStringList{""})
                                    << mismatch;
        // In the database part "field" is an ordinary token, here the first flag.
        QTest::newRow("field in the database part") << (oldDatabase() + QStringList{"field"}) << mismatch;
        QTest::newRow("integer overflow") << (oldDatabase() + oldTable("t", "49 49 49 49 49 49 49", "32768")) << overflow;
        QTest::newRow("long overflow") << (oldDatabase() + oldTable("t") + oldField("f", "2147483648")) << overflow;
        QTest::newRow("optional integer overflow") << (oldDatabase() + QStringList{"0", "", "-32769"}) << overflow;
        QTest::newRow("number beyond any") << (oldDatabase() + QStringList{"0", "", "0", "1e999"}) << overflow;
    }
    void badValues()
    {
        QFETCH(QStringList, tokens);
        QFETCH(QString, message);
        ScriptedUi ui;
        MyDB db;
        QVERIFY(!ReadOldProject(file(oldFile(tokens)), db));
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].text, message);
        QCOMPARE(ui.shown[0].style, int(Mb::OkOnly));
        QCOMPARE(ui.shown[0].title, programTitle());
    }

    void conversions_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<int>("integer");
        QTest::newRow("49") << "49" << true << 49;
        QTest::newRow("49 with tabs") << "\t49\t" << true << 49;
        QTest::newRow("1") << "1" << false << 1;
        QTest::newRow("0") << "0" << false << 0;
        QTest::newRow("half to even down") << "2.5" << false << 2;
        QTest::newRow("half to even up") << "3.5" << false << 4;
        QTest::newRow("negative") << "-32768" << false << -32768;
    }
    // The same token as a flag (a table permission) and as an Integer (the
    // filter count).
    void conversions()
    {
        QFETCH(QString, token);
        QFETCH(bool, flag);
        QFETCH(int, integer);
        ScriptedUi ui;
        MyDB db;
        QVERIFY(ReadOldProject(file(oldFile(oldDatabase() + oldTable("t", token + " 0 0 0 0 0 0", token))), db));
        QCOMPARE(db.Tables.Item(1)->AllowDelete, flag);
        QCOMPARE(int(db.Tables.Item(1)->FilterCount), integer);
    }

    void numbersReadTheirStart_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("integer");
        QTest::newRow("trailing letters") << "12abc" << 12;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("inner blanks") << "1 2\t3" << 123;
    }
    void numbersReadTheirStart()
    {
        QFETCH(QString, token);
        QFETCH(int, integer);
        ScriptedUi ui;
        MyDB db;
        QVERIFY(ReadOldProject(file(oldFile(oldDatabase() + QStringList{"0", "", token})), db));
        QCOMPARE(int(db.ScrollStyle), integer);
    }

    void dateSettingsHoldTheirNumbers()
    {
        ScriptedUi ui;
        MyDB db;
        QVERIFY(ReadOldProject(file(oldFile(oldDatabase() + QStringList{"0", "", "0", "2px", "2.5"})), db));
        QVERIFY(db.DateFormat.isInteger());
        QCOMPARE(db.DateFormat.toNumber(), 2.0);
        QCOMPARE(db.DateSeparator.toNumber(), 2.5);
    }

    void fieldsNumberedPerTable()
    {
        ScriptedUi ui;
        MyDB db;
        const QStringList tokens = oldDatabase() + oldTable("a") + oldField("a0") + oldField("a1") + oldField("a2")
                                   + oldTable("b") + oldField("b0") + oldField("b1");
        QVERIFY(ReadOldProject(file(oldFile(tokens)), db));
        QCOMPARE(db.Tables.Count(), 2);
        QList<int> indexes;
        for (const TablePtr &t : db.Tables)
            for (const FieldPtr &f : t->Fields)
                indexes << f->Index;
        QCOMPARE(indexes, (QList<int>{0, 1, 2, 0, 1}));
        QCOMPARE(db.Tables.Item(2)->Fields.Item(1)->Name, QStringLiteral("b0"));
    }

    // Nothing of a reading that failed half-way carries over into the next.
    void readingsAreIndependent()
    {
        ScriptedUi ui;
        const QString bad = file(oldFile(oldDatabase("first") + oldTable("t", "x 0 0 0 0 0 0")), "a.tzp");
        const QString good = file(oldFile(oldDatabase("second")), "b.tzp");
        MyDB a;
        QVERIFY(!ReadOldProject(bad, a));
        MyDB b;
        QVERIFY(ReadOldProject(good, b));
        QCOMPARE(b.DBName, QStringLiteral("second"));
        QCOMPARE(b.UserName, QStringLiteral("admin"));
        MyDB c;
        QVERIFY(!ReadOldProject(file(oldFile(oldDatabase().mid(0, 2)), "c.tzp"), c));
        MyDB d;
        QVERIFY(ReadOldProject(good, d));
        QCOMPARE(dump(d), dump(b));
    }
};

QTEST_GUILESS_MAIN(TestOldReader)
#include "tst_oldreader.moc"
