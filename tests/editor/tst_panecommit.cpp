// Pane commits in the model: the schema statements queued by a sequence of
// field edits, the all-or-nothing field commit, and the table and
// database conversions.
#include "editor/panecommit.h"
#include "platform/runtimeerror.h"

#include <QtTest>

using namespace tess;

namespace {

// The pane as the fill shows the field.
FieldPaneValues paneOf(const MyField &f)
{
    FieldPaneValues p;
    auto blank = [](int v) { return v == 0 ? QString() : QString::number(v); };
    p.caption = f.Caption;
    p.primaryKey = f.pPrimaryKey;
    p.autoIncrement = f.pAutoIncrement;
    p.binary = f.pBinary;
    p.unique = f.pUnique;
    p.isUnsigned = f.pUnsigned;
    p.zeroFill = f.pZeroFill;
    p.notNull = f.pNotNull;
    p.dataTypeIndex = f.pDataType >= 1 && f.pDataType <= 23 ? f.pDataType - 1 : -1;
    p.defaultText = f.pDefault;
    p.length = blank(f.pLength);
    p.precision = blank(f.pPrecision);
    p.csValueList = f.CSValueList;
    p.csValueListType = f.CSValueListType;
    p.parentTableIndex = f.ParentTable.isEmpty() ? 0 : 1;
    p.parentTable = f.ParentTable;
    p.parentIDField = f.ParentIDField;
    p.parentCaptionField = f.ParentCaptionField;
    p.columnWidth = blank(f.ColumnWidth);
    p.hidden = f.pHidden;
    p.notFiltered = f.pNotFiltered;
    p.allowUploads = f.pAllowImageUpload;
    p.uploadFileTypes = f.pUploadFileTypes;
    p.detailImage = f.pDetailImage;
    p.tableImage = f.pTableImage;
    p.detailLink = f.pDetailLink;
    p.tableLink = f.pTableLink;
    p.maxUploadSize = QString::number(f.pMaxUploadSize);
    p.deleteFiles = f.pDeleteFiles;
    p.noFileRename = f.pNoFileRename;
    p.readOnly = f.pReadOnly;
    p.hideInDetailView = f.pHideInDetailView;
    p.numChars = blank(f.pNumChars);
    p.textarea = f.pTextarea;
    return p;
}

struct Fixture {
    MyTable table;
    FieldPtr field;
    Fixture()
    {
        table.Name = QStringLiteral("orders");
        field = table.Fields.Add({}, {}, {}, {}, QStringLiteral("Amount"), QStringLiteral("amount"), false, false,
                                 4, 11, 0, {}, false, false, false, false, false);
    }
    // Applies one edit of the pane and returns the statements it queued.
    QString commit(const std::function<void(FieldPaneValues &)> &edit)
    {
        FieldPaneValues p = paneOf(*field);
        edit(p);
        const qsizetype before = table.AlterSQL.size();
        applyFieldPane(p, table, *field);
        return table.AlterSQL.mid(before);
    }
};

const QString ch = QStringLiteral("ALTER TABLE `orders` CHANGE `amount` `amount` ");

} // namespace

