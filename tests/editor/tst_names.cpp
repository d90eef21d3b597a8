// Name rules and renaming in the model: the validation matrix with its
// messages, uniqueness, lookups following a rename, default captions and
// the schema statement of a renamed field.
#include "editor/namerules.h"
#include "editor/rename.h"
#include "platform/scriptedui.h"

#include <QtTest>

using namespace tess;

namespace {

// orders(id, customer_id, note) looks up customers(id, name); invoices
// has a field also called id.
void buildProject(MyDB &db)
{
    ResetProject(db);
    db.DBName = QStringLiteral("shop");
    MyTable &customers = *db.Tables.Add(QStringLiteral("Table 1"), QStringLiteral("customers"));
    customers.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("Field 1"), .pPrimaryKey = true,
                          .pDataType = 4, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    customers.Fields.Add({.Name = QStringLiteral("name"), .Caption = QStringLiteral("Name"), .pDataType = 4,
                          .pLength = 11});
    MyTable &orders = *db.Tables.Add(QStringLiteral("Orders list"), QStringLiteral("orders"));
    orders.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("Id"), .pPrimaryKey = true,
                       .pDataType = 4, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    orders.Fields.Add({.Name = QStringLiteral("customer_id"), .Caption = QStringLiteral("Field 2"), .pDataType = 4,
                       .pLength = 11});
    MyField &lookup = *orders.Fields.Item(2);
    lookup.ParentTable = QStringLiteral("customers");
    lookup.ParentIDField = QStringLiteral("id");
    lookup.ParentCaptionField = QStringLiteral("name");
    MyTable &invoices = *db.Tables.Add(QStringLiteral("table of invoices"), QStringLiteral("invoices"));
    invoices.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("Field 1"), .pPrimaryKey = true,
                         .pDataType = 4, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    MyField &other = *invoices.Fields.Add({.Name = QStringLiteral("order_id"), .Caption = QStringLiteral("Order"),
                                           .ParentTable = QStringLiteral("orders"), .pDataType = 4, .pLength = 11});
    other.ParentIDField = QStringLiteral("id");
    other.ParentCaptionField = QStringLiteral("id");
}

const QString invalid = QStringLiteral("Error: Invalid name.\r\nDatabase, table and field names can only contain "
                                       "alphanumeric characters and underscores.\r\nNames cannot begin with a "
                                       "numeric character.");

} // namespace

class TestNames : public QObject {
    Q_OBJECT
private slots:
    void reservedWordList()
    {
        // The list is complete: its first, last and some middle words, in
        // any letter case, and nothing near them.
        for (const char *w : {"add", "zerofill", "Select", "STATUS", "password", "data", "type", "year_month",
                              "sql_log_update", "middleint", "int8"})
            QVERIFY2(isReservedWord(QString::fromLatin1(w)), w);
        for (const char *w : {"adds", "customers", "id", "name", "selection", "int9", "", "_status"})
            QVERIFY2(!isReservedWord(QString::fromLatin1(w)), w);
    }

    void validation_data()
    {
        QTest::addColumn<QString>("level"); // db, table, field
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // "" accepted, "-" refused silently
        const QString reservedSelect = QStringLiteral("'Select' is a MySQL reserved keyword. Please choose another name.");
        for (const char *level : {"db", "table", "field"}) {
            const QString l = QString::fromLatin1(level);
            const bool db = l == u"db";
            auto row = [&](const char *what, const QString &name, const QString &msg) {
                QTest::newRow(qPrintable(l + u' ' + QString::fromLatin1(what))) << l << name << msg;
            };
            row("empty", QString(), QStringLiteral("-"));
            row("leading digit", QStringLiteral("1abc"), invalid);
            row("leading underscore", QStringLiteral("_abc"), QString());
            row("capitals", QStringLiteral("NewName9"), QString());
            row("inner hyphen", QStringLiteral("my-name"), db ? QString() : invalid);
            row("leading hyphen", QStringLiteral("-name"), invalid);
            row("blank", QStringLiteral("my name"), invalid);
            row("dot", QStringLiteral("my.name"), invalid);
            row("accented letter", QStringLiteral("caf\u00e9"), invalid);
            row("kelvin sign", QStringLiteral("\u212Aey"), invalid);
            row("reserved word", QStringLiteral("Select"), db ? QString() : reservedSelect);
            row("reserved data", QStringLiteral("data"),
                db ? QString() : QStringLiteral("'data' is a MySQL reserved keyword. Please choose another name."));
        }
    }
    void validation()
    {
        QFETCH(QString, level);
        QFETCH(QString, name);
        QFETCH(QString, message);
        ScriptedUi ui;
        MyDB db;
        buildProject(db);
        RenameOutcome out;
        if (level == u"db")
            out = renameDatabase(db, name);
        else if (level == u"table")
            out = renameTable(db, QStringLiteral("orders"), name);
        else
            out = renameField(db, QStringLiteral("orders"), QStringLiteral("customer_id"), name);

        const bool accepted = message.isEmpty();
        QCOMPARE(out.cancel, !accepted);
        QCOMPARE(out.renamed, accepted);
        QCOMPARE(out.focusTree, !accepted && message != u"-");
        if (accepted || message == u"-") {
            QVERIFY(ui.shown.isEmpty());
        } else {
            QCOMPARE(ui.messages(), QStringList{message});
            QCOMPARE(ui.shown[0].style, Mb::Exclamation | Mb::OkOnly);
        }
        const QString stored = level == u"db"      ? db.DBName
            : level == u"table" ? db.Tables.Item(2)->Name
                                : db.Tables.Item(2)->Fields.Item(2)->Name;
        const QString old = level == u"db" ? QStringLiteral("shop")
            : level == u"table"            ? QStringLiteral("orders")
                                           : QStringLiteral("customer_id");
        QCOMPARE(stored, accepted ? name : old);
    }

