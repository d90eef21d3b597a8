// The list-page generator: queries, widths, the date-sorting handler, the
// options and its one change to the model.
#include "fixtures.h"
#include "testhost.h"

#include "generator/generators.h"
#include "model/appstate.h"
#include "platform/runtimeerror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

// One table "t" with a key field "id"; the cases add their own fields.
struct OneTable {
    DBPtr db = std::make_shared<MyDB>();
    MyTable *table;
    OneTable()
    {
        db->DateFormat = Variant(1);
        db->DateSeparator = Variant(1);
        table = db->Tables.Add(QStringLiteral("Things"), QStringLiteral("t")).get();
        table->Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                           .pDataType = Dt::Int, .pLength = 11});
    }
    MyField &lookup(const QString &name, const QString &parent)
    {
        return *table->Fields.Add({.Name = name, .Caption = name, .ParentTable = parent,
                                   .ParentIDField = QStringLiteral("pid"),
                                   .ParentCaptionField = QStringLiteral("title"), .pDataType = Dt::Int, .pLength = 11});
    }
};

struct Generated {
    QString text;
    QString log;
    bool written = false;
};

Generated generate(MyDB &db, const QString &file = QStringLiteral("t_view.php"))
{
    const StyleTable styles;
    RecordingHost host;
    QTemporaryDir dir;
    GenerationRun run(db, styles, host);
    prepareRun(run, dir.path());
    GenerateViewScripts(run);
    Generated g;
    g.log = host.log;
    QFile f(dir.path() + u'/' + file);
    g.written = f.open(QIODevice::ReadOnly);
    if (g.written)
        g.text = QString::fromLatin1(f.readAll());
    return g;
}

QStringList lines(const QString &text) { return text.split(QStringLiteral("\r\n")); }

QString queryLine(const QString &text, const QString &comment)
{
    const QStringList l = lines(text);
    for (int i = 0; i + 1 < l.size(); ++i)
        if (l[i].trimmed() == comment)
            return l[i + 1].trimmed();
    return {};
}
QString viewQuery(const QString &text) { return queryLine(text, QStringLiteral("// Query used in table view")); }
QString filterPageQuery(const QString &text) { return queryLine(text, QStringLiteral("// Query used in filters page")); }

} // namespace

class TestViewScript : public QObject {
    Q_OBJECT
private slots:
    void logsAndWritesEveryTable();
    void tableWithoutLookups();
    void lookupsAreLeftJoins();
    void hiddenLookupStillJoins();
    void columnForms_data();
    void columnForms();
    void widthsAreWidenedInTheModel();
    void dateSortingCountsVisibleColumns();
    void filtersQuery_data();
    void filtersQuery();
    void redirectLineOnlyWhenSet();
    void dataHeight_data();
    void dataHeight();
    void captionsAreEscaped();
};

void TestViewScript::logsAndWritesEveryTable()
{
    DBPtr db = shopProject();
    const StyleTable styles;
    RecordingHost host;
    QTemporaryDir dir;
    GenerationRun run(*db, styles, host);
    prepareRun(run, dir.path());
    GenerateViewScripts(run);
    QCOMPARE(host.log, QStringLiteral("\r\nGenerating customers_view.php ... Done.\r\nGenerating orders_view.php ... Done."));
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/customers_view.php")));
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/orders_view.php")));
    // the message loop runs once per field (and once per written file)
    QVERIFY(host.processEventsCalls >= 4 + 7);
}

void TestViewScript::tableWithoutLookups()
{
    OneTable o;
    o.table->Fields.Add({.Name = QStringLiteral("name"), .Caption = QStringLiteral("Name"), .pDataType = Dt::VarChar,
                         .pLength = 20});
    const Generated g = generate(*o.db);
    QCOMPARE(viewQuery(g.text), QStringLiteral("$x->Query = \"select t.id as 'ID', t.name as 'Name' from t\";"));
    QVERIFY(!g.text.contains(QStringLiteral(" where ")));
    QVERIFY(g.text.endsWith(QStringLiteral("?><br><font size=-2><center><?php echo $Translation[\"powered by\"]; ?> Tessaron 3.0</center></font>\r\n")));
}

