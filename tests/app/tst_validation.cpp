// Generate's checks: each message by the smallest project that fails it,
// the order in which problems are found, and what the checks write into
// the project on the way.
#include "app/validateproject.h"
#include "generator/testhost.h"
#include "model/constants.h"

#include <QtTest>

using namespace tess;

namespace {

using Mutate = void (*)(MyDB &);

MyField &add(MyTable &t, const QString &name, int type, qint16 length = 0, bool pk = false)
{
    return *t.Fields.Add({.Name = name, .Caption = name, .pPrimaryKey = pk, .pDataType = type, .pLength = length});
}

// Two tables that pass every check: items refers to kinds.
DBPtr goodProject()
{
    auto db = std::make_shared<MyDB>();
    db->DBName = QStringLiteral("shop");
    MyTable &kinds = *db->Tables.Add(QStringLiteral("Kinds"), QStringLiteral("kinds"));
    add(kinds, QStringLiteral("kid"), Dt::Int, 11, true).pAutoIncrement = true;
    add(kinds, QStringLiteral("title"), Dt::VarChar, 40);
    MyTable &items = *db->Tables.Add(QStringLiteral("Items"), QStringLiteral("items"));
    add(items, QStringLiteral("id"), Dt::Int, 11, true);
    add(items, QStringLiteral("name"), Dt::VarChar, 40);
    MyField &kind = add(items, QStringLiteral("kind"), Dt::Int, 11);
    kind.ParentTable = QStringLiteral("kinds");
    kind.ParentIDField = QStringLiteral("kid");
    kind.ParentCaptionField = QStringLiteral("title");
    return db;
}

MyTable &items(MyDB &db) { return *db.Tables.Item(2); }
MyField &field(MyDB &db, const char *name)
{
    for (const auto &f : items(db).Fields)
        if (f->Name == QLatin1String(name))
            return *f;
    return *items(db).Fields.Item(1);
}

} // namespace

Q_DECLARE_METATYPE(Mutate)

class TestValidation : public QObject {
    Q_OBJECT
private slots:
    void good();
    void messages_data();
    void messages();
    void order_data();
    void order();
    void normalisations();
    void imageUpload();
    void renamedWhileChecking_data();
    void renamedWhileChecking();
};

void TestValidation::good()
{
    DBPtr db = goodProject();
    // Words MySQL reserves are taken quoted: projects use them.
    field(*db, "name").Name = QStringLiteral("status");
    test::RecordingHost log;
    bool upload = false;
    QVERIFY(ValidateProject(*db, log, upload));
    QCOMPARE(log.log, QString());
    QVERIFY(!upload);
    // One message-loop pass per field.
    QCOMPARE(log.processEventsCalls, 5);
}

