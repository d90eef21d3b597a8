// The template generator: row templates, selected-row templates and the
// detail-view form, their order in the log and their cells.
#include "fixtures.h"
#include "testhost.h"

#include "generator/generators.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

struct Output {
    QString tv, tvs, dv, log;
};

Output generate(MyDB &db, const QString &table = QStringLiteral("t"))
{
    const StyleTable styles;
    RecordingHost host;
    QTemporaryDir dir;
    GenerationRun run(db, styles, host);
    prepareRun(run, dir.path());
    GenerateTemplates(run);
    auto read = [&](const QString &suffix) {
        QFile f(dir.path() + u'/' + table + suffix);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    };
    return {read(QStringLiteral("_templateTV.html")), read(QStringLiteral("_templateTVS.html")),
            read(QStringLiteral("_templateDV.html")), host.log};
}

// The value cell of field f in a detail view.
QString valueCell(const QString &dv, const QString &caption)
{
    const qsizetype at = dv.indexOf(caption + QStringLiteral("</div>\r\n"));
    if (at < 0)
        return {};
    const qsizetype start = dv.indexOf(QStringLiteral("<td class=TableBody width=300>"), at);
    const qsizetype end = dv.indexOf(QStringLiteral("</td>\r\n"), start);
    return dv.mid(start, end + 7 - start);
}

QString cell(const QString &pieces) { return QStringLiteral("<td class=TableBody width=300>") + pieces + QStringLiteral("&nbsp;&nbsp;</td>\r\n"); }

struct OneTable {
    DBPtr db = std::make_shared<MyDB>();
    MyTable *table;
    OneTable()
    {
        table = db->Tables.Add(QStringLiteral("T"), QStringLiteral("t")).get();
    }
};

} // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    void logOrder();
    void rowTemplates();
    void rowTemplatesWithoutSelection();
    void cellClasses_data();
    void cellClasses();
    void detailFrame();
    void detailValues_data();
    void detailValues();
    void uploadPieces_data();
    void uploadPieces();
    void requiredMarker();
};

void TestTemplates::logOrder()
{
    DBPtr db = std::make_shared<MyDB>();
    for (const QString &n : {QStringLiteral("X"), QStringLiteral("Y")})
        db->Tables.Add(n, n)->Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"),
                                          .pPrimaryKey = true, .pDataType = Dt::Int});
    const Output o = generate(*db, QStringLiteral("X"));
    QCOMPARE(o.log, QStringLiteral("\r\nGenerating X_templateTV.html ... Done.\r\nGenerating Y_templateTV.html ... Done."
                                   "\r\nGenerating X_templateTVS.html ... Done.\r\nGenerating Y_templateTVS.html ... Done."
                                   "\r\nGenerating X_templateDV.html ... Done.\r\nGenerating Y_templateDV.html ... Done."));
}

void TestTemplates::rowTemplates()
{
    OneTable t;
    t.table->Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pPrimaryKey = true,
                         .pDataType = Dt::Int, .ColumnWidth = 150});
    MyField &b = *t.table->Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"),
                                       .pDataType = Dt::VarChar});
    b.pHidden = true;
    t.table->Fields.Add({.Name = QStringLiteral("c"), .Caption = QStringLiteral("C"), .pDataType = Dt::VarChar,
                         .ColumnWidth = 77});
    const Output o = generate(*t.db);
    QCOMPARE(o.tv, QStringLiteral(
        "<!-- Edit this file to change the layout of each record in the table view -->\r\n"
        "<!-- To disable clicking of a field, remove the <%%select%%> and <%%endselect%%> formatters around it-->\r\n"
        "\r\n"
        "<!-- If you wish to hide the table view header that contains the column titles, -->\r\n"
        "<!-- open the generated 't_view.php' file in your text editor and -->\r\n"
        "<!-- change the value of $x->ShowTableHeader to 0 -->\r\n"
        "\r\n"
        "\t\t<td valign=\"top\" width=150 class=\"TableBodyNumeric\"><%%SELECT%%><%%FIELD_0%%><%%ENDSELECT%%></TD>\r\n"
        "\t\t<td valign=\"top\" width=77 class=\"TableBody\"><%%SELECT%%><%%FIELD_1%%><%%ENDSELECT%%></TD>\r\n"));
    QCOMPARE(o.tvs, QStringLiteral(
        "<!-- Edit this file to change the layout of the highlighted record in the table view -->\r\n"
        "\t\t<td valign=\"top\" width=150 class=\"TableBodySelectedNumeric\"><%%FIELD_0%%></TD>\r\n"
        "\t\t<td valign=\"top\" width=77 class=\"TableBodySelected\"><%%FIELD_1%%></TD>\r\n"));
    // the hidden field keeps its detail-view row
    QVERIFY(o.dv.contains(QStringLiteral(">B</div>")));
}