class TestPaneCommit : public QObject {
    Q_OBJECT
private slots:
    void alterChain_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("statements");
        // Each row applies its edit after all rows before it, on one field.
        QTest::newRow("caption only") << "caption" << "";
        QTest::newRow("primary key on") << "pk on" << ch + "INT(11) not null ;;";
        QTest::newRow("auto increment on a primary key") << "ai on" << u' ' + ch + "INT(11) not null auto_increment ;;";
        QTest::newRow("auto increment off") << "ai off" << u' ' + ch + "INT(11) not null ;;";
        QTest::newRow("primary key off")
            << "pk off" << "ALTER TABLE `orders` ADD INDEX (`amount`);;ALTER TABLE `orders` DROP PRIMARY KEY;;";
        QTest::newRow("auto increment on a plain field")
            << "ai on" << "ALTER TABLE `orders` ADD INDEX (`amount`);; " + ch + "INT(11) auto_increment ;;";
        QTest::newRow("unique on") << "unique on" << "ALTER TABLE `orders` ADD UNIQUE (`amount`);;";
        QTest::newRow("unique off") << "unique off" << "ALTER TABLE `orders` DROP INDEX `amount`;;";
        QTest::newRow("type and length") << "varchar 40" << u' ' + ch + "VARCHAR(40) ;;";
        QTest::newRow("same length again") << "length 40" << "";
        QTest::newRow("length 2.5 rounds to 2") << "length 2.5" << u' ' + ch + "VARCHAR(2) ;;";
        QTest::newRow("length 3.5 rounds to 4") << "length 3.5" << u' ' + ch + "VARCHAR(4) ;;";
        QTest::newRow("default differs in case") << "default X" << u' ' + ch + "VARCHAR(4) default 'X' ;;";
        QTest::newRow("default lower") << "default x" << u' ' + ch + "VARCHAR(4) default 'x' ;;";
        QTest::newRow("everything at once")
            << "all" << ch + "VARCHAR(4) not null default 'x' ;;"
                        "ALTER TABLE `orders` ADD UNIQUE (`amount`);; "
                     + ch + "VARCHAR(4) binary not null default 'x' ;;";
        QTest::newRow("display options, lookup and value list") << "display" << "";
    }
    void alterChain()
    {
        QFETCH(QString, edit);
        QFETCH(QString, statements);
        static Fixture fx; // the rows build on each other
        const QString queued = fx.commit([&](FieldPaneValues &p) {
            if (edit == u"caption") p.caption = QStringLiteral("Total");
            else if (edit == u"pk on") p.primaryKey = true;
            else if (edit == u"pk off") p.primaryKey = false;
            else if (edit == u"ai on") p.autoIncrement = true;
            else if (edit == u"ai off") p.autoIncrement = false;
            else if (edit == u"unique on") p.unique = true;
            else if (edit == u"unique off") p.unique = false;
            else if (edit == u"varchar 40") { p.dataTypeIndex = 14; p.length = QStringLiteral("40"); }
            else if (edit.startsWith(u"length ")) p.length = edit.mid(7);
            else if (edit.startsWith(u"default ")) p.defaultText = edit.mid(8);
            else if (edit == u"all") { p.primaryKey = true; p.unique = true; p.binary = true; p.notNull = true; }
            else if (edit == u"display") {
                p.hidden = true; p.tableImage = true; p.csValueList = QStringLiteral("a;;b");
                p.parentTableIndex = 1; p.parentTable = QStringLiteral("customers");
            }
        });
        QCOMPARE(queued, statements);
        // The primary-key rule makes not null only for its own statement.
        if (edit == u"pk on")
            QVERIFY(!fx.field->pNotNull);
        if (edit.startsWith(u"pk"))
            QVERIFY(fx.table.pkChanged);
    }

    void pkChangedOnlyByPrimaryKey()
    {
        Fixture fx;
        fx.commit([](FieldPaneValues &p) { p.unique = true; p.autoIncrement = true; p.notNull = true; });
        QVERIFY(!fx.table.pkChanged);
    }

    void allOrNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("length 40000") << "length" << "40000" << int(Err::Overflow);
        QTest::newRow("precision -40000") << "precision" << "-40000" << int(Err::Overflow);
        QTest::newRow("column width 1e6") << "width" << "1e6" << int(Err::Overflow);
        QTest::newRow("characters 32768") << "chars" << "32768" << int(Err::Overflow);
        QTest::newRow("upload size 3e9") << "size" << "3000000000" << int(Err::Overflow);
        QTest::newRow("stored type beyond the table") << "type" << "" << int(Err::SubscriptOutOfRange);
    }
    void allOrNothing()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(int, error);
        Fixture fx;
        if (box == u"type")
            fx.field->pDataType = 31;
        const MyField before = *fx.field;
        int raised = 0;
        try {
            fx.commit([&](FieldPaneValues &p) {
                p.caption = QStringLiteral("Changed");
                p.primaryKey = true;
                p.hidden = true;
                if (box == u"length") p.length = text;
                if (box == u"precision") p.precision = text;
                if (box == u"width") p.columnWidth = text;
                if (box == u"chars") p.numChars = text;
                if (box == u"size") p.maxUploadSize = text;
            });
        } catch (const RuntimeError &e) {
            raised = e.number();
        }
        QCOMPARE(raised, error);
        QCOMPARE(fx.field->Caption, before.Caption);
        QCOMPARE(fx.field->pPrimaryKey, false);
        QCOMPARE(fx.field->pHidden, false);
        QCOMPARE(fx.table.AlterSQL, QString());
        QVERIFY(!fx.table.pkChanged);
    }

    void selectionsThatKeepTheModel()
    {
        Fixture fx;
        MyField &f = *fx.field;
        f.ParentTable = QStringLiteral("customers");
        f.ParentIDField = QStringLiteral("id");
        f.ParentCaptionField = QStringLiteral("name");
        f.pAllowImageUpload = true;
        f.pUploadFileTypes = QStringLiteral("zip|rar");
        f.pDataType = 30;
        // Lists without a selection keep what they could not show.
        QCOMPARE(fx.commit([](FieldPaneValues &p) {
            p.dataTypeIndex = -1; p.parentTableIndex = -1; p.uploadFileTypes.reset();
        }), QString());
        QCOMPARE(f.pDataType, 30);
        QCOMPARE(f.ParentTable, QStringLiteral("customers"));
        QCOMPARE(f.pUploadFileTypes, QStringLiteral("zip|rar"));
        fx.commit([](FieldPaneValues &p) { p.parentIDField.reset(); p.parentCaptionField.reset(); });
        QCOMPARE(f.ParentIDField, QStringLiteral("id"));
        QCOMPARE(f.ParentCaptionField, QStringLiteral("name"));
        // The empty parent entry clears the whole lookup, whatever the field lists show.
        fx.commit([](FieldPaneValues &p) { p.parentTableIndex = 0; });
        QCOMPARE(f.ParentTable + f.ParentIDField + f.ParentCaptionField, QString());
        // Uploads not allowed store no file types.
        fx.commit([](FieldPaneValues &p) { p.allowUploads = false; });
        QCOMPARE(f.pUploadFileTypes, QString());
    }

    void fieldPicture_data()
    {
        QTest::addColumn<bool>("parent");
        QTest::addColumn<bool>("pk");
        QTest::addColumn<bool>("image");
        QTest::addColumn<int>("picture");
        QTest::newRow("lookup before key") << true << true << true << 5;
        QTest::newRow("key") << false << true << true << 4;
        QTest::newRow("image") << false << false << true << 6;
        QTest::newRow("plain") << false << false << false << 3;
    }
    void fieldPicture()
    {
        QFETCH(bool, parent);
        QFETCH(bool, pk);
        QFETCH(bool, image);
        QFETCH(int, picture);
        MyField f;
        f.pPrimaryKey = pk;
        f.pDetailImage = image;
        QCOMPARE(fieldPictureAfterCommit(f, parent), picture);
    }

    void listsWithoutSelectionKeep()
    {
        MyTable t;
        t.QuickSearch = 4; // read from a file
        TablePaneValues p;
        p.quickSearchIndex = -1;
        applyTablePane(p, t);
        QCOMPARE(t.QuickSearch, qint16(4));
        Fixture fx;
        fx.field->CSValueListType = 7;
        QCOMPARE(fx.commit([](FieldPaneValues &v) { v.csValueListType = -1; }), QString());
        QCOMPARE(fx.field->CSValueListType, qint16(7));
        fx.commit([](FieldPaneValues &v) { v.csValueListType = 2; });
        QCOMPARE(fx.field->CSValueListType, qint16(2));
    }

    void recordsPerPage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::newRow("25") << "25" << 25;
        QTest::newRow("12.9") << "12.9" << 12;
        QTest::newRow("0") << "0" << 10;
        QTest::newRow("empty") << "" << 10;
        QTest::newRow("-3") << "-3" << 10;
        QTest::newRow("abc") << "abc" << 10;
        QTest::newRow("12px") << "12px" << 12;
        QTest::newRow("100000 keeps") << "100000" << 7;
    }
    void recordsPerPage()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        MyTable t;
        t.RecordsPerPage = 7;
        TablePaneValues p;
        p.recordsPerPage = text;
        p.quickSearchIndex = 2;
        p.caption = QStringLiteral("Caption");
        applyTablePane(p, t);
        QCOMPARE(int(t.RecordsPerPage), stored);
        QCOMPARE(int(t.QuickSearch), 2);
        QCOMPARE(t.Caption, QStringLiteral("Caption"));
    }

    void databasePane()
    {
        MyDB db;
        db.ScrollStyle = 1;
        DbPaneValues p;
        p.dbName = QStringLiteral("shop");
        p.styleSheetFile = QStringLiteral("/tmp/a.tzs");
        p.dateFormatIndex = 1;
        QVERIFY(applyDbPane(p, db)); // a newly named style file is loaded
        QCOMPARE(db.ScrollStyle, qint16(1)); // no option selected keeps it
        QCOMPARE(db.DateFormat.toInt(), 2);
        QCOMPARE(db.DateSeparator.toInt(), 0); // no selection stores 0
        QVERIFY(!applyDbPane(p, db)); // the same file is not read again
        p.styleSheetFile.clear();
        QVERIFY(!applyDbPane(p, db));
        p.scrollStyle = 0;
        applyDbPane(p, db);
        QCOMPARE(db.ScrollStyle, qint16(0));
        // Numbers read from a file as texts stay texts while unchanged.
        db.DateFormat = Variant(QStringLiteral("2"));
        db.DateSeparator = Variant(QStringLiteral("x"));
        applyDbPane(p, db);
        QVERIFY(db.DateFormat.isText());
        QVERIFY(db.DateSeparator.isInteger());
        QCOMPARE(db.DateSeparator.toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPaneCommit)
#include "tst_panecommit.moc"
