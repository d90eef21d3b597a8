#include "model/project.h"
#include "platform/runtimeerror.h"

#include "support/errorof.h"

#include <QtTest>

#include <functional>

using namespace tess;
using tess::test::errorOf;

namespace {

QStringList names(const MyTables &tables)
{
    QStringList out;
    for (const auto &t : tables)
        out << t->Name;
    return out;
}

QStringList names(const MyFields &fields)
{
    QStringList out;
    for (const auto &f : fields)
        out << f->Name;
    return out;
}

// A field whose every member differs from a fresh one and from fieldB().
MyField fieldA()
{
    MyField f;
    f.Name = "a_name"; f.Caption = "A caption"; f.Index = 1;
    f.ParentTable = "a_parent"; f.ParentIDField = "a_id"; f.ParentCaptionField = "a_cap";
    f.CSValueList = "x;;y"; f.CSValueListType = 1;
    f.pPrimaryKey = true; f.pUnique = true; f.pDataType = 15; f.pLength = 40; f.pPrecision = 2;
    f.pDefault = "dflt"; f.pBinary = true; f.pNotNull = true; f.pAutoIncrement = true;
    f.pUnsigned = true; f.pZeroFill = true; f.ColumnWidth = 150; f.pHidden = true;
    f.pNotFiltered = true; f.pTableImage = true; f.pDetailImage = true; f.pTableLink = true;
    f.pDetailLink = true; f.pAllowImageUpload = true; f.pUploadFileTypes = "pdf";
    f.pMaxUploadSize = 1024; f.pHideInDetailView = true; f.pReadOnly = true; f.pNumChars = 30;
    f.pDeleteFiles = true; f.pNoFileRename = true; f.pTextarea = true;
    return f;
}

MyField fieldB()
{
    MyField f;
    f.Name = "b_name"; f.Caption = "B caption"; f.Index = 2;
    f.ParentTable = "b_parent"; f.ParentIDField = "b_id"; f.ParentCaptionField = "b_cap";
    f.CSValueList = "z"; f.CSValueListType = 2;
    f.pPrimaryKey = false; f.pUnique = false; f.pDataType = 4; f.pLength = 11; f.pPrecision = 0;
    f.pDefault = ""; f.pUploadFileTypes = "jpg"; f.pMaxUploadSize = 5; f.pNumChars = 3;
    f.ColumnWidth = 80;
    return f;
}

// The members that every copy carries.
void compareOptions(const MyField &d, const MyField &s)
{
    QCOMPARE(d.ColumnWidth, s.ColumnWidth);
    QCOMPARE(d.CSValueList, s.CSValueList);
    QCOMPARE(d.CSValueListType, s.CSValueListType);
    QCOMPARE(d.pUnique, s.pUnique);
    QCOMPARE(d.pDataType, s.pDataType);
    QCOMPARE(d.pLength, s.pLength);
    QCOMPARE(d.pPrecision, s.pPrecision);
    QCOMPARE(d.pDefault, s.pDefault);
    QCOMPARE(d.pBinary, s.pBinary);
    QCOMPARE(d.pNotNull, s.pNotNull);
    QCOMPARE(d.pAutoIncrement, s.pAutoIncrement);
    QCOMPARE(d.pUnsigned, s.pUnsigned);
    QCOMPARE(d.pZeroFill, s.pZeroFill);
    QCOMPARE(d.pHidden, s.pHidden);
    QCOMPARE(d.pNotFiltered, s.pNotFiltered);
    QCOMPARE(d.pTableImage, s.pTableImage);
    QCOMPARE(d.pDetailImage, s.pDetailImage);
    QCOMPARE(d.pTableLink, s.pTableLink);
    QCOMPARE(d.pDetailLink, s.pDetailLink);
    QCOMPARE(d.pAllowImageUpload, s.pAllowImageUpload);
    QCOMPARE(d.pUploadFileTypes, s.pUploadFileTypes);
    QCOMPARE(d.pMaxUploadSize, s.pMaxUploadSize);
    QCOMPARE(d.pHideInDetailView, s.pHideInDetailView);
    QCOMPARE(d.pReadOnly, s.pReadOnly);
    QCOMPARE(d.pNumChars, s.pNumChars);
    QCOMPARE(d.pDeleteFiles, s.pDeleteFiles);
    QCOMPARE(d.pNoFileRename, s.pNoFileRename);
    QCOMPARE(d.pTextarea, s.pTextarea);
}

void compareIdentity(const MyField &d, const MyField &s)
{
    QCOMPARE(d.Name, s.Name);
    QCOMPARE(d.Caption, s.Caption);
    QCOMPARE(d.Index, s.Index);
    QCOMPARE(d.pPrimaryKey, s.pPrimaryKey);
}

void compareLookup(const MyField &d, const MyField &s)
{
    QCOMPARE(d.ParentTable, s.ParentTable);
    QCOMPARE(d.ParentIDField, s.ParentIDField);
    QCOMPARE(d.ParentCaptionField, s.ParentCaptionField);
}
} // namespace