void TestValidation::messages_data()
{
    QTest::addColumn<Mutate>("mutate");
    QTest::addColumn<QString>("message");

    QTest::newRow("no tables") << Mutate([](MyDB &db) { db.Tables.Clear(); }) << "The database has no tables.";
    QTest::newRow("no fields") << Mutate([](MyDB &db) { db.Tables.Add(QStringLiteral("E"), QStringLiteral("empty")); })
                               << "Table 'empty' has no fields.";
    QTest::newRow("empty page") << Mutate([](MyDB &db) { items(db).HideTableView = true; items(db).AllowSelection = false; })
                                << "You can't choose to simultaneously hide the table view for\r\n"
                                   "table 'items' and disable its detail view. This will lead to an empty page.";
    QTest::newRow("pk lookup") << Mutate([](MyDB &db) {
        field(db, "kind").pPrimaryKey = true;
        field(db, "id").pPrimaryKey = false;
    }) << "Field 'items.kind' cannot be a primary key and a foreign key at the same time.";
    QTest::newRow("pk value list") << Mutate([](MyDB &db) { field(db, "id").CSValueList = QStringLiteral("1;;2"); })
                                   << "Field 'items.id' cannot be a primary key and a value list at the same time.";
    QTest::newRow("pk blob") << Mutate([](MyDB &db) { field(db, "id").pDataType = Dt::Text; })
                             << "Field 'items.id' cannot be a primary key while having a BLOB or TEXT data type.\r\n"
                                "Please either change its data type or specify another primary key field.";
    QTest::newRow("lookup value list") << Mutate([](MyDB &db) { field(db, "kind").CSValueList = QStringLiteral("a"); })
                                       << "Field 'items.kind' cannot be a foreign key and a value list at the same time.";
    QTest::newRow("lookup unique") << Mutate([](MyDB &db) { field(db, "kind").pUnique = true; })
                                   << "Field 'items.kind' cannot be a foreign key and a unique field at the same time.";
    QTest::newRow("lookup autoinc") << Mutate([](MyDB &db) { field(db, "kind").pAutoIncrement = true; })
                                    << "Field 'items.kind' cannot be a foreign key and an auto-increment field at the same time.";
    QTest::newRow("lookup no id") << Mutate([](MyDB &db) { field(db, "kind").ParentIDField.clear(); })
                                  << "Field 'items.kind' has a parent table but no parent id field. You must specify a parent id field.";
    QTest::newRow("missing parent table") << Mutate([](MyDB &db) { field(db, "kind").ParentTable = QStringLiteral("gone"); })
                                          << "The field 'items.kind' refers to a missing parent table or field.";
    QTest::newRow("missing parent id") << Mutate([](MyDB &db) { field(db, "kind").ParentIDField = QStringLiteral("gone"); })
                                       << "The field 'items.kind' refers to a missing parent table or field.";
    QTest::newRow("missing parent caption")
        << Mutate([](MyDB &db) { field(db, "kind").ParentCaptionField = QStringLiteral("gone"); })
        << "The field 'items.kind' refers to a missing parent table or field.";
    QTest::newRow("parent table in other case")
        << Mutate([](MyDB &db) { field(db, "kind").ParentTable = QStringLiteral("Kinds"); })
        << "The field 'items.kind' refers to a missing parent table or field.";
    QTest::newRow("first parent of its name") << Mutate([](MyDB &db) {
        db.Tables.Item(1)->Fields.Item(1)->pDataType = Dt::BigInt;
        MyTable &twin = *db.Tables.Add(QStringLiteral("Kinds again"), QStringLiteral("kinds"));
        add(twin, QStringLiteral("kid"), Dt::Int, 11, true);
        add(twin, QStringLiteral("title"), Dt::VarChar, 40);
    }) << "The data type of the field 'items.kind' doesn't match that of its parent ID field 'kinds.kid'.";
    QTest::newRow("type mismatch") << Mutate([](MyDB &db) { field(db, "kind").pDataType = Dt::BigInt; })
                                   << "The data type of the field 'items.kind' doesn't match that of its parent ID field 'kinds.kid'.";
    QTest::newRow("autoinc not integer") << Mutate([](MyDB &db) { field(db, "name").pAutoIncrement = true; })
                                         << "AutoIncrement fields can be only be of integer data types. The data type of the field 'items.name' is not an integer.";
    QTest::newRow("no type") << Mutate([](MyDB &db) { field(db, "name").pDataType = 0; })
                             << "Field 'items.name' has no data type. Please choose a data type for that field";
    QTest::newRow("type out of range") << Mutate([](MyDB &db) { field(db, "name").pDataType = 24; })
                                       << "Field 'items.name' has no data type. Please choose a data type for that field";
    QTest::newRow("negative type on a key") << Mutate([](MyDB &db) { field(db, "id").pDataType = -3; })
                                            << "Field 'items.id' has no data type. Please choose a data type for that field";
    QTest::newRow("image short") << Mutate([](MyDB &db) { field(db, "name").pTableImage = true; field(db, "name").pLength = 29; })
                                 << "In order for the field 'items.name' to be used as an image, it must have a data type of 'Char' or 'VarChar', and have a length of at least 30.";
    QTest::newRow("image text") << Mutate([](MyDB &db) { field(db, "name").pDetailImage = true; field(db, "name").pDataType = Dt::Text; })
                                << "In order for the field 'items.name' to be used as an image, it must have a data type of 'Char' or 'VarChar', and have a length of at least 30.";
    QTest::newRow("image caption type") << Mutate([](MyDB &db) {
        field(db, "kind").pTableImage = true;
        db.Tables.Item(1)->Fields.Item(2)->pDataType = Dt::Text;
    }) << "In order for the field 'items.kind' to be used as an image, its parent caption field 'kinds.title' must have a data type of 'Char' or 'VarChar'.";
    QTest::newRow("lookup detail image") << Mutate([](MyDB &db) { field(db, "kind").pDetailImage = true; })
                                         << "The field 'items.kind' can't be a foreign key and a detail view image simultaneously.";
    QTest::newRow("lookup uploader") << Mutate([](MyDB &db) { field(db, "kind").pTableImage = true; field(db, "kind").pAllowImageUpload = true; })
                                     << "The field 'items.kind' can't be a foreign key and an image uploader simultaneously.";
    QTest::newRow("image value list") << Mutate([](MyDB &db) {
        field(db, "name").pTableImage = true;
        field(db, "name").pLength = 30;
        field(db, "name").CSValueList = QStringLiteral("a;;b");
    }) << "In order for the field 'items.name' to be used as an image, it can't have a value list defined.";
    QTest::newRow("blob default") << Mutate([](MyDB &db) { field(db, "name").pDataType = Dt::Blob; field(db, "name").pDefault = QStringLiteral("x"); })
                                  << "Field 'items.name' can't have a default value because its data type is BLOB or TEXT.";
    QTest::newRow("no pk") << Mutate([](MyDB &db) { field(db, "id").pPrimaryKey = false; })
                           << "Table 'items' has no primary keys. Please mark one of its fields as primary or create a new primary key.";
    QTest::newRow("two pks") << Mutate([](MyDB &db) { field(db, "name").pPrimaryKey = true; })
                             << "Table 'items' has too many primary keys. Only one primary key is allowed per table.";
    QTest::newRow("two autoincs") << Mutate([](MyDB &db) { field(db, "id").pAutoIncrement = true; add(items(db), QStringLiteral("n2"), Dt::Int).pAutoIncrement = true; })
                                  << "Table 'items' has more than one auto increment fields. Only one auto increment field is allowed per table.";
    QTest::newRow("all hidden") << Mutate([](MyDB &db) { for (const auto &f : items(db).Fields) f->pHidden = true; })
                                << "All the fields in the table 'items' are hidden fields. At least one field must not be hidden.";

    const QString invalid = QStringLiteral("' is not valid. Database, table and field names can only contain alphanumeric characters and underscores.");
    QTest::newRow("table name slash") << Mutate([](MyDB &db) { items(db).Name = QStringLiteral("../x"); })
                                      << "The name '../x' in table '../x" + invalid;
    QTest::newRow("table name hyphen") << Mutate([](MyDB &db) { items(db).Name = QStringLiteral("a-b"); })
                                       << "The name 'a-b' in table 'a-b" + invalid;
    QTest::newRow("table name empty") << Mutate([](MyDB &db) { items(db).Name.clear(); })
                                      << "The name '' in table '" + invalid;
    QTest::newRow("field name digit") << Mutate([](MyDB &db) { field(db, "name").Name = QStringLiteral("1st"); })
                                      << "The name '1st' in table 'items" + invalid;
    QTest::newRow("field name quote") << Mutate([](MyDB &db) { field(db, "name").Name = QStringLiteral("a'b"); })
                                      << "The name 'a'b' in table 'items" + invalid;
    QTest::newRow("field name accent") << Mutate([](MyDB &db) { field(db, "name").Name = QStringLiteral("caf\u00e9"); })
                                       << QStringLiteral("The name 'caf\u00e9' in table 'items") + invalid;
    QTest::newRow("parent table name") << Mutate([](MyDB &db) { field(db, "kind").ParentTable = QStringLiteral("k/x"); })
                                       << "The name 'k/x' in table 'items" + invalid;
    QTest::newRow("parent id name") << Mutate([](MyDB &db) { field(db, "kind").ParentIDField = QStringLiteral("k d"); })
                                    << "The name 'k d' in table 'items" + invalid;
    QTest::newRow("parent caption name") << Mutate([](MyDB &db) { field(db, "kind").ParentCaptionField = QStringLiteral("t.x"); })
                                         << "The name 't.x' in table 'items" + invalid;
}