void TestTemplates::rowTemplatesWithoutSelection()
{
    OneTable t;
    t.table->Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pPrimaryKey = true,
                         .pDataType = Dt::Int});
    const QString tvsWith = generate(*t.db).tvs;
    t.table->AllowSelection = false;
    const Output o = generate(*t.db);
    QVERIFY(o.tv.endsWith(QStringLiteral("\r\n\t\t<td valign=\"top\" width=0 class=\"TableBodyNumeric\"><%%FIELD_0%%></TD>\r\n")));
    QVERIFY(!o.tv.contains(QStringLiteral("<%%SELECT%%>")));
    QCOMPARE(o.tvs, tvsWith);
}

void TestTemplates::cellClasses_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("parentTable");
    QTest::addColumn<QString>("parentCaption");
    QTest::addColumn<QString>("tv");
    QTest::addColumn<QString>("tvs");
    QTest::newRow("no type") << 0 << QString() << QString() << "TableBodyNumeric" << "TableBodySelectedNumeric";
    QTest::newRow("decimal") << int(Dt::Decimal) << QString() << QString() << "TableBodyNumeric" << "TableBodySelectedNumeric";
    QTest::newRow("date") << int(Dt::Date) << QString() << QString() << "TableBody" << "TableBodySelected";
    QTest::newRow("lookup to text") << int(Dt::Int) << "p" << "title" << "TableBody" << "TableBodySelected";
    QTest::newRow("lookup to number") << int(Dt::VarChar) << "p" << "pid" << "TableBodyNumeric" << "TableBodySelectedNumeric";
    QTest::newRow("missing parent table") << int(Dt::VarChar) << "nope" << "title" << "TableBodyNumeric" << "TableBodySelectedNumeric";
    QTest::newRow("missing caption field") << int(Dt::VarChar) << "p" << "nope" << "TableBodyNumeric" << "TableBodySelectedNumeric";
    QTest::newRow("parent name exact case") << int(Dt::VarChar) << "P" << "title" << "TableBodyNumeric" << "TableBodySelectedNumeric";
}

void TestTemplates::cellClasses()
{
    QFETCH(int, type);
    QFETCH(QString, parentTable);
    QFETCH(QString, parentCaption);
    QFETCH(QString, tv);
    QFETCH(QString, tvs);
    OneTable t;
    MyTable &p = *t.db->Tables.Add(QStringLiteral("Parent"), QStringLiteral("p"));
    p.Fields.Add({.Name = QStringLiteral("pid"), .Caption = QStringLiteral("PID"), .pPrimaryKey = true,
                  .pDataType = Dt::Int});
    p.Fields.Add({.Name = QStringLiteral("title"), .Caption = QStringLiteral("Title"), .pDataType = Dt::VarChar,
                  .pLength = 30});
    MyField &f = *t.table->Fields.Add({.Name = QStringLiteral("f"), .Caption = QStringLiteral("F"), .pDataType = type});
    f.ParentTable = parentTable;
    f.ParentCaptionField = parentCaption;
    const Output o = generate(*t.db);
    QVERIFY2(o.tv.contains(QStringLiteral(" class=\"%1\"><%%SELECT%%><%%FIELD_0%%>").arg(tv)), qPrintable(o.tv));
    QVERIFY2(o.tvs.contains(QStringLiteral(" class=\"%1\"><%%FIELD_0%%>").arg(tvs)), qPrintable(o.tvs));
}