class TestProject : public QObject {
    Q_OBJECT
private slots:
    void tableDefaults()
    {
        MyTables tables;
        const TablePtr t = tables.Add(QStringLiteral("Customers"), QStringLiteral("customers"), QString());
        QCOMPARE(tables.Count(), 1);
        QCOMPARE(tables.Item(1), t);
        QCOMPARE(t->Caption, QStringLiteral("Customers"));
        QCOMPARE(t->Name, QStringLiteral("customers"));
        QVERIFY(t->AllowSelection);
        QVERIFY(t->AllowUpdate);
        QVERIFY(t->AllowInsert);
        QVERIFY(t->AllowDelete);
        QVERIFY(t->AllowPrint);
        QVERIFY(t->AllowSorting);
        QVERIFY(t->AllowFilters);
        QVERIFY(!t->AllowSavingFilters);
        QVERIFY(!t->HideTableView);
        QVERIFY(!t->AllowCSV);
        QVERIFY(!t->pkChanged);
        QCOMPARE(t->FilterCount, qint16(10));
        QCOMPARE(t->RecordsPerPage, qint16(10));
        QCOMPARE(t->QuickSearch, qint16(3));
        QCOMPARE(t->DetailViewLabel, QStringLiteral("Detail View"));
        QVERIFY(t->RedirectAfterInsert.isEmpty());
        QVERIFY(t->AlterSQL.isEmpty());
        QCOMPARE(t->Fields.Count(), 0);
    }

    void fieldArgumentsAndDefaults_data()
    {
        QTest::addColumn<bool>("flags");
        QTest::newRow("switches off") << false;
        QTest::newRow("switches on") << true;
    }
    void fieldArgumentsAndDefaults()
    {
        QFETCH(bool, flags);
        MyFields fields;
        const FieldPtr f = fields.Add(QStringLiteral("a;;b"), QStringLiteral("pcap"), QStringLiteral("pid"),
                                      QStringLiteral("ptable"), QStringLiteral("Caption"), QStringLiteral("name"),
                                      flags, !flags, 15, 40, 2, QStringLiteral("dflt"), flags, !flags, flags,
                                      !flags, flags);
        QCOMPARE(fields.Count(), 1);
        QCOMPARE(f->CSValueList, QStringLiteral("a;;b"));
        QCOMPARE(f->ParentCaptionField, QStringLiteral("pcap"));
        QCOMPARE(f->ParentIDField, QStringLiteral("pid"));
        QCOMPARE(f->ParentTable, QStringLiteral("ptable"));
        QCOMPARE(f->Caption, QStringLiteral("Caption"));
        QCOMPARE(f->Name, QStringLiteral("name"));
        QCOMPARE(f->pPrimaryKey, flags);
        QCOMPARE(f->pUnique, !flags);
        QCOMPARE(f->pDataType, 15);
        QCOMPARE(f->pLength, qint16(40));
        QCOMPARE(f->pPrecision, qint16(2));
        QCOMPARE(f->pDefault, QStringLiteral("dflt"));
        QCOMPARE(f->pBinary, flags);
        QCOMPARE(f->pNotNull, !flags);
        QCOMPARE(f->pAutoIncrement, flags);
        QCOMPARE(f->pUnsigned, !flags);
        QCOMPARE(f->pZeroFill, flags);
        // Whatever the arguments:
        QCOMPARE(f->Index, qint16(0));
        QCOMPARE(f->ColumnWidth, qint16(0));
        QCOMPARE(f->CSValueListType, qint16(0));
        QCOMPARE(f->pUploadFileTypes, QStringLiteral("jpg|jpeg|gif|png"));
        QCOMPARE(f->pMaxUploadSize, 0);
        QCOMPARE(f->pNumChars, qint16(0));
        QVERIFY(!f->pHidden && !f->pNotFiltered && !f->pTableImage && !f->pDetailImage);
        QVERIFY(!f->pTableLink && !f->pDetailLink && !f->pAllowImageUpload);
        QVERIFY(!f->pHideInDetailView && !f->pReadOnly && !f->pDeleteFiles && !f->pNoFileRename && !f->pTextarea);
    }