void TestValidation::messages()
{
    QFETCH(Mutate, mutate);
    QFETCH(QString, message);
    DBPtr db = goodProject();
    mutate(*db);
    test::RecordingHost log;
    bool upload = false;
    QVERIFY(!ValidateProject(*db, log, upload));
    QCOMPARE(log.log, message);
    QCOMPARE(log.pieces.size(), 1);
}

// Which of two problems is reported.
void TestValidation::order_data()
{
    QTest::addColumn<Mutate>("mutate");
    QTest::addColumn<QString>("message");
    QTest::newRow("first table first") << Mutate([](MyDB &db) {
        db.Tables.Item(1)->Fields.Clear();
        items(db).Fields.Clear();
    }) << "Table 'kinds' has no fields.";
    QTest::newRow("no pk before two autoincs") << Mutate([](MyDB &db) {
        field(db, "id").pPrimaryKey = false;
        field(db, "id").pAutoIncrement = true;
        add(items(db), QStringLiteral("n2"), Dt::Int).pAutoIncrement = true;
    }) << "Table 'items' has no primary keys. Please mark one of its fields as primary or create a new primary key.";
    QTest::newRow("no type before autoinc type") << Mutate([](MyDB &db) {
        field(db, "name").pDataType = 0;
        field(db, "name").pAutoIncrement = true;
    }) << "Field 'items.name' has no data type. Please choose a data type for that field";
    QTest::newRow("hidden only field without pk") << Mutate([](MyDB &db) {
        MyTable &t = *db.Tables.Add(QStringLiteral("H"), QStringLiteral("h"));
        add(t, QStringLiteral("x"), Dt::Int).pHidden = true;
    }) << "Table 'h' has no primary keys. Please mark one of its fields as primary or create a new primary key.";
}