    void uniqueness_data()
    {
        QTest::addColumn<bool>("isTable");
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("table to itself in other case") << true << "orders" << "Orders" << "Table names must be unique";
        QTest::newRow("table to another table in other case") << true << "orders" << "CUSTOMERS" << "Table names must be unique";
        QTest::newRow("table unchanged") << true << "orders" << "orders" << "";
        QTest::newRow("field to itself in other case") << false << "id" << "ID" << "";
        QTest::newRow("field to a sibling in other case") << false << "id" << "Customer_ID" << "Field names must be unique";
    }
    void uniqueness()
    {
        QFETCH(bool, isTable);
        QFETCH(QString, node);
        QFETCH(QString, name);
        QFETCH(QString, message);
        ScriptedUi ui;
        MyDB db;
        buildProject(db);
        const RenameOutcome out = isTable ? renameTable(db, node, name) : renameField(db, QStringLiteral("orders"), node, name);
        QCOMPARE(out.cancel, !message.isEmpty());
        QVERIFY(!out.focusTree);
        QCOMPARE(ui.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void tableRename()
    {
        ScriptedUi ui;
        MyDB db;
        buildProject(db);
        const RenameOutcome out = renameTable(db, QStringLiteral("customers"), QStringLiteral("clients"));
        QVERIFY(out.renamed);
        QCOMPARE(db.Tables.Item(1)->Name, QStringLiteral("clients"));
        QCOMPARE(db.Tables.Item(1)->Caption, QStringLiteral("Clients")); // was the default "Table 1"
        QCOMPARE(db.Tables.Item(2)->Fields.Item(2)->ParentTable, QStringLiteral("clients"));
        QCOMPARE(db.Tables.Item(1)->AlterSQL, QString());

        // A caption of the user's stays, also one beginning with a lower-case "table ".
        renameTable(db, QStringLiteral("orders"), QStringLiteral("sales"));
        QCOMPARE(db.Tables.Item(2)->Caption, QStringLiteral("Orders list"));
        QCOMPARE(db.Tables.Item(3)->Fields.Item(2)->ParentTable, QStringLiteral("sales"));
        renameTable(db, QStringLiteral("invoices"), QStringLiteral("bills"));
        QCOMPARE(db.Tables.Item(3)->Caption, QStringLiteral("table of invoices"));
    }

    void fieldRename()
    {
        ScriptedUi ui;
        MyDB db;
        buildProject(db);
        const RenameOutcome out = renameField(db, QStringLiteral("customers"), QStringLiteral("id"), QStringLiteral("cust_no"));
        QVERIFY(out.renamed);
        QCOMPARE(out.field, db.Tables.Item(1)->Fields.Item(1));
        QCOMPARE(out.table, db.Tables.Item(1));
        QCOMPARE(out.field->Caption, QStringLiteral("Cust_no"));
        // The lookup into customers follows; the one naming orders.id stays.
        QCOMPARE(db.Tables.Item(2)->Fields.Item(2)->ParentIDField, QStringLiteral("cust_no"));
        QCOMPARE(db.Tables.Item(2)->Fields.Item(2)->ParentCaptionField, QStringLiteral("name"));
        QCOMPARE(db.Tables.Item(3)->Fields.Item(2)->ParentIDField, QStringLiteral("id"));
        QCOMPARE(db.Tables.Item(1)->AlterSQL,
                 QStringLiteral("ALTER TABLE `customers` CHANGE `id` `cust_no` INT(11) not null auto_increment ;;"));

        // Confirming a label unchanged still queues a statement.
        renameField(db, QStringLiteral("customers"), QStringLiteral("name"), QStringLiteral("name"));
        QVERIFY(db.Tables.Item(1)->AlterSQL.endsWith(
            QStringLiteral(";;ALTER TABLE `customers` CHANGE `name` `name` INT(11) ;;")));
        QCOMPARE(db.Tables.Item(2)->Fields.Item(2)->ParentCaptionField, QStringLiteral("name"));
        QCOMPARE(db.Tables.Item(2)->AlterSQL, QString());
    }

    void nodeWithoutModelObject()
    {
        ScriptedUi ui;
        MyDB db;
        buildProject(db);
        QVERIFY(renameTable(db, QStringLiteral("nothing"), QStringLiteral("x")).cancel);
        QVERIFY(renameField(db, QStringLiteral("orders"), QStringLiteral("nothing"), QStringLiteral("x")).cancel);
        QVERIFY(renameField(db, QStringLiteral("nothing"), QStringLiteral("id"), QStringLiteral("x")).cancel);
        QVERIFY(ui.shown.isEmpty());
        for (const TablePtr &t : db.Tables)
            QCOMPARE(t->AlterSQL, QString());
    }

    void failingDefinitionChangesNothing()
    {
        ScriptedUi ui;
        MyDB db;
        buildProject(db);
        db.Tables.Item(1)->Fields.Item(1)->pDataType = 31; // read from a file, beyond the type table
        bool raised = false;
        try {
            renameField(db, QStringLiteral("customers"), QStringLiteral("id"), QStringLiteral("key_id"));
        } catch (const RuntimeError &e) {
            raised = e.number() == Err::SubscriptOutOfRange;
        }
        QVERIFY(raised);
        QCOMPARE(db.Tables.Item(1)->Fields.Item(1)->Name, QStringLiteral("id"));
        QCOMPARE(db.Tables.Item(2)->Fields.Item(2)->ParentIDField, QStringLiteral("id"));
    }
};

QTEST_GUILESS_MAIN(TestNames)
#include "tst_names.moc"