    void namedFieldKeepsItsValues()
    {
        // Every member differs from a fresh field's, the upload types too.
        MyFields fields;
        const FieldPtr f = fields.Add(fieldA(), QStringLiteral("a"));
        const MyField want = fieldA();
        compareOptions(*f, want);
        compareIdentity(*f, want);
        compareLookup(*f, want);
        QCOMPARE(fields.Item(QStringLiteral("A")), f);
    }

    void namedFieldAsTheArgumentForm()
    {
        // The members the argument form takes, given by name instead: the
        // rest comes out the same (the upload types set, Index not).
        MyFields fields;
        const FieldPtr listed = fields.Add(QStringLiteral("a;;b"), QStringLiteral("pcap"), QStringLiteral("pid"),
                                           QStringLiteral("ptable"), QStringLiteral("Caption"), QStringLiteral("name"),
                                           true, false, 15, 40, 2, QStringLiteral("dflt"), false, true, true, false,
                                           true, QStringLiteral("k1"));
        const FieldPtr named = fields.Add({.Name = QStringLiteral("name"),
                                           .Caption = QStringLiteral("Caption"),
                                           .ParentTable = QStringLiteral("ptable"),
                                           .ParentIDField = QStringLiteral("pid"),
                                           .ParentCaptionField = QStringLiteral("pcap"),
                                           .CSValueList = QStringLiteral("a;;b"),
                                           .pPrimaryKey = true,
                                           .pDataType = 15,
                                           .pLength = 40,
                                           .pPrecision = 2,
                                           .pDefault = QStringLiteral("dflt"),
                                           .pNotNull = true,
                                           .pAutoIncrement = true,
                                           .pZeroFill = true},
                                          QStringLiteral("k2"));
        compareOptions(*named, *listed);
        compareIdentity(*named, *listed);
        compareLookup(*named, *listed);
        QCOMPARE(named->pUploadFileTypes, QStringLiteral("jpg|jpeg|gif|png"));
        QCOMPARE(named->Index, qint16(0));
        QCOMPARE(fields.Count(), 2);
        QCOMPARE(fields.Item(2), named);
        QCOMPARE(fields.Item(QStringLiteral("K2")), named);
        // A key either form took is in use for the other.
        QCOMPARE(errorOf([&] { fields.Add({.Name = QStringLiteral("other")}, QStringLiteral("K1")); }),
                 int(Err::KeyInUse));
        QCOMPARE(errorOf([&] {
                     fields.Add({}, {}, {}, {}, {}, QStringLiteral("other"), false, false, 0, 0, 0, {}, false, false,
                                false, false, false, QStringLiteral("k2"));
                 }),
                 int(Err::KeyInUse));
        QCOMPARE(fields.Count(), 2);
    }

    void positionsAndEnumeration()
    {
        MyTables tables;
        const TablePtr first = tables.Add(QStringLiteral("One"), QStringLiteral("one"));
        const TablePtr second = tables.Add(QStringLiteral("Two"), QStringLiteral("two"));
        const TablePtr third = tables.Add(QStringLiteral("Three"), QStringLiteral("three"));
        QCOMPARE(names(tables), (QStringList{"one", "two", "three"}));
        QCOMPARE(tables.Item(1), first);
        QCOMPARE(tables.Item(3), third);
        QCOMPARE(tables(2), second);

        tables.Remove(2);
        QCOMPARE(tables.Count(), 2);
        QCOMPARE(tables.Item(2), third);
        QCOMPARE(names(tables), (QStringList{"one", "three"}));

        // Still usable through a held reference after removal.
        QCOMPARE(second.use_count(), 1);
        second->Fields.Add({.Name = QStringLiteral("kept")});
        QCOMPARE(second->Name, QStringLiteral("two"));
        QCOMPARE(second->Fields.Item(1)->Name, QStringLiteral("kept"));

        tables.Remove(1);
        tables.Remove(1);
        QCOMPARE(tables.Count(), 0);
        QCOMPARE(names(tables), QStringList());
        QCOMPARE(first->Name, QStringLiteral("one"));
    }