void TestTemplates::detailFrame()
{
    OneTable t;
    const Output o = generate(*t.db);
    QCOMPARE(o.dv, QStringLiteral(
        "<!-- Edit this file to change the layout of the detail view form -->\r\n"
        "\r\n"
        "<br>\r\n"
        "<table border=1 bordercolor=navy cellpadding=0 cellspacing=0>\r\n"
        "\t<tr>\r\n"
        "\t\t<td>\r\n"
        "\t\t\t<div class=TableTitle><%%DETAIL_VIEW_TITLE%%></div>\r\n"
        "\t\t\t</td>\r\n"
        "\t\t</tr>\r\n"
        "\t<tr>\r\n"
        "\t\t<td>\r\n"
        "\t\t\t<table>\r\n"
        "\t\t\t\t<tr>\r\n"
        "\t\t\t\t\t<td colspan=2></td>\r\n"
        "\t\t\t\t\t<td rowspan=6 valign=top>\r\n"
        "\t\t\t\t\t\t<div><%%UPDATE_BUTTON%%></div>\r\n"
        "\t\t\t\t\t\t<div><%%DELETE_BUTTON%%></div>\r\n"
        "\t\t\t\t\t\t<div><%%DESELECT_BUTTON%%></div>\r\n"
        "\t\t\t\t\t\t<br>\r\n"
        "\t\t\t\t\t\t<div><%%INSERT_BUTTON%%></div>\r\n"
        "\t\t\t\t\t\t</td>\r\n"
        "\t\t\t\t\t</tr>\r\n"
        "\t\t\t\t</table>\r\n"
        "\t\t\t</td>\r\n"
        "\t\t</tr>\r\n"
        "\t</table>"));
}

void TestTemplates::detailValues_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("options"); // r read-only, l lookup, v value list, t textarea, a auto-increment
    QTest::addColumn<QString>("pieces");
    const QString combo = QStringLiteral("<%%COMBO(f)%%>"), text = QStringLiteral("<%%COMBOTEXT(f)%%>"),
                  value = QStringLiteral("<%%VALUE(f)%%>");
    auto box = [](int size) {
        return QStringLiteral("<input size=%1 type=text class=TextBox name=f value=\"<%%VALUE(f)%%>\">").arg(size);
    };
    auto area = [](int rows) {
        return QStringLiteral("<textarea class=TextBox name=f cols=50 rows=%1><%%VALUE(f)%%></textarea>").arg(rows);
    };
    QTest::newRow("read-only lookup") << int(Dt::Int) << 0 << "rl" << text;
    QTest::newRow("read-only date") << int(Dt::Date) << 0 << "r" << text;
    QTest::newRow("read-only value list") << int(Dt::VarChar) << 0 << "rv" << text;
    QTest::newRow("read-only plain") << int(Dt::VarChar) << 0 << "r" << value;
    QTest::newRow("editable date") << int(Dt::Date) << 0 << "" << combo;
    QTest::newRow("editable lookup") << int(Dt::Int) << 0 << "l" << combo;
    QTest::newRow("editable value list") << int(Dt::VarChar) << 0 << "v" << combo;
    QTest::newRow("auto-increment") << int(Dt::Int) << 0 << "a" << value;
    QTest::newRow("box 0") << int(Dt::VarChar) << 0 << "" << box(10);
    QTest::newRow("box 10") << int(Dt::VarChar) << 10 << "" << box(10);
    QTest::newRow("box 11") << int(Dt::VarChar) << 11 << "" << box(11);
    QTest::newRow("box 50") << int(Dt::VarChar) << 50 << "" << box(50);
    QTest::newRow("box 51") << int(Dt::VarChar) << 51 << "" << box(50);
    QTest::newRow("text without textarea") << int(Dt::Text) << 0 << "" << box(10);
    QTest::newRow("textarea on integer is a box") << int(Dt::Int) << 5 << "t" << box(10);
    QTest::newRow("area char 10") << int(Dt::Char) << 10 << "t" << area(3);
    QTest::newRow("area 50") << int(Dt::VarChar) << 50 << "t" << area(3);
    QTest::newRow("area 51") << int(Dt::VarChar) << 51 << "t" << area(3);
    QTest::newRow("area 100") << int(Dt::VarChar) << 100 << "t" << area(4);
    QTest::newRow("area 101") << int(Dt::Text) << 101 << "t" << area(4);
    QTest::newRow("area 255") << int(Dt::VarChar) << 255 << "t" << area(7);
    QTest::newRow("area value list is a combo") << int(Dt::VarChar) << 255 << "tv" << combo;
}

void TestTemplates::detailValues()
{
    QFETCH(int, type);
    QFETCH(int, length);
    QFETCH(QString, options);
    QFETCH(QString, pieces);
    OneTable t;
    MyField &f = *t.table->Fields.Add({.Name = QStringLiteral("f"), .Caption = QStringLiteral("F"), .pDataType = type,
                                       .pLength = qint16(length)});
    f.pReadOnly = options.contains(u'r');
    if (options.contains(u'l'))
        f.ParentTable = QStringLiteral("p");
    if (options.contains(u'v'))
        f.CSValueList = QStringLiteral("a;;b");
    f.pTextarea = options.contains(u't');
    f.pAutoIncrement = options.contains(u'a');
    const Output o = generate(*t.db);
    QCOMPARE(valueCell(o.dv, QStringLiteral("F")), cell(pieces));
}