void TestViewScript::lookupsAreLeftJoins()
{
    OneTable o;
    o.lookup(QStringLiteral("a"), QStringLiteral("customers"));
    o.table->Fields.Add({.Name = QStringLiteral("x"), .Caption = QStringLiteral("X"), .pDataType = Dt::Int});
    o.table->Fields.Add({.Name = QStringLiteral("y"), .Caption = QStringLiteral("Y"), .pDataType = Dt::Int});
    o.lookup(QStringLiteral("b"), QStringLiteral("customers"));
    const Generated g = generate(*o.db);
    QCOMPARE(viewQuery(g.text),
             QStringLiteral("$x->Query = \"select t.id as 'ID', customers2.title as 'a', t.x as 'X', t.y as 'Y', "
                            "customers5.title as 'b' from t left join customers as customers2 on t.a=customers2.pid "
                            "left join customers as customers5 on t.b=customers5.pid\";"));
}

void TestViewScript::hiddenLookupStillJoins()
{
    OneTable o;
    o.lookup(QStringLiteral("a"), QStringLiteral("p")).pHidden = true;
    MyField &d = *o.table->Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("D"),
                                       .pDataType = Dt::Date});
    (void)d;
    const Generated g = generate(*o.db);
    const QString view = viewQuery(g.text);
    QVERIFY2(view.endsWith(QStringLiteral(" from t left join p as p2 on t.a=p2.pid\";")), qPrintable(view));
    QVERIFY(!view.contains(QStringLiteral("as 'a'")));
    QVERIFY(filterPageQuery(g.text).contains(QStringLiteral("p2.title as 'a'")));
    QCOMPARE(g.text.count(QStringLiteral("$x->ColWidth[] = ")), 2);
    QVERIFY(g.text.contains(QStringLiteral("$HTTP_POST_VARS['SortField']=='2' || $HTTP_POST_VARS['SortField']=='t.d'")));
}

void TestViewScript::columnForms_data()
{
    QTest::addColumn<bool>("lookup");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("numChars");
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("link");
    QTest::addColumn<QString>("column");

    const QString img = QStringLiteral("if(length(%1), concat('<img src=\" . $Translation['ImageFolder'] . \"',%1,' border=0>'), '') as 'F'");
    const QString lnk = QStringLiteral("if(length(%1), concat('<a href=\" . $Translation['ImageFolder'] . \"',%1,' target=_nWindow>',%1,'</a>'), '') as 'F'");
    const QString cut = QStringLiteral("if(CHAR_LENGTH(%1)>5, concat(left(%1,5),' ...'), %1) as 'F'");
    QTest::newRow("plain") << false << int(Dt::Int) << 0 << false << false << QStringLiteral("t.f as 'F'");
    QTest::newRow("image before date") << false << int(Dt::Date) << 0 << true << true << img.arg(QStringLiteral("t.f"));
    QTest::newRow("link") << false << int(Dt::VarChar) << 5 << false << true << lnk.arg(QStringLiteral("t.f"));
    QTest::newRow("date") << false << int(Dt::Date) << 5 << false << false
                          << QStringLiteral("if(t.f,date_format(t.f,'%Y-%m-%d'),'') as 'F'");
    QTest::newRow("datetime as stored") << false << int(Dt::DateTime) << 0 << false << false << QStringLiteral("t.f as 'F'");
    QTest::newRow("char whole") << false << int(Dt::Char) << 5 << false << false << QStringLiteral("t.f as 'F'");
    QTest::newRow("varchar cut") << false << int(Dt::VarChar) << 5 << false << false << cut.arg(QStringLiteral("t.f"));
    QTest::newRow("text cut") << false << int(Dt::Text) << 5 << false << false << cut.arg(QStringLiteral("t.f"));
    QTest::newRow("lookup plain") << true << int(Dt::Int) << 0 << false << false << QStringLiteral("p2.c as 'F'");
    QTest::newRow("lookup cut whatever type") << true << int(Dt::Int) << 5 << false << false << cut.arg(QStringLiteral("p2.c"));
    QTest::newRow("lookup image") << true << int(Dt::Int) << 5 << true << false << img.arg(QStringLiteral("p2.c"));
    QTest::newRow("lookup link") << true << int(Dt::Int) << 0 << false << true << lnk.arg(QStringLiteral("p2.c"));
}