    void heldMemberSurvivesLaterChanges()
    {
        MyFields fields;
        const FieldPtr held = fields.Add({.Name = QStringLiteral("a")});
        // Many later additions move the collection's storage around.
        for (int i = 0; i < 100; ++i)
            fields.Add({.Name = QStringLiteral("f%1").arg(i)});
        QCOMPARE(held->Name, QStringLiteral("a"));
        const FieldPtr viaItem = fields.Item(1);
        fields.Remove(1);
        viaItem->Caption = QStringLiteral("changed");
        QCOMPARE(held->Caption, QStringLiteral("changed"));
        QCOMPARE(fields.Count(), 100);
        QCOMPARE(fields.Item(1)->Name, QStringLiteral("f0"));
    }

    void changeThroughAnyReference()
    {
        MyDB db;
        const TablePtr t = db.Tables.Add(QStringLiteral("T"), QStringLiteral("t"));
        const FieldPtr f = t->Fields.Add({.Name = QStringLiteral("id")});
        f->pPrimaryKey = true;
        db.Tables.Item(1)->Fields.Item(1)->Caption = QStringLiteral("Key");
        QVERIFY(t->Fields.Item(1)->pPrimaryKey);
        QCOMPARE(f->Caption, QStringLiteral("Key"));
    }

