// The table and field commands' changes to the project.
#include "app/projectedits.h"
#include "model/constants.h"

#include <QtTest>

using namespace tess;

namespace {

MyField &add(MyTable &t, const QString &name, qint16 index = 0)
{
    return *t.Fields.Add(
        {.Name = name, .Caption = name.toUpper(), .Index = index, .pDataType = Dt::Int, .pLength = 11});
}

} // namespace

class TestProjectEdits : public QObject {
    Q_OBJECT
private slots:
    void newTableNames_data();
    void newTableNames();
    void newField_data();
    void newField();
    void deleteTableAndField();
    void move_data();
    void move();
};

void TestProjectEdits::newTableNames_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty project") << QStringList() << "table1";
    QTest::newRow("1 and 3: 3 taken, 2 unused") << QStringList{"table1", "table3"} << "table4";
    QTest::newRow("count + 1 free") << QStringList{"table2", "other"} << "table3";
    QTest::newRow("other case is taken") << QStringList{"Table2", "x"} << "table3";
    QTest::newRow("upper case is taken") << QStringList{"a", "TABLE3", "b"} << "table4";
}

void TestProjectEdits::newTableNames()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    MyDB db;
    for (const QString &name : existing)
        db.Tables.Add(name, name);
    const TablePtr t = addNewTable(db);
    QCOMPARE(t->Name, expected);
    QCOMPARE(t->Caption, QStringLiteral("Table ") + expected.mid(5));
    QCOMPARE(t->Fields.Count(), 0);
    QCOMPARE(db.Tables.Item(db.Tables.Count()), t);
}

void TestProjectEdits::newField_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("index");
    QTest::newRow("empty table") << QStringList() << "field1" << 0;
    QTest::newRow("1 and 3") << QStringList{"field1", "field3"} << "field4" << 2;
    QTest::newRow("other case is taken") << QStringList{"FIELD2", "x"} << "field3" << 2;
}

void TestProjectEdits::newField()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    QFETCH(int, index);
    MyTable t;
    t.Name = QStringLiteral("items");
    t.AlterSQL = QStringLiteral("ALTER TABLE `items` DROP `old`;;");
    qint16 i = 0;
    for (const QString &name : existing)
        add(t, name, i++);
    const FieldPtr f = addNewField(t);
    QCOMPARE(f->Name, expected);
    QCOMPARE(f->Caption, QStringLiteral("Field ") + expected.mid(5));
    QCOMPARE(f->pDataType, int(Dt::Int));
    QCOMPARE(int(f->Index), index);
    QVERIFY(!f->pPrimaryKey && !f->pNotNull && f->ParentTable.isEmpty());
    QCOMPARE(t.AlterSQL, "ALTER TABLE `items` DROP `old`;;ALTER TABLE `items` ADD `" + expected + "` INT;;");
}

void TestProjectEdits::deleteTableAndField()
{
    MyDB db;
    MyTable &a = *db.Tables.Add(QStringLiteral("A"), QStringLiteral("a"));
    MyTable &b = *db.Tables.Add(QStringLiteral("B"), QStringLiteral("b"));
    add(b, QStringLiteral("id"));
    add(b, QStringLiteral("name"));
    b.AlterSQL = QStringLiteral("ALTER TABLE `b` ADD `name` INT;;");
    QCOMPARE(tablePosition(db, QStringLiteral("b")), 2);
    QCOMPARE(tablePosition(db, QStringLiteral("B")), 0);
    QCOMPARE(fieldPosition(b, QStringLiteral("name")), 2);

    deleteField(b, 2);
    QCOMPARE(b.Fields.Count(), 1);
    QCOMPARE(b.AlterSQL, QStringLiteral("ALTER TABLE `b` ADD `name` INT;;ALTER TABLE `b` DROP `name`;;"));
    deleteField(b, 1);
    QCOMPARE(b.Fields.Count(), 0);

    a.AlterSQL = QStringLiteral("x;;");
    deleteTable(db, 1);
    QCOMPARE(db.Tables.Count(), 1);
    QCOMPARE(db.Tables.Item(1)->Name, QStringLiteral("b"));
}

void TestProjectEdits::move_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("down") << 1 << 1 << QStringList{"name", "id", "kind"};
    QTest::newRow("up") << 3 << -1 << QStringList{"id", "kind", "name"};
    QTest::newRow("last down") << 3 << 1 << QStringList{"id", "name", "kind"};
    QTest::newRow("first up") << 1 << -1 << QStringList{"id", "name", "kind"};
}

void TestProjectEdits::move()
{
    QFETCH(int, position);
    QFETCH(int, step);
    QFETCH(QStringList, order);
    MyTable t;
    t.Name = QStringLiteral("items");
    MyField &id = add(t, QStringLiteral("id"), 0);
    id.pPrimaryKey = true;
    id.pAutoIncrement = true;
    add(t, QStringLiteral("name"), 1).ColumnWidth = 200;
    MyField &kind = add(t, QStringLiteral("kind"), 2);
    kind.ParentTable = QStringLiteral("kinds");
    kind.ParentIDField = QStringLiteral("kid");
    kind.ParentCaptionField = QStringLiteral("title");
    kind.CSValueListType = 2;
    const FieldPtr first = t.Fields.Item(1);

    QCOMPARE(moveField(t, position, step), order != QStringList({"id", "name", "kind"}));
    QCOMPARE(t.Fields.Count(), 3);
    QStringList names;
    for (const auto &f : t.Fields)
        names << f->Name;
    QCOMPARE(names, order);
    QCOMPARE(t.Fields.Item(1), first); // the objects keep their places
    QCOMPARE(t.AlterSQL, QString());
    for (const auto &f : t.Fields) {
        // Each field's key, lookup and options went with its name.
        QCOMPARE(f->pPrimaryKey, f->Name == QStringLiteral("id"));
        QCOMPARE(f->pAutoIncrement, f->Name == QStringLiteral("id"));
        QCOMPARE(f->ParentTable.isEmpty(), f->Name != QStringLiteral("kind"));
        QCOMPARE(f->ParentCaptionField.isEmpty(), f->Name != QStringLiteral("kind"));
        QCOMPARE(f->CSValueListType == 2, f->Name == QStringLiteral("kind"));
        QCOMPARE(f->ColumnWidth == 200, f->Name == QStringLiteral("name"));
        QCOMPARE(f->Caption, f->Name.toUpper());
        QCOMPARE(int(f->Index), f->Name == QStringLiteral("id") ? 0 : f->Name == QStringLiteral("name") ? 1 : 2);
    }
}

QTEST_GUILESS_MAIN(TestProjectEdits)
#include "tst_projectedits.moc"