void TestViewScript::columnForms()
{
    QFETCH(bool, lookup);
    QFETCH(int, type);
    QFETCH(int, numChars);
    QFETCH(bool, image);
    QFETCH(bool, link);
    QFETCH(QString, column);
    OneTable o;
    MyField &f = *o.table->Fields.Add({.Name = QStringLiteral("f"), .Caption = QStringLiteral("F"), .pDataType = type});
    if (lookup) {
        f.ParentTable = QStringLiteral("p");
        f.ParentIDField = QStringLiteral("k");
        f.ParentCaptionField = QStringLiteral("c");
    }
    f.pNumChars = qint16(numChars);
    f.pTableImage = image;
    f.pTableLink = link;
    const Generated g = generate(*o.db);
    const QString view = viewQuery(g.text);
    const QString from = lookup ? QStringLiteral(" from t left join p as p2 on t.f=p2.k") : QStringLiteral(" from t");
    QCOMPARE(view, QStringLiteral("$x->Query = \"select t.id as 'ID', ") + column + from + QStringLiteral("\";"));
}

void TestViewScript::widthsAreWidenedInTheModel()
{
    OneTable o;
    MyField &narrow = *o.table->Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"),
                                            .pDataType = Dt::Int});
    narrow.ColumnWidth = 19;
    MyField &exact = *o.table->Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"),
                                           .pDataType = Dt::Int});
    exact.ColumnWidth = 20;
    MyField &hidden = *o.table->Fields.Add({.Name = QStringLiteral("c"), .Caption = QStringLiteral("C"),
                                            .pDataType = Dt::Int});
    hidden.ColumnWidth = 3;
    hidden.pHidden = true;
    app().ProjectSaved = true;
    const Generated g = generate(*o.db);
    QCOMPARE(o.table->Fields.Item(1)->ColumnWidth, qint16(150)); // 0 before
    QCOMPARE(narrow.ColumnWidth, qint16(150));
    QCOMPARE(exact.ColumnWidth, qint16(20));
    QCOMPARE(hidden.ColumnWidth, qint16(3));
    QVERIFY(app().ProjectSaved);
    QVERIFY(g.text.contains(QStringLiteral("\t$x->PrimaryKey = \"t.id\";\r\n\t$x->ColWidth[] = 150;\r\n\t$x->ColWidth[] = 150;\r\n"
                                           "\t$x->ColWidth[] = 20;\r\n\t$x->Template = 't_templateTV.html';\r\n")));
}

void TestViewScript::dateSortingCountsVisibleColumns()
{
    DBPtr db = std::make_shared<MyDB>();
    MyTable &t = *db->Tables.Add(QStringLiteral("T"), QStringLiteral("t"));
    t.Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pPrimaryKey = true,
                  .pDataType = Dt::Int, .pHidden = true});
    t.Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"), .pDataType = Dt::Int});
    t.Fields.Add({.Name = QStringLiteral("c"), .Caption = QStringLiteral("C"), .pDataType = Dt::Date});
    t.Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("D"), .pDataType = Dt::DateTime});
    const Generated g = generate(*db);
    const QString expected = QStringLiteral(
        "\t// handle date sorting correctly\r\n"
        "\tif($HTTP_POST_VARS['SortField']=='2' || $HTTP_POST_VARS['SortField']=='t.c'){\r\n"
        "\t\t$HTTP_POST_VARS['SortField']='t.c';\r\n"
        "\t\t$SortFieldNumeric=2;\r\n"
        "\t}\r\n"
        "\tif($HTTP_GET_VARS['SortField']=='2' || $HTTP_GET_VARS['SortField']=='t.c'){\r\n"
        "\t\t$HTTP_GET_VARS['SortField']='t.c';\r\n"
        "\t\t$SortFieldNumeric=2;\r\n"
        "\t}\r\n"
        "\t// end of date sorting handler\r\n"
        "\t\r\n"
        "\t$x->DataHeight = 150;\r\n");
    QVERIFY2(g.text.contains(expected), qPrintable(g.text));
}

void TestViewScript::filtersQuery_data()
{
    QTest::addColumn<bool>("allowFilters");
    QTest::addColumn<bool>("anyFilterable");
    QTest::addColumn<QString>("block");
    const QString view = QStringLiteral("select t.id as 'ID', t.n as 'N' from t");
    const QString filters = QStringLiteral("select t.id as 'ID', t.h as 'H' from t");
    const QString both = QStringLiteral(
        "\tif($HTTP_POST_VARS[\"Filter_x\"] != \"\")\r\n\t{\r\n\t\t// Query used in filters page\r\n\t\t$x->Query = \"%1\";\r\n"
        "\t}\r\n\telse\r\n\t{\r\n\t\t// Query used in table view\r\n\t\t$x->Query = \"%2\";\r\n\t}\r\n"
        "\t// Fields offered by the filters page\r\n\t$x->FilterQuery = \"%1\";\r\n\t\r\n");
    QTest::newRow("filters") << true << true << both.arg(filters, view);
    QTest::newRow("nothing filterable") << true << false << both.arg(view, view);
    QTest::newRow("filters off")
        << false << true << QStringLiteral("\t$x = new DataList;\r\n\t// Query used in table view\r\n\t$x->Query = \"%1\";\r\n\t\r\n").arg(view);
}