void TestTemplates::uploadPieces_data()
{
    QTest::addColumn<QString>("options"); // r read-only, i image, k link, u upload, l lookup, n no updates
    QTest::addColumn<QString>("cellText");
    const QString img = QStringLiteral("\t\t\t\t\t\t<img src=\"<%%TRANSLATION(ImageFolder)%%><%%VALUE(f)%%>\" border=0>\r\n");
    const QString lnk = QStringLiteral("\t\t\t\t\t\t<a href=\"<%%TRANSLATION(ImageFolder)%%><%%VALUE(f)%%>\" target=_nWindow><%%VALUE(f)%%></a>\r\n");
    const QString up = QStringLiteral("\t\t\t\t\t\t<br><%%UPLOADFILE(f)%%>\r\n");
    const QString rm = QStringLiteral("\t\t\t\t\t\t<br><%%REMOVEFILE(f)%%>\r\n");
    const QString combo = QStringLiteral("\t\t\t\t\t\t<br><%%COMBO(f)%%>\r\n");
    const QString open = QStringLiteral("<td class=TableBody width=300>");
    const QString close = QStringLiteral("\r\n\t\t\t\t\t\t&nbsp;&nbsp;</td>\r\n");
    QTest::newRow("read-only image") << "ri" << open + QStringLiteral("\r\n") + img + close;
    QTest::newRow("read-only link") << "rku" << open + QStringLiteral("\r\n") + lnk + close;
    QTest::newRow("image with upload") << "iu" << open + QStringLiteral("\r\n") + img + up + rm + close;
    QTest::newRow("image before link") << "ik" << open + QStringLiteral("\r\n") + img + close;
    QTest::newRow("upload only") << "u" << open + up + rm + close;
    QTest::newRow("upload without updates") << "un" << open + up + close;
    QTest::newRow("link lookup with upload") << "kul" << open + QStringLiteral("\r\n") + lnk + up + rm + combo + close;
}

void TestTemplates::uploadPieces()
{
    QFETCH(QString, options);
    QFETCH(QString, cellText);
    OneTable t;
    MyField &f = *t.table->Fields.Add({.Name = QStringLiteral("f"), .Caption = QStringLiteral("F"),
                                       .pDataType = Dt::VarChar, .pLength = 100});
    f.pReadOnly = options.contains(u'r');
    f.pDetailImage = options.contains(u'i');
    f.pDetailLink = options.contains(u'k');
    f.pAllowImageUpload = options.contains(u'u');
    if (options.contains(u'l'))
        f.ParentTable = QStringLiteral("p");
    t.table->AllowUpdate = !options.contains(u'n');
    const Output o = generate(*t.db);
    QCOMPARE(valueCell(o.dv, QStringLiteral("F")), cellText);
}

void TestTemplates::requiredMarker()
{
    OneTable t;
    t.table->Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pPrimaryKey = true,
                         .pDataType = Dt::Int, .pNotNull = true});
    t.table->Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"),
                         .CSValueList = QStringLiteral("x;;y"), .pDataType = Dt::VarChar, .pNotNull = true});
    MyField &c = *t.table->Fields.Add({.Name = QStringLiteral("c"), .Caption = QStringLiteral("C"),
                                       .pDataType = Dt::VarChar});
    c.pHideInDetailView = true;
    const Output o = generate(*t.db);
    QVERIFY(o.dv.contains(QStringLiteral(
        "\t\t\t\t<tr>\r\n\t\t\t\t\t<td class=TableHeader valign=top>\r\n"
        "\t\t\t\t\t\t<div class=TableHeader style=\"text-align:right;\"><b class=\"Error\"><%%TRANSLATION(*)%%></b> A</div>\r\n"
        "\t\t\t\t\t\t</td>\r\n")));
    QVERIFY(o.dv.contains(QStringLiteral("<div class=TableHeader style=\"text-align:right;\">B</div>\r\n")));
    QVERIFY(!o.dv.contains(QStringLiteral(">C</div>")));
    // hidden in the detail view only: its row-template cells stay
    QVERIFY(o.tv.contains(QStringLiteral("<%%FIELD_2%%>")));
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