void TestValidation::order() { messages(); }

void TestValidation::normalisations()
{
    DBPtr db = goodProject();
    MyField &kind = field(*db, "kind");
    kind.ParentCaptionField.clear();
    MyField &id = field(*db, "id");
    id.pNotNull = true;
    id.pUnique = true;
    test::RecordingHost log;
    bool upload = false;
    QVERIFY(ValidateProject(*db, log, upload));
    QCOMPARE(kind.ParentCaptionField, QStringLiteral("kid"));
    QVERIFY(!id.pNotNull);
    QVERIFY(!id.pUnique);

    // Writes made before a failure stay.
    db = goodProject();
    MyField &key = *db->Tables.Item(1)->Fields.Item(1);
    key.pNotNull = true;
    field(*db, "name").pDataType = 0;
    QVERIFY(!ValidateProject(*db, log, upload));
    QVERIFY(!key.pNotNull);
}

void TestValidation::imageUpload()
{
    DBPtr db = goodProject();
    MyField &name = field(*db, "name");
    name.pAllowImageUpload = true;
    bool upload = false;
    test::RecordingHost log;
    QVERIFY(ValidateProject(*db, log, upload));
    QVERIFY(upload);

    // Only fields visited before the failure count.
    upload = false;
    field(*db, "id").pDataType = 0;
    QVERIFY(!ValidateProject(*db, log, upload));
    QVERIFY(!upload);
}

// The message loop runs between the fields: the lookups see a table under
// the name it has at that moment.
void TestValidation::renamedWhileChecking_data()
{
    QTest::addColumn<QString>("parentTable");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("message");
    QTest::newRow("away from the lookup's name")
        << "kinds" << "sorts" << "The field 'items.kind' refers to a missing parent table or field.";
    QTest::newRow("to the lookup's name") << "sorts" << "sorts" << "";
}

void TestValidation::renamedWhileChecking()
{
    QFETCH(QString, parentTable);
    QFETCH(QString, newName);
    QFETCH(QString, message);
    struct RenamingHost : test::RecordingHost {
        MyTable *table = nullptr;
        QString newName;
        void processEvents() override
        {
            if (++processEventsCalls == 1)
                table->Name = newName;
        }
    } log;
    DBPtr db = goodProject();
    field(*db, "kind").ParentTable = parentTable;
    log.table = db->Tables.Item(1).get();
    log.newName = newName;
    bool upload = false;
    QCOMPARE(ValidateProject(*db, log, upload), message.isEmpty());
    QCOMPARE(log.log, message);
}

QTEST_GUILESS_MAIN(TestValidation)
#include "tst_validation.moc"