void TestViewScript::filtersQuery()
{
    QFETCH(bool, allowFilters);
    QFETCH(bool, anyFilterable);
    QFETCH(QString, block);
    OneTable o;
    o.table->AllowFilters = allowFilters;
    o.table->Fields.Add({.Name = QStringLiteral("n"), .Caption = QStringLiteral("N"), .pDataType = Dt::Int,
                         .pNotFiltered = true});
    MyField &h = *o.table->Fields.Add({.Name = QStringLiteral("h"), .Caption = QStringLiteral("H"),
                                       .pDataType = Dt::Int});
    h.pHidden = true;
    if (!anyFilterable) {
        o.table->Fields.Item(1)->pNotFiltered = true;
        h.pNotFiltered = true;
    }
    const Generated g = generate(*o.db);
    QVERIFY2(g.text.contains(block), qPrintable(g.text));
    // a CSV request renders the table view: it never gets the filters query
    QVERIFY(!g.text.contains(QStringLiteral("CSV_x")));
}

void TestViewScript::redirectLineOnlyWhenSet()
{
    OneTable o;
    Generated g = generate(*o.db);
    QVERIFY(!g.text.contains(QStringLiteral("RedirectAfterInsert")));
    QVERIFY(g.text.contains(QStringLiteral("\t$x->ScriptFileName = \"t_view.php\";\r\n\t$x->TableTitle = \"Things\";\r\n")));
    o.table->RedirectAfterInsert = QStringLiteral("index.html");
    g = generate(*o.db);
    QVERIFY(g.text.contains(QStringLiteral("\t$x->ScriptFileName = \"t_view.php\";\r\n\t$x->RedirectAfterInsert = \"index.html\";\r\n"
                                           "\t$x->TableTitle = \"Things\";\r\n")));
}

void TestViewScript::dataHeight_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("line");
    QTest::newRow("10") << 10 << QStringLiteral("\t$x->DataHeight = 150;\r\n");
    QTest::newRow("2184") << 2184 << QStringLiteral("\t$x->DataHeight = 32760;\r\n");
    QTest::newRow("2185 overflows") << 2185 << QString();
}

void TestViewScript::dataHeight()
{
    QFETCH(int, records);
    QFETCH(QString, line);
    OneTable o;
    o.table->RecordsPerPage = qint16(records);
    if (!line.isEmpty()) {
        const Generated g = generate(*o.db);
        QVERIFY(g.text.contains(line));
        return;
    }
    // The error rises to Generate; the file stays unwritten but the width
    // fix stays in the model.
    const StyleTable styles;
    RecordingHost host;
    QTemporaryDir dir;
    GenerationRun run(*o.db, styles, host);
    prepareRun(run, dir.path());
    try {
        GenerateViewScripts(run);
        QFAIL("no overflow error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), int(Err::Overflow));
    }
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/t_view.php")));
    QCOMPARE(host.log, QStringLiteral("\r\nGenerating t_view.php ..."));
    QCOMPARE(o.table->Fields.Item(1)->ColumnWidth, qint16(150));
}

void TestViewScript::captionsAreEscaped()
{
    OneTable o;
    o.table->Fields.Add({.Name = QStringLiteral("n"), .Caption = QStringLiteral("O'Neil"), .pDataType = Dt::Int});
    o.table->Fields.Add({.Name = QStringLiteral("p"), .Caption = QStringLiteral("C:\\x \"$y\""), .pDataType = Dt::Int});
    o.table->Caption = QStringLiteral("A \"quoted\" $title");
    const Generated g = generate(*o.db);
    // the apostrophe as MySQL wants it (PHP keeps \' in a double-quoted
    // string); backslash and dollar escaped for PHP as well
    QCOMPARE(filterPageQuery(g.text),
             QStringLiteral("$x->Query = \"select t.id as 'ID', t.n as 'O\\'Neil', t.p as 'C:\\\\\\\\x \\\"\\$y\\\"' from t\";"));
    QVERIFY(g.text.contains(QStringLiteral("\t$x->TableTitle = \"A \\\"quoted\\\" \\$title\";\r\n")));
}

QTEST_GUILESS_MAIN(TestViewScript)
#include "tst_viewscript.moc"