    void positionErrors_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("past the end") << 3;
        QTest::newRow("far past") << 1000;
    }
    void positionErrors()
    {
        QFETCH(int, position);
        MyFields fields;
        fields.Add({.Name = QStringLiteral("a")});
        fields.Add({.Name = QStringLiteral("b")});
        QCOMPARE(errorOf([&] { fields.Item(position); }), int(Err::SubscriptOutOfRange));
        QCOMPARE(errorOf([&] { fields.Remove(position); }), int(Err::SubscriptOutOfRange));
        QCOMPARE(fields.Count(), 2);
    }

    void emptyCollectionErrors()
    {
        MyTables tables;
        QCOMPARE(errorOf([&] { tables.Item(1); }), int(Err::SubscriptOutOfRange));
        QCOMPARE(errorOf([&] { tables.Remove(1); }), int(Err::SubscriptOutOfRange));
        QCOMPARE(errorOf([&] { tables.Item(QStringLiteral("x")); }), int(Err::InvalidCall));
    }

    void removeThenItem()
    {
        MyTables tables;
        tables.Add(QStringLiteral("One"), QStringLiteral("one"));
        tables.Add(QStringLiteral("Two"), QStringLiteral("two"));
        tables.Remove(2);
        QCOMPARE(errorOf([&] { tables.Item(2); }), int(Err::SubscriptOutOfRange));
        QCOMPARE(tables.Item(1)->Name, QStringLiteral("one"));
    }

    void keys()
    {
        MyTables tables;
        tables.Add(QStringLiteral("One"), QStringLiteral("one"), QStringLiteral("k1"));
        tables.Add(QStringLiteral("Two"), QStringLiteral("two"));
        tables.Add(QStringLiteral("Three"), QStringLiteral("three"), QStringLiteral("k3"));
        QCOMPARE(tables.Item(QStringLiteral("k3"))->Name, QStringLiteral("three"));
        QCOMPARE(tables.Item(QStringLiteral("K1"))->Name, QStringLiteral("one"));
        // A missing key, the empty one included, is an invalid argument.
        QCOMPARE(errorOf([&] { tables.Item(QStringLiteral("k2")); }), int(Err::InvalidCall));
        QCOMPARE(errorOf([&] { tables.Item(QString()); }), int(Err::InvalidCall));
        QCOMPARE(errorOf([&] { tables.Remove(QStringLiteral("k2")); }), int(Err::InvalidCall));
        QCOMPARE(tables.Count(), 3);

        tables.Remove(QStringLiteral("k1"));
        QCOMPARE(names(tables), (QStringList{"two", "three"}));
        QCOMPARE(errorOf([&] { tables.Item(QStringLiteral("k1")); }), int(Err::InvalidCall));
        // A removed key may be used again.
        tables.Add(QStringLiteral("Again"), QStringLiteral("again"), QStringLiteral("k1"));
        QCOMPARE(tables.Item(QStringLiteral("k1"))->Name, QStringLiteral("again"));
    }

    void duplicateKeyAddsNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("same") << "id";
        QTest::newRow("other letter case") << "ID";
    }
    void duplicateKeyAddsNothing()
    {
        QFETCH(QString, key);
        MyFields fields;
        fields.Add({.Name = QStringLiteral("id")}, QStringLiteral("id"));
        QCOMPARE(errorOf([&] { fields.Add({.Name = QStringLiteral("other")}, key); }), int(Err::KeyInUse));
        QCOMPARE(fields.Count(), 1);
        QCOMPARE(names(fields), QStringList{"id"});

        MyTables tables;
        tables.Add(QStringLiteral("T"), QStringLiteral("t"), QStringLiteral("id"));
        QCOMPARE(errorOf([&] { tables.Add(QStringLiteral("U"), QStringLiteral("u"), key); }), int(Err::KeyInUse));
        QCOMPARE(tables.Count(), 1);
        // Members without key never clash.
        fields.Add({.Name = QStringLiteral("x")});
        fields.Add({.Name = QStringLiteral("y")});
        QCOMPARE(fields.Count(), 3);
    }

    void copyFieldProperties_data()
    {
        QTest::addColumn<bool>("copyIdentity");
        QTest::addColumn<bool>("copyLookup");
        QTest::newRow("options only") << false << false;
        QTest::newRow("lookup") << false << true;
        QTest::newRow("identity") << true << false;
        QTest::newRow("both") << true << true;
    }
    void copyFieldProperties()
    {
        QFETCH(bool, copyIdentity);
        QFETCH(bool, copyLookup);
        const MyField source = fieldA();
        const MyField before = fieldB();
        MyField destination = before;
        CopyFieldProperties(source, destination, copyIdentity, copyLookup);
        compareOptions(destination, source);
        compareIdentity(destination, copyIdentity ? source : before);
        compareLookup(destination, copyIdentity || copyLookup ? source : before);
    }

    void copyExchangesThroughScratch()
    {
        // The field-moving commands swap two fields through a scratch one.
        MyFields fields;
        const FieldPtr a = fields.Add({});
        const FieldPtr b = fields.Add({});
        *a = fieldA();
        *b = fieldB();
        MyField scratch;
        CopyFieldProperties(*a, scratch, true, true);
        CopyFieldProperties(*b, *a, true, true);
        CopyFieldProperties(scratch, *b, true, true);
        const MyField wantA = fieldB(), wantB = fieldA();
        compareOptions(*a, wantA);
        compareIdentity(*a, wantA);
        compareLookup(*a, wantA);
        compareOptions(*b, wantB);
        compareIdentity(*b, wantB);
        compareLookup(*b, wantB);
    }

    void resetProject()
    {
        MyDB db;
        db.DBName = "shop";
        db.UserName = "user";
        db.Password = "secret";
        db.Server = "db.example";
        db.HideNavMenu = true;
        db.StyleSheetFile = "/tmp/x.tzs";
        db.ScrollStyle = 1;
        db.DateFormat = QStringLiteral("1");
        db.DateSeparator = QStringLiteral("2");
        const TablePtr t = db.Tables.Add("T", "t");
        t->Fields.Add({.Name = "id"});
        db.Tables.Add("U", "u");

        ResetProject(db);
        QCOMPARE(db.DBName, QStringLiteral("new_db"));
        QCOMPARE(db.Server, QStringLiteral("localhost"));
        QVERIFY(db.UserName.isEmpty());
        QVERIFY(db.Password.isEmpty());
        QVERIFY(db.StyleSheetFile.isEmpty());
        QVERIFY(!db.HideNavMenu);
        QCOMPARE(db.ScrollStyle, qint16(0));
        QVERIFY(db.DateFormat.isInteger());
        QCOMPARE(db.DateFormat.toInt(), 3);
        QVERIFY(db.DateSeparator.isInteger());
        QCOMPARE(db.DateSeparator.toInt(), 4);
        QCOMPARE(db.Tables.Count(), 0);
        // A table still held elsewhere (the editor's current one) is emptied too.
        QCOMPARE(t->Fields.Count(), 0);

        // Resetting twice changes nothing more.
        ResetProject(db);
        QCOMPARE(db.DBName, QStringLiteral("new_db"));
        QCOMPARE(db.Tables.Count(), 0);
    }

    void freshProjectIsEmpty()
    {
        const MyDB db;
        QVERIFY(db.DBName.isEmpty());
        QVERIFY(db.DateFormat.isEmpty());
        QVERIFY(db.DateSeparator.isEmpty());
        QCOMPARE(db.Tables.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestProject)
#include "tst_project.moc"
