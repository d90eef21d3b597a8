// The text of datalist.php: golden copies of each settings variant, the
// frame rules (line ends, separators, indentation), the four places where a
// project differs, `php -l`, and the behaviour of the generated classes run
// by PHP against the stubs in stubs.php.
//
// TESSARON_UPDATE_GOLDEN=1 rewrites the golden files; review the difference
// before committing it.
#include "datalist/datalist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

const QString kGoldenDir = QStringLiteral(TESSARON_SOURCE_DIR "/tests/datalist/golden");
const QString kStubs = QStringLiteral(TESSARON_SOURCE_DIR "/tests/datalist/stubs.php");
const QString kPhp = QStringLiteral(PHP_EXECUTABLE);

struct Variant {
    const char *name;
    DataListOptions options;
};

DataListOptions opts(bool upload, bool hideMenu, qint16 scroll, const QString &sep)
{
    DataListOptions o;
    o.anyImageUpload = upload;
    o.hideNavMenu = hideMenu;
    o.scrollStyle = scroll;
    o.datePartSeparator = sep;
    return o;
}

const QList<Variant> &variants()
{
    static const QList<Variant> list = {
        {"plain", opts(false, false, 0, QStringLiteral("-"))},
        {"upload", opts(true, false, 0, QStringLiteral("-"))},
        {"nonavmenu", opts(false, true, 0, QStringLiteral("-"))},
        {"scroll1", opts(false, false, 1, QStringLiteral("-"))},
        {"scroll2", opts(false, false, 2, QStringLiteral("-"))},
        {"slash", opts(false, false, 0, QStringLiteral("/"))},
        {"noseparator", opts(false, false, 0, QString())},
    };
    return list;
}

QByteArray bytesOf(const DataListOptions &o) { return BuildDataListScript(o).toLatin1(); }

QString visible(QString s)
{
    s.replace(u'\t', QStringLiteral("\\t"));
    s.replace(u'\r', QStringLiteral("\\r"));
    s.replace(u'\n', QStringLiteral("\\n"));
    return s;
}

// The first differing line with three lines of context on each side.
QString lineDiff(const QByteArray &expected, const QByteArray &actual)
{
    const QList<QByteArray> e = expected.split('\n');
    const QList<QByteArray> a = actual.split('\n');
    qsizetype i = 0;
    while (i < e.size() && i < a.size() && e.at(i) == a.at(i))
        ++i;
    QString out = QStringLiteral("first difference at line %1\n").arg(i + 1);
    for (qsizetype k = qMax<qsizetype>(0, i - 3); k < i; ++k)
        out += QStringLiteral("    %1\n").arg(visible(QString::fromLatin1(e.at(k))));
    for (qsizetype k = i; k < qMin(i + 4, e.size()); ++k)
        out += QStringLiteral("  - %1\n").arg(visible(QString::fromLatin1(e.at(k))));
    for (qsizetype k = i; k < qMin(i + 4, a.size()); ++k)
        out += QStringLiteral("  + %1\n").arg(visible(QString::fromLatin1(a.at(k))));
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct PhpRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

PhpRun runPhp(const QStringList &args)
{
    QProcess p;
    p.start(kPhp, args);
    PhpRun r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        r.err = "php did not finish";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace

// Compares the text that a scenario printed; on a mismatch shows where it
// differs, with tabs and line ends made visible.
#define COMPARE_TEXT(actual, expected)                                                        \
    do {                                                                                      \
        const QString a_ = (actual), e_ = (expected);                                         \
        if (a_ != e_) {                                                                       \
            qsizetype i_ = 0;                                                                 \
            while (i_ < a_.size() && i_ < e_.size() && a_.at(i_) == e_.at(i_))                \
                ++i_;                                                                         \
            const qsizetype from_ = qMax<qsizetype>(0, i_ - 60);                              \
            QFAIL(qPrintable(QStringLiteral("differs at %1\n  actual:   ...%2\n  expected: ...%3") \
                                 .arg(i_)                                                     \
                                 .arg(visible(a_.mid(from_, 240)), visible(e_.mid(from_, 240))))); \
        }                                                                                     \
    } while (false)

class TestDataList : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString scriptPath(const char *name) const { return m_dir.filePath(QString::fromLatin1(name) + ".php"); }
    // Runs a scenario against the given variant's datalist.php.
    PhpRun scenario(const char *variant, const QString &code);

private slots:
    void initTestCase();

    void golden_data();
    void golden();
    void sameSettingsSameBytes();

    void frame_data();
    void frame();
    void classSeparators();
    void formLine();
    void navigationMenu();
    void headerFragmentPlacement_data();
    void headerFragmentPlacement();
    void dateSeparatorLine_data();
    void dateSeparatorLine();

    void phpLint_data();
    void phpLint();

    void combo_data();
    void combo();
    void dateCombo_data();
    void dateCombo();
    void dataCombo_data();
    void dataCombo();
    void listQueries_data();
    void listQueries();
    void listPage_data();
    void listPage();
    void shownValues_data();
    void shownValues();
    void paging_data();
    void paging();
};

void TestDataList::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const Variant &v : variants())
        QVERIFY(writeFile(scriptPath(v.name), bytesOf(v.options)));
}

PhpRun TestDataList::scenario(const char *variant, const QString &code)
{
    static int n = 0;
    const QString path = m_dir.filePath(QStringLiteral("scenario%1.php").arg(++n));
    const QString text = QStringLiteral("<?php\nrequire '%1';\nrequire '%2';\n%3\n")
                             .arg(kStubs, scriptPath(variant), code);
    if (!writeFile(path, text.toLatin1()))
        return {};
    return runPhp({QStringLiteral("-n"), path});
}

// ---- golden text ----------------------------------------------------------

void TestDataList::golden_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < variants().size(); ++i)
        QTest::newRow(variants().at(i).name) << i;
}

void TestDataList::golden()
{
    QFETCH(int, index);
    const Variant &v = variants().at(index);
    const QByteArray actual = bytesOf(v.options);
    const QString path = kGoldenDir + QStringLiteral("/datalist-%1.php").arg(QString::fromLatin1(v.name));
    if (qEnvironmentVariableIntValue("TESSARON_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(kGoldenDir);
        QVERIFY(writeFile(path, actual));
        return;
    }
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path + " is missing"));
    const QByteArray expected = f.readAll();
    if (expected != actual)
        QFAIL(qPrintable(lineDiff(expected, actual)));
}

void TestDataList::sameSettingsSameBytes()
{
    for (const Variant &v : variants()) {
        QCOMPARE(bytesOf(v.options), bytesOf(v.options));
        QCOMPARE(GetDataListScript(v.options), BuildDataListScript(v.options));
    }
    QCOMPARE(BuildTableHeadersCode(), BuildTableHeadersCode());
}

// ---- frame ----------------------------------------------------------------

void TestDataList::frame_data() { golden_data(); }

void TestDataList::frame()
{
    QFETCH(int, index);
    const QByteArray text = bytesOf(variants().at(index).options);
    QVERIFY(text.startsWith("<?php\r\n\r\nclass DataList\r\n{\r\n\t// this class generates the data table ...\r\n"));
    QVERIFY(text.endsWith("}\r\n\r\n?>"));
    QVERIFY(!text.contains('\0'));
    for (char c : text)
        QVERIFY2(c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f), "only printable ASCII, tabs and line ends");

    // Every line but the last ends with CR LF; no CR elsewhere.
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QVERIFY2(lines.at(i).endsWith('\r'), qPrintable(QStringLiteral("line %1").arg(i + 1)));
    QCOMPARE(lines.last(), QByteArray("?>"));
    QCOMPARE(text.count('\r'), text.count('\n'));

    // Indentation is tabs only, and the tab-only lines survive.
    int tabOnly = 0;
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        QVERIFY2(!line.startsWith(' '), line.constData());
        if (!line.isEmpty() && line.count('\t') == line.size())
            ++tabOnly;
    }
    QVERIFY(tabOnly > 50);
    QVERIFY(text.contains("\t\t$this->DataHeight = 150;\r\n\t\t\r\n\t\t$this->AllowSelection = 1;\r\n"));
    QVERIFY(text.contains("\t\t$this->HighlightColor = '#FFE4E1';  // default highlight color\r\n\t\t\r\n\t\t$this->RecordsPerPage = 10;\r\n"));
    QVERIFY(text.contains("\tfunction DataList()     // Constructor function\r\n"));
    QVERIFY(text.contains("\t// get post and get variables\r\n\t\tglobal $HTTP_SERVER_VARS, $HTTP_GET_VARS, $HTTP_POST_VARS, $_SERVER, $Translation;\r\n"));
    QVERIFY(text.contains("\t\t// Das ist Alles!\r\n\t}\r\n}\r\n"));
    // Every loop over the filter slots names 20 groups, the filter page 3.
    QCOMPARE(text.count("for($i = 1; $i <= (20 * $FiltersPerGroup); $i++) // Number of filters allowed\r\n"), 5);
    QCOMPARE(text.count("for($i = 1; $i <= (20 * $FiltersPerGroup); $i+=$FiltersPerGroup) // Number of filters allowed\r\n"), 1);
    QCOMPARE(text.count("for($i = 1; $i <= (3 * $FiltersPerGroup); $i++) // Number of filters allowed\r\n"), 1);
}

void TestDataList::classSeparators()
{
    const QByteArray text = bytesOf(DataListOptions());
    const QByteArray slashes(63, '/');
    const QByteArray sep = "}\r\n\r\n\r\n" + slashes + "\r\n" + slashes + "\r\n\r\n\r\nclass ";
    QCOMPARE(text.count(sep), 3);
    QVERIFY(text.contains(sep + "DataCombo\r\n"));
    QVERIFY(text.contains(sep + "Combo\r\n"));
    QVERIFY(text.contains(sep + "DateCombo\r\n"));
    QCOMPARE(text.count("\nclass "), 4);
}

void TestDataList::formLine()
{
    const QByteArray plain = bytesOf(opts(false, false, 0, QStringLiteral("-")));
    const QByteArray upload = bytesOf(opts(true, false, 0, QStringLiteral("-")));
    QVERIFY(plain.contains("\t\t$this->HTML .= \"<form method=post name=myform action='$this->ScriptFileName'>\";\r\n"));
    QVERIFY(upload.contains("\t\t$this->HTML .= \"<form enctype=\\\"multipart/form-data\\\" method=post name=myform action='$this->ScriptFileName'>\";\r\n"));
    QVERIFY(!plain.contains("multipart"));
}

void TestDataList::navigationMenu()
{
    const QByteArray shown = bytesOf(opts(false, false, 0, QStringLiteral("-")));
    const QByteArray hidden = bytesOf(opts(false, true, 0, QStringLiteral("-")));
    const QByteArray lines = "\t\t\r\n\t\t// display tables navigator menu\r\n\t\tif(!$Print_x) \r\n"
                             "\t\t\t$this->HTML .= \" \" . NavMenus();\r\n\t\t\r\n\t\tif(!$this->HideTableView)\r\n";
    QVERIFY(shown.contains(lines));
    QCOMPARE(shown.count("NavMenus()"), 2);
    QCOMPARE(hidden.count("NavMenus()"), 1);   // only the head comment
    QVERIFY(hidden.contains("\t\t}\r\n\t\t\r\n\t\tif(!$this->HideTableView)\r\n\t\t{\r\n\t\t\t$this->HTML .= \"<br></td>"));
    QCOMPARE(shown.size() - hidden.size(), lines.size() - QByteArray("\t\t\r\n\t\tif(!$this->HideTableView)\r\n").size());
}

void TestDataList::headerFragmentPlacement_data()
{
    QTest::addColumn<int>("scrollStyle");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("beforeScrollBar");
    QTest::newRow("0: before the scroll bar") << 0 << 1 << true;
    QTest::newRow("1: after the scroll bar") << 1 << 1 << false;
    QTest::newRow("2: none") << 2 << 0 << false;
    QTest::newRow("-1: none") << -1 << 0 << false;
}

void TestDataList::headerFragmentPlacement()
{
    QFETCH(int, scrollStyle);
    QFETCH(int, count);
    QFETCH(bool, beforeScrollBar);
    const QByteArray text = bytesOf(opts(false, false, qint16(scrollStyle), QStringLiteral("-")));
    const QByteArray fragment = BuildTableHeadersCode().toLatin1();
    QVERIFY(fragment.startsWith("\t\t\t// display table headers\r\n\t\t\tglobal $SortFieldNumeric;\r\n"));
    QVERIFY(fragment.endsWith("\r\n"));
    QCOMPARE(text.count(fragment), count);
    QCOMPARE(text.count("// display table headers"), count);
    if (count == 0)
        return;
    const QByteArray scroll = "\t\t\t// display vertical scroll bar ...\r\n";
    const QByteArray close = "\t\t\t$this->HTML .= \"\\n\\t</tr>\\n\";\r\n";
    if (beforeScrollBar)
        QVERIFY(text.contains(fragment + scroll));
    else
        QVERIFY(text.contains(fragment + close));
    QVERIFY(text.indexOf(scroll) < text.indexOf(close));
}

void TestDataList::dateSeparatorLine_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("-") << QStringLiteral("-") << QByteArray("return \"${$p1}-${$p2}-${$p3}\";");
    QTest::newRow("/") << QStringLiteral("/") << QByteArray("return \"${$p1}/${$p2}/${$p3}\";");
    QTest::newRow("blank") << QStringLiteral(" ") << QByteArray("return \"${$p1} ${$p2} ${$p3}\";");
    QTest::newRow("empty") << QString() << QByteArray("return \"${$p1}${$p2}${$p3}\";");
    QTest::newRow("dollar escaped") << QStringLiteral("$") << QByteArray("return \"${$p1}\\$${$p2}\\$${$p3}\";");
}

void TestDataList::dateSeparatorLine()
{
    QFETCH(QString, separator);
    QFETCH(QByteArray, line);
    const QByteArray text = bytesOf(opts(false, false, 0, separator));
    QVERIFY(text.contains("\t\t" + line + "\r\n\t}\r\n}\r\n"));
}

// ---- php -l ---------------------------------------------------------------

void TestDataList::phpLint_data() { golden_data(); }

void TestDataList::phpLint()
{
    QFETCH(int, index);
    const PhpRun r = runPhp({QStringLiteral("-n"), QStringLiteral("-l"), scriptPath(variants().at(index).name)});
    QVERIFY2(r.exitCode == 0, (r.out + r.err).constData());
    QVERIFY(r.out.contains("No syntax errors detected"));
}

// ---- PHP behaviour --------------------------------------------------------

void TestDataList::combo_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    const QString list = QStringLiteral("$c = new Combo; $c->ListItem = array('A', 'B', 'C'); $c->ListData = array('a', 'b', 'c'); $c->SelectName = 'f'; ");
    QTest::newRow("drop-down selects the matching value")
        << list + "$c->SelectedData = 'b'; echo $c->Render(), '|', $c->HTML;"
        << "1|<select name='f' class='Option' style=''>\n\t<option value=''>&nbsp;</option>\n\t<option value=\"a\" class=Option>A</option>"
           "\n\t<option value=\"b\" selected class='SelectedOption'>B</option>\n\t<option value=\"c\" class=Option>C</option></select>";
    QTest::newRow("list box of 3 with empty choice: size 4")
        << list + "$c->ListType = 1; $c->Render(); echo substr($c->HTML, 0, strpos($c->HTML, '>') + 1);"
        << "<select name='f' class='Option' style='' size=\"4\">";
    QTest::newRow("list box of 3 without empty choice: size 3")
        << list + "$c->ListType = 1; $c->AllowNull = false; $c->Render(); echo substr($c->HTML, 0, strpos($c->HTML, '>') + 1);"
        << "<select name='f' class='Option' style='' size=\"3\">";
    QTest::newRow("list box of 30: size 10")
        << QStringLiteral("$c = new Combo; $c->ListItem = range(1, 30); $c->ListData = range(1, 30); $c->SelectName = 'f'; $c->ListType = 1; "
                          "$c->Render(); echo substr($c->HTML, 0, strpos($c->HTML, '>') + 1);")
        << "<select name='f' class='Option' style='' size=\"10\">";
    QTest::newRow("more texts than values")
        << QStringLiteral("$c = new Combo; $c->ListItem = array('A', 'B'); $c->ListData = array('a'); echo $c->Render(), '|', $c->HTML;")
        << "0|Invalid Class Definition";
    QTest::newRow("radios, 3 per line, with empty choice")
        << QStringLiteral("$c = new Combo; $c->ListItem = range(1, 5); $c->ListData = range(1, 5); $c->SelectName = 'r'; $c->ListType = 2; "
                          "$c->RadiosPerLine = 3; $c->SelectedData = 2; $c->Render(); echo $c->HTML;")
        << "<input type=radio name=\"r\" value=\"\" > None&nbsp; &nbsp; &nbsp; &nbsp;"
           "<input type=radio name=\"r\" value=\"1\" class=Option> 1&nbsp; &nbsp; &nbsp; &nbsp;"
           "<input type=radio name=\"r\" value=\"2\" checked class='SelectedOption'> 2<br>"
           "<input type=radio name=\"r\" value=\"3\" class=Option> 3&nbsp; &nbsp; &nbsp; &nbsp;"
           "<input type=radio name=\"r\" value=\"4\" class=Option> 4&nbsp; &nbsp; &nbsp; &nbsp;"
           "<input type=radio name=\"r\" value=\"5\" class=Option> 5<br>";
    QTest::newRow("radios, 1 per line, nothing selected")
        << QStringLiteral("$c = new Combo; $c->ListItem = array('A', 'B'); $c->ListData = array('a', 'b'); $c->SelectName = 'r'; $c->ListType = 2; "
                          "$c->Render(); echo $c->HTML;")
        << "<input type=radio name=\"r\" value=\"\" checked> None<br>"
           "<input type=radio name=\"r\" value=\"a\" class=Option> A<br>"
           "<input type=radio name=\"r\" value=\"b\" class=Option> B<br>";
}

void TestDataList::combo()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    const PhpRun r = scenario("plain", code);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    COMPARE_TEXT(QString::fromLatin1(r.out), expected);
}

void TestDataList::dateCombo_data()
{
    QTest::addColumn<QByteArray>("variant");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("read-only dmy with /")
        << QByteArray("slash")
        << QStringLiteral("$d = new DateCombo; $d->DateFormat = 'dmy'; $d->DefaultDate = '2004-05-06'; echo $d->GetHTML(true);")
        << "06/05/2004";
    QTest::newRow("read-only ymd with -")
        << QByteArray("plain")
        << QStringLiteral("$d = new DateCombo; $d->DefaultDate = '2004-05-06'; echo $d->GetHTML(true);")
        << "2004-05-06";
    QTest::newRow("read-only mdy without separator")
        << QByteArray("noseparator")
        << QStringLiteral("$d = new DateCombo; $d->DateFormat = 'mdy'; $d->DefaultDate = '2004-05-06'; echo $d->GetHTML(true);")
        << "05062004";
    QTest::newRow("selects the three parts")
        << QByteArray("plain")
        << QStringLiteral("$d = new DateCombo; $d->DefaultDate = '2004-05-06'; $d->NamePrefix = 'born'; $d->CSSOptionClass = 'Option'; "
                          "$d->CSSSelectedClass = 'SelectedOption'; $h = $d->GetHTML(); "
                          "echo substr_count($h, 'selected'), '|', substr_count($h, '<select '), '|', substr_count($h, '<option'), '|', "
                          "strpos($h, \"<select name='bornYear'\") === 0 ? 'y' : 'n', "
                          "strpos($h, \"</select>-<select name='bornMonth'\") ? 'm' : 'n', "
                          "strpos($h, \"</select>-<select name='bornDay'\") ? 'd' : 'n', '|', "
                          "strpos($h, \"<option value=\\\"2004\\\" selected class='SelectedOption'>2004</option>\") ? 1 : 0, "
                          "strpos($h, \"<option value=\\\"05\\\" selected class='SelectedOption'>May</option>\") ? 1 : 0, "
                          "strpos($h, \"<option value=\\\"06\\\" selected class='SelectedOption'>6</option>\") ? 1 : 0;")
        << "3|3|247|ymd|111";
    QTest::newRow("empty default date selects nothing")
        << QByteArray("plain")
        << QStringLiteral("$d = new DateCombo; $h = $d->GetHTML(); echo substr_count($h, 'selected'), '|', "
                          "substr_count($h, \"<option value=''>&nbsp;</option>\");")
        << "0|3";
}

void TestDataList::dateCombo()
{
    QFETCH(QByteArray, variant);
    QFETCH(QString, code);
    QFETCH(QString, expected);
    const PhpRun r = scenario(variant.constData(), code);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    COMPARE_TEXT(QString::fromLatin1(r.out), expected);
}

void TestDataList::dataCombo_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first item and five rows: six items")
        << QStringLiteral("make_list(5); $c = new DataCombo; $c->Query = 'select id, name from p'; $c->SelectName = 'p'; $c->FirstItem = 'None'; "
                          "$c->SelectedData = 'a2'; $c->Render(); echo $c->ItemCount, '|', $c->MatchText, '|', substr_count($c->HTML, '<option'), '|', queries();")
        << "6|20|6|select id, name from p";
    QTest::newRow("select and options")
        << QStringLiteral("make_list(2); $c = new DataCombo; $c->Query = 'q'; $c->SelectName = 'p'; $c->SelectedData = 'a2'; $c->Render(); "
                          "echo $c->ItemCount, '|', $c->HTML;")
        << "2|<select name='p' class='Option' style=''>\n\t<option value='a1' >10</option>\n\t<option value='a2' selected class=SelectedOption>20</option>\n</select>";
    QTest::newRow("no match, no rows")
        << QStringLiteral("make_list(0); $c = new DataCombo; $c->Query = 'q'; $c->SelectName = 'p'; $c->Render(); "
                          "echo $c->ItemCount, '|', $c->MatchText, '|', $c->HTML;")
        << "0||<select name='p' class='Option' style=''>\n</select>";
    QTest::newRow("values, texts and match are escaped")
        << QStringLiteral("global $FakeRows; $FakeRows = array(array(\"O'Neil\", '<b>\"x\" & y</b>')); $c = new DataCombo; $c->Query = 'q'; "
                          "$c->SelectedData = \"O'Neil\"; $c->Render(); echo $c->MatchText, '|', substr($c->HTML, strpos($c->HTML, '<option'));")
        << "&lt;b&gt;&quot;x&quot; &amp; y&lt;/b&gt;|<option value='O&#039;Neil' selected class=SelectedOption>"
           "&lt;b&gt;&quot;x&quot; &amp; y&lt;/b&gt;</option>\n</select>";
}

void TestDataList::dataCombo()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    const PhpRun r = scenario("plain", code);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    COMPARE_TEXT(QString::fromLatin1(r.out), expected);
}

// The three statements a list request runs: count, probe, page.
void TestDataList::listQueries_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("expected");

    const QString count = QStringLiteral("select count(1) from t");
    const QString base = QStringLiteral("select t.a as 'Alpha', t.b as 'Beta', t.id from t");

    QTest::newRow("nothing requested")
        << QString() << QStringLiteral("array()")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("keywords in capitals")
        << QStringLiteral("$x->Query = \"SELECT t.a AS 'Alpha', t.b AS 'Beta' FROM t WHERE t.c=1\";") << QStringLiteral("array()")
        << count + " where t.c=1\n" + base + " where t.c=1 limit 1\n" + base + " where t.c=1 limit 0,3";
    QTest::newRow("keywords inside captions are kept as written")
        << QStringLiteral("$x->Query = \"SELECT t.a AS 'Qty AS counted', t.b As 'Notes from staff, SELECT it WHERE FROM x' FROM t\";")
        << QStringLiteral("array()")
        << count + "\n"
           + "select t.a as 'Qty AS counted', t.b as 'Notes from staff, SELECT it WHERE FROM x', t.id from t limit 1\n"
           + "select t.a as 'Qty AS counted', t.b as 'Notes from staff, SELECT it WHERE FROM x', t.id from t limit 0,3";
    QTest::newRow("a where inside a caption: the search opens the statement's own where")
        << QStringLiteral("$x->Query = \"select t.a as 'Stock where stored', t.b as 'Beta' from t\";") << QStringLiteral("array('SearchString' => 'x')")
        << count + " where (t.a like '%x%' or t.b like '%x%' ) \n"
           + "select t.a as 'Stock where stored', t.b as 'Beta', t.id from t where (t.a like '%x%' or t.b like '%x%' )  limit 1\n"
           + "select t.a as 'Stock where stored', t.b as 'Beta', t.id from t where (t.a like '%x%' or t.b like '%x%' )  limit 0,3";
    QTest::newRow("a WHERE inside a caption: the filters open the statement's own where")
        << QStringLiteral("$x->Query = \"SELECT t.a AS 'Stock WHERE stored', t.b AS 'Beta' FROM t\";")
        << QStringLiteral("array('FilterField' => array(1 => 't.b'), 'FilterOperator' => array(1 => '>'), 'FilterValue' => array(1 => '5'))")
        << count + " where (   (   t.b > '5' ) )\n"
           + "select t.a as 'Stock WHERE stored', t.b as 'Beta', t.id from t where (   (   t.b > '5' ) ) limit 1\n"
           + "select t.a as 'Stock WHERE stored', t.b as 'Beta', t.id from t where (   (   t.b > '5' ) ) limit 0,3";
    QTest::newRow("an order by inside a caption keeps the sorting")
        << QStringLiteral("$x->Query = \"select t.a as 'Kept in order by hand', t.b as 'Beta' from t\";")
        << QStringLiteral("array('SortField' => '2', 'SortDirection' => 'desc')")
        << count + "\n"
           + "select t.a as 'Kept in order by hand', t.b as 'Beta', t.id from t order by 2 desc limit 1\n"
           + "select t.a as 'Kept in order by hand', t.b as 'Beta', t.id from t order by 2 desc limit 0,3";
    QTest::newRow("search, sort 2 desc")
        << QString() << QStringLiteral("array('SearchString' => 'x', 'SortField' => '2', 'SortDirection' => 'desc')")
        << count + " where (t.a like '%x%' or t.b like '%x%' ) \n"
           + base + " where (t.a like '%x%' or t.b like '%x%' )  order by 2 desc limit 1\n"
           + base + " where (t.a like '%x%' or t.b like '%x%' )  order by 2 desc limit 0,3";
    const QString filters = QStringLiteral(
        "'FilterField' => array(1 => 't.a', 2 => 't.b', 6 => 't.b'), 'FilterOperator' => array(1 => '<=>', 2 => 'like', 6 => '>'), "
        "'FilterValue' => array(1 => '1', 2 => 'y%', 6 => '5'), 'FilterAnd' => array(2 => 'or', 5 => 'and', 6 => 'or'), "
        "'SortField' => '1', 'SortDirection' => 'asc'");
    QTest::newRow("filter groups")
        << QString() << "array(" + filters + ")"
        << count + " where (   (   t.a <=> '1'   or t.b like 'y%' )   and ( t.b > '5' ) )\n"
           + base + " where (   (   t.a <=> '1'   or t.b like 'y%' )   and ( t.b > '5' ) ) order by 1 asc limit 1\n"
           + base + " where (   (   t.a <=> '1'   or t.b like 'y%' )   and ( t.b > '5' ) ) order by 1 asc limit 0,3";
    QTest::newRow("a missing or unknown join word joins with and")
        << QString()
        << QStringLiteral("array('FilterField' => array(1 => 't.a', 2 => 't.b', 6 => 't.b'), 'FilterOperator' => array(1 => '<=>', 2 => 'like', 6 => '>'), "
                          "'FilterValue' => array(1 => '1', 2 => 'y%', 6 => '5'), 'FilterAnd' => array(2 => 'or 1=1 or', 6 => 'or'))")
        << count + " where (   (   t.a <=> '1'   and t.b like 'y%' )   and ( t.b > '5' ) )\n"
           + base + " where (   (   t.a <=> '1'   and t.b like 'y%' )   and ( t.b > '5' ) ) limit 1\n"
           + base + " where (   (   t.a <=> '1'   and t.b like 'y%' )   and ( t.b > '5' ) ) limit 0,3";
    QTest::newRow("filter groups after a search")
        << QString() << "array('SearchString' => 'x', " + filters + ")"
        << count + " where (t.a like '%x%' or t.b like '%x%' )  and (   (   t.a <=> '1'   or t.b like 'y%' )   and ( t.b > '5' ) )\n"
           + base + " where (t.a like '%x%' or t.b like '%x%' )  and (   (   t.a <=> '1'   or t.b like 'y%' )   and ( t.b > '5' ) ) order by 1 asc limit 1\n"
           + base + " where (t.a like '%x%' or t.b like '%x%' )  and (   (   t.a <=> '1'   or t.b like 'y%' )   and ( t.b > '5' ) ) order by 1 asc limit 0,3";
    QTest::newRow("second group on a statement with a condition, no key, sorting off")
        << QStringLiteral("$x->Query .= ' where t.c=1'; $x->PrimaryKey = ''; $x->AllowSorting = 0;")
        << QStringLiteral("array('FilterAnd' => array(5 => 'or', 6 => 'and'), 'FilterField' => array(5 => 't.a', 6 => 't.b'), "
                          "'FilterOperator' => array(5 => '<=>', 6 => '!='), 'FilterValue' => array(5 => '1', 6 => '2'), 'SortField' => '1')")
        << QStringLiteral("select count(1) from t where t.c=1 and ( ( t.a <=> '1'   and t.b != '2' ) )\n"
                          "select t.a as 'Alpha', t.b as 'Beta' from t where t.c=1 and ( ( t.a <=> '1'   and t.b != '2' ) ) limit 1\n"
                          "select t.a as 'Alpha', t.b as 'Beta' from t where t.c=1 and ( ( t.a <=> '1'   and t.b != '2' ) ) limit 0,3");
    // compat.php writes a posted letter for a column whose character set
    // holds it (shown here by the stand-in as <charset>); the server tells
    // the character sets of the statement's columns, once a text asks
    QTest::newRow("a reference in the search and the filters, written for each column's character set")
        << QStringLiteral("global $FakeCharsets; $FakeCharsets = array('utf8mb4', 'latin1');")
        << QStringLiteral("array('SearchString' => '&#321;', 'FilterField' => array(1 => 't.a', 2 => 't.b'), 'FilterOperator' => array(1 => 'like', 2 => '<=>'), "
                          "'FilterValue' => array(1 => 'x&#321;', 2 => '&#321;'))")
        << QStringLiteral("select charset(t.a), charset(t.b) from t limit 1\n").repeated(2)
               + count + " where (t.a like '%<utf8mb4>&#321;%' or t.b like '%<latin1>&#321;%' )  and (   (   t.a like '<utf8mb4>x&#321;'   and t.b <=> '<latin1>&#321;' ) )\n"
               + base + " where (t.a like '%<utf8mb4>&#321;%' or t.b like '%<latin1>&#321;%' )  and (   (   t.a like '<utf8mb4>x&#321;'   and t.b <=> '<latin1>&#321;' ) ) limit 1\n"
               + base + " where (t.a like '%<utf8mb4>&#321;%' or t.b like '%<latin1>&#321;%' )  and (   (   t.a like '<utf8mb4>x&#321;'   and t.b <=> '<latin1>&#321;' ) ) limit 0,3";
    QTest::newRow("slot 80 counts, incomplete slots do not")
        << QString()
        << QStringLiteral("array('FilterField' => array(3 => 't.a', 80 => 't.b', 81 => 't.a'), 'FilterOperator' => array(3 => '<', 80 => '>', 81 => '<'), "
                          "'FilterValue' => array(3 => '', 80 => '0', 81 => '1'))")
        << count + " where (   (   t.b > '0' ) )\n" + base + " where (   (   t.b > '0' ) ) limit 1\n" + base + " where (   (   t.b > '0' ) ) limit 0,3";
    QTest::newRow("quotes in search and filter values are escaped")
        << QString()
        << QStringLiteral("array('SearchString' => \"O'Neil\\\\\", 'FilterField' => array(1 => 't.a'), 'FilterOperator' => array(1 => 'like'), "
                          "'FilterValue' => array(1 => \"a' or 1=1 -- \"))")
        << count + " where (t.a like '%O\\'Neil\\\\%' or t.b like '%O\\'Neil\\\\%' )  and (   (   t.a like 'a\\' or 1=1 -- ' ) )\n"
           + base + " where (t.a like '%O\\'Neil\\\\%' or t.b like '%O\\'Neil\\\\%' )  and (   (   t.a like 'a\\' or 1=1 -- ' ) ) limit 1\n"
           + base + " where (t.a like '%O\\'Neil\\\\%' or t.b like '%O\\'Neil\\\\%' )  and (   (   t.a like 'a\\' or 1=1 -- ' ) ) limit 0,3";
    QTest::newRow("search text with from and order by stays inside its literals")
        << QString() << QStringLiteral("array('SearchString' => 'x from y order by z')")
        << count + " where (t.a like '%x from y order by z%' or t.b like '%x from y order by z%' ) \n"
           + base + " where (t.a like '%x from y order by z%' or t.b like '%x from y order by z%' )  limit 1\n"
           + base + " where (t.a like '%x from y order by z%' or t.b like '%x from y order by z%' )  limit 0,3";
    QTest::newRow("search is off when the page has no search box")
        << QStringLiteral("$x->QuickSearch = 0;") << QStringLiteral("array('SearchString' => 'x')")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("sorting off ignores the sort column")
        << QStringLiteral("$x->AllowSorting = 0;") << QStringLiteral("array('SortField' => '2', 'SortDirection' => 'asc')")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("date sort column form is kept")
        << QStringLiteral("global $SortFieldNumeric; $SortFieldNumeric = 1;") << QStringLiteral("array('SortField' => 't.d', 'SortDirection' => 'desc')")
        << count + "\n" + base + " order by t.d desc limit 1\n" + base + " order by t.d desc limit 0,3";
    QTest::newRow("sort field and direction outside the offered values are dropped")
        << QString() << QStringLiteral("array('SortField' => '1; drop table t', 'SortDirection' => 'asc, (select 1)')")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("sorting by a column that is not shown is dropped")
        << QString() << QStringLiteral("array('SortField' => '3', 'SortDirection' => 'asc')")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("sorting by a table.field that the list page did not name is dropped")
        << QString() << QStringLiteral("array('SortField' => 't.hidden', 'SortDirection' => 'asc')")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("filters only on the fields of the filter page")
        << QStringLiteral("$x->FilterQuery = \"select t.a as 'Alpha', t.secret as 'Secret' from t\";")
        << QStringLiteral("array('FilterField' => array(1 => 't.b', 2 => 't.secret', 3 => 't.hidden'), 'FilterOperator' => array(1 => '<=>', 2 => '<=>', 3 => '<=>'), "
                          "'FilterValue' => array(1 => '1', 2 => '2', 3 => '3'), 'FilterAnd' => array(2 => 'and', 3 => 'and'))")
        << count + " where (   ( t.secret <=> '2' ) )\n" + base + " where (   ( t.secret <=> '2' ) ) limit 1\n"
           + base + " where (   ( t.secret <=> '2' ) ) limit 0,3";
    QTest::newRow("no filter where the page offers none")
        << QStringLiteral("$x->FilterQuery = '';")
        << QStringLiteral("array('FilterField' => array(1 => 't.a'), 'FilterOperator' => array(1 => '<=>'), 'FilterValue' => array(1 => '1'))")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("captions with as, quotes and commas: the search takes every column")
        << QStringLiteral("$x->Query = \"select t.a as 'x as y, z', if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') as 'P as \\\\'q\\\\', (r)', "
                          "t.b as 'Beta' from t\";")
        << QStringLiteral("array('SearchString' => 'q')")
        << QStringLiteral("select count(1) from t where (t.a like '%q%' or if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') like '%q%' or t.b like '%q%' ) \n"
                          "select t.a as 'x as y, z', if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') as 'P as \\'q\\', (r)', t.b as 'Beta', t.id from t "
                          "where (t.a like '%q%' or if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') like '%q%' or t.b like '%q%' )  limit 1\n"
                          "select t.a as 'x as y, z', if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') as 'P as \\'q\\', (r)', t.b as 'Beta', t.id from t "
                          "where (t.a like '%q%' or if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') like '%q%' or t.b like '%q%' )  limit 0,3");
    QTest::newRow("sort column 0 and a bad direction")
        << QString() << QStringLiteral("array('SortField' => '0', 'SortDirection' => 'DESC')")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("sort direction may be empty")
        << QString() << QStringLiteral("array('SortField' => '2')")
        << count + "\n" + base + " order by 2  limit 1\n" + base + " order by 2  limit 0,3";
    QTest::newRow("filter fields, operators and joins outside the offered values are dropped")
        << QString()
        << QStringLiteral("array('FilterField' => array(1 => '1=1 or t.a', 2 => 't.a', 3 => 't.b'), "
                          "'FilterOperator' => array(1 => '<=>', 2 => '= 1 or 1 =', 3 => '>='), 'FilterValue' => array(1 => '1', 2 => '2', 3 => '3'), "
                          "'FilterAnd' => array(3 => 'xor 1=1 or'))")
        << count + " where (   (   t.b >= '3' ) )\n" + base + " where (   (   t.b >= '3' ) ) limit 1\n" + base + " where (   (   t.b >= '3' ) ) limit 0,3";
    QTest::newRow("array where a text is expected")
        << QString() << QStringLiteral("array('SearchString' => array('x'), 'SortField' => array('1'), 'FilterField' => 't.a', 'FirstRecord' => array(), 'SelectedID' => array(1))")
        << count + "\n" + base + " limit 1\n" + base + " limit 0,3";
    QTest::newRow("clear filters")
        << QString() << "array('NoFilter_x' => '0', 'SearchString' => 'x', " + filters + ")"
        << count + "\n" + base + " order by 1 asc limit 1\n" + base + " order by 1 asc limit 0,3";
    QTest::newRow("primary key before the statement's own from only")
        << QStringLiteral("$x->Query = \"select t.a as 'a from b', t.b as 'Beta' from t\";") << QStringLiteral("array('SearchString' => 'q')")
        << QStringLiteral("select count(1) from t where (t.a like '%q%' or t.b like '%q%' ) \n"
                          "select t.a as 'a from b', t.b as 'Beta', t.id from t where (t.a like '%q%' or t.b like '%q%' )  limit 1\n"
                          "select t.a as 'a from b', t.b as 'Beta', t.id from t where (t.a like '%q%' or t.b like '%q%' )  limit 0,3");
}

void TestDataList::listQueries()
{
    QFETCH(QString, setup);
    QFETCH(QString, request);
    QFETCH(QString, expected);
    const PhpRun r = scenario("plain", QStringLiteral("request('POST', %1); $x = make_list(); %2 $x->Render(); echo queries();").arg(request, setup));
    QVERIFY2(r.exitCode == 0, r.err.constData());
    COMPARE_TEXT(QString::fromLatin1(r.out), expected);
}

// Pieces of the rendered page.
void TestDataList::listPage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("GET never inserts, updates or deletes")
        << QStringLiteral("request('GET', array('insert_x' => '1', 'update_x' => '1', 'delete_x' => '1', 'SelectedID' => '2')); "
                          "$x = make_list(); $x->Render(); echo implode(',', $Calls), '|', between($x->HTML, '<input name=SelectedID', '>');")
        << "|<input name=SelectedID value='2' type=hidden>";
    QTest::newRow("POST ignores the address, GET ignores posted fields")
        << QStringLiteral("request('POST', array('SortField' => '1')); global $HTTP_GET_VARS; $HTTP_GET_VARS = array('SelectedID' => '9', 'SortField' => '2'); "
                          "$x = make_list(); $x->Render(); echo between($x->HTML, '<input name=SortField', '>'), between($x->HTML, '<input name=SelectedID', '>'), '|'; "
                          "request('GET', array('SortField' => '1')); global $HTTP_POST_VARS; $HTTP_POST_VARS = array('SelectedID' => '9', 'SortField' => '2'); "
                          "$x = make_list(); $x->Render(); echo between($x->HTML, '<input name=SortField', '>'), between($x->HTML, '<input name=SelectedID', '>');")
        << "<input name=SortField value='1' type=hidden><input name=SelectedID value='' type=hidden>|"
           "<input name=SortField value='1' type=hidden><input name=SelectedID value='' type=hidden>";
    // Sets the request's Host, Origin and Referer, then posts every command.
    const QString fromSite = QStringLiteral(
        "$cmds = array(); foreach(array('insert_x', 'update_x', 'delete_x', 'SaveFilter_x') as $cmd) { "
        "request('POST', array($cmd => '1', 'SelectedID' => '2')); global $HTTP_SERVER_VARS, $Calls; $Calls = array(); "
        "$HTTP_SERVER_VARS['HTTP_HOST'] = %1; $HTTP_SERVER_VARS['HTTP_ORIGIN'] = %2; $HTTP_SERVER_VARS['HTTP_REFERER'] = %3; "
        "$x = make_list(); $x->AllowSavingFilters = 1; $x->Render(); "
        "$cmds[] = implode(',', $Calls) . (strpos($x->HTML, '<textarea') === false ? '' : 'saved'); } echo implode('|', $cmds);");
    QTest::newRow("a post from another site changes nothing")
        << fromSite.arg(QStringLiteral("'host'"), QStringLiteral("'http://evil.example'"), QStringLiteral("'http://host/t_view.php'")) << "|||";
    QTest::newRow("without an origin, the referring page counts")
        << fromSite.arg(QStringLiteral("'host'"), QStringLiteral("''"), QStringLiteral("'http://evil.example/host/'")) << "|||";
    QTest::newRow("a hidden origin counts as another site")
        << fromSite.arg(QStringLiteral("'host'"), QStringLiteral("'null'"), QStringLiteral("''")) << "|||";
    QTest::newRow("another port is another site")
        << fromSite.arg(QStringLiteral("'host:8080'"), QStringLiteral("'http://host:8081'"), QStringLiteral("''")) << "|||";
    QTest::newRow("the page's own host goes on")
        << fromSite.arg(QStringLiteral("'Host:8080'"), QStringLiteral("'http://host:8080'"), QStringLiteral("'http://evil.example/'"))
        << "insert|update(2)|delete(2)|saved";
    QTest::newRow("a request that names no page goes on")
        << fromSite.arg(QStringLiteral("'host'"), QStringLiteral("''"), QStringLiteral("''")) << "insert|update(2)|delete(2)|saved";
    QTest::newRow("POST update keeps the selection")
        << QStringLiteral("request('POST', array('update_x' => '0', 'SelectedID' => '2')); "
                          "$x = make_list(); $x->Render(); echo implode(',', $Calls), '|', between($x->HTML, '<input name=SelectedID', '>');")
        << "update(2)|<input name=SelectedID value='2' type=hidden>";
    QTest::newRow("deleting clears the selection")
        << QStringLiteral("request('POST', array('delete_x' => '3', 'SelectedID' => '2')); "
                          "$x = make_list(); $x->Render(); echo implode(',', $Calls), '|', between($x->HTML, '<input name=SelectedID', '>');")
        << "delete(2)|<input name=SelectedID value='' type=hidden>";
    QTest::newRow("a failed delete shows its error and keeps the selection")
        << QStringLiteral("request('POST', array('delete_x' => '3', 'SelectedID' => 'bad')); "
                          "$x = make_list(); $x->Render(); echo between($x->HTML, '<div class=Error>', '</div>'), '|', between($x->HTML, '<input name=SelectedID', '>');")
        << "<div class=Error>ERROR: in use</div>|<input name=SelectedID value='bad' type=hidden>";
    QTest::newRow("without selection no record command runs")
        << QStringLiteral("request('POST', array('insert_x' => '1', 'SelectedID' => '2', 'deselect_x' => '1')); "
                          "$x = make_list(); $x->AllowSelection = 0; $x->Render(); echo implode(',', $Calls), '|', between($x->HTML, '<input name=SelectedID', '>'), '|', "
                          "strpos($x->HTML, '<FORM') === false ? 'no form' : 'form';")
        << "|<input name=SelectedID value='2' type=hidden>|no form";
    QTest::newRow("insert refreshes to an encoded address")
        << QStringLiteral("request('POST', array('insert_x' => '1', 'SortField' => '2', 'SortDirection' => 'asc', 'FirstRecord' => '1x', "
                          "'FilterAnd' => array(2 => 'or'), 'FilterField' => array(2 => 't.a'), 'FilterOperator' => array(2 => '<='), "
                          "'FilterValue' => array(2 => \"a&b='c'\"))); "
                          "$x = make_list(); $x->Render(); echo implode(',', $Calls), '|', between($x->HTML, '<META', '>');")
        << "insert|<META HTTP-EQUIV='Refresh' CONTENT='0;url=t_view.php?SortField=2&SortDirection=asc&FirstRecord=1&SelectedID=7+%26+8"
           "&FilterAnd[2]=or&FilterField[2]=t.a&FilterOperator[2]=%3C%3D&FilterValue[2]=a%26b%3D%27c%27'>";
    QTest::newRow("insert with a redirect address")
        << QStringLiteral("request('POST', array('insert_x' => '1')); $x = make_list(); $x->RedirectAfterInsert = 'done.php?id=#ID#&again=#ID#'; $x->Render(); echo 'not reached';")
        << "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0;url=done.php?id=7+%26+8&again=7+%26+8\">";
    QTest::newRow("hidden state fields are escaped")
        << QStringLiteral("request('POST', array('SelectedID' => \"1' onclick='x\", 'SortField' => \"2'\", 'FirstRecord' => \"2'><b>\")); "
                          "$x = make_list(); $x->Render(); echo between($x->HTML, '<input name=SortField', \"value='1'>\");")
        << "<input name=SortField value='' type=hidden><input name=SelectedID value='1&#039; onclick=&#039;x' type=hidden>"
           "<input name=SortDirection type=hidden value=''><input name=FirstRecord type=hidden value='1'>";
    QTest::newRow("search box shows the text escaped, without added backslashes")
        << QStringLiteral("request('POST', array('SearchString' => \"O'Neil <b>\")); $x = make_list(0); $x->Render(); "
                          "echo between($x->HTML, '<div class=TableBodySelected', '</div>');")
        << "<div class=TableBodySelected style='text-align:left;'><b>Quick search</b> <input type=text name=SearchString value='O&#039;Neil &lt;b&gt;' "
           "size=15 class=TextBox><input align=top border=0 name=Search type=image vspace=2 hspace=2 src=qsearch.gif alt='Quick search'></div>";
    QTest::newRow("hidden filter fields are escaped")
        << QStringLiteral("request('POST', array('FilterAnd' => array(5 => 'and', 9 => 'or'), 'FilterField' => array(5 => 't.a'), "
                          "'FilterOperator' => array(5 => '<'), 'FilterValue' => array(5 => \"'x'\"))); $x = make_list(); $x->Render(); "
                          "echo between($x->HTML, '<input name=FilterAnd', \"[9] value='or' type=hidden>\\n\"), '|', "
                          "substr($x->HTML, 0, strpos($x->HTML, '<link'));")
        << "<input name=FilterAnd[5] value='and' type=hidden>\n<input name=FilterField[5] value='t.a' type=hidden>\n"
           "<input name=FilterOperator[5] value='&lt;' type=hidden>\n<input name=FilterValue[5] value='&#039;x&#039;' type=hidden>\n"
           "<input name=FilterAnd[9] value='or' type=hidden>\n|<script language=\"javaScript\">\n<!--\nfunction colorize(item, color)\n{\n"
           "\tfor(var i = 0; i < item.childNodes.length; i++)\n\t{\n\t\tif(item.childNodes[i].nodeName == 'TD')\n\t\t{\n"
           "\t\t\titem.childNodes[i].style.backgroundColor = color;\n"
           "\t\t\tif(item.childNodes[i].childNodes.length > 0 && item.childNodes[i].childNodes[0].nodeName == 'A')\n\t\t\t{\n"
           "\t\t\t\titem.childNodes[i].childNodes[0].style.backgroundColor = color;\n\t\t\t}\n\t\t}\n\t}\n}\n//-->\n</script>";
    QTest::newRow("cells: classes, selection link, escaped values")
        << QStringLiteral("request('POST', array('SelectedID' => '2')); $x = make_list(2); global $FakeRows; $FakeRows[0][0] = '<i>&'; "
                          "$x->Render(); echo between($x->HTML, \"\\t<tr onMouseOver\", \"\\n\\t<tr><td colspan\");")
        << "\t<tr onMouseOver=\"colorize(this, '#FFE4E1');\" onMouseOut=\"colorize(this, '');\">"
           "<td valign=top class=TableBody><div class=TableBody>&nbsp;<a href='javascript:document.myform.SelectedID.value=\"1\"; document.myform.submit();' "
           "class=TableBody style=\"padding:0px;\">&lt;i&gt;&amp;</a>&nbsp;</div></td>"
           "<td valign=top class=TableBodyNumeric><div class=TableBodyNumeric>&nbsp;<a href='javascript:document.myform.SelectedID.value=\"1\"; "
           "document.myform.submit();' class=TableBodyNumeric style=\"padding:0px;\">10</a>&nbsp;</div></td></tr>\n"
           "\t<tr onMouseOver=\"colorize(this, '#FFE4E1');\" onMouseOut=\"colorize(this, '');\">"
           "<td valign=top class=TableBodySelected><div class=TableBodySelected>&nbsp;<a href='javascript:document.myform.SelectedID.value=\"2\"; "
           "document.myform.submit();' class=TableBodySelected style=\"padding:0px;\">a2</a>&nbsp;</div></td>"
           "<td valign=top class=TableBodySelectedNumeric><div class=TableBodySelectedNumeric>&nbsp;<a href='javascript:document.myform.SelectedID.value=\"2\"; "
           "document.myform.submit();' class=TableBodySelectedNumeric style=\"padding:0px;\">20</a>&nbsp;</div></td></tr>\n\n\t<tr><td colspan";
    QTest::newRow("a key with quotes stays inside the selection link")
        << QStringLiteral("request('POST', array()); $x = make_list(1); global $FakeRows; $FakeRows[0][2] = \"k'\\\"<\"; $x->AllowSorting = 0; "
                          "$x->Render(); echo between($x->HTML, '<a href=', '>');")
        << "<a href='javascript:document.myform.SelectedID.value=\"k\\&#039;\\&quot;&lt;\"; document.myform.submit();' class=TableBody style=\"padding:0px;\">";
    QTest::newRow("a key cannot end the string of the javascript: address")
        << QStringLiteral("request('POST', array()); $x = make_list(1); global $FakeRows; $FakeRows[0][2] = \"%22-alert(7)-%22 \\\\\\n\\t%\"; "
                          "$x->AllowSorting = 0; $x->Render(); echo between($x->HTML, '<a href=', '>');")
        << "<a href='javascript:document.myform.SelectedID.value=\"%2522-alert(7)-%2522 \\\\\\n\\t%25\"; document.myform.submit();' "
           "class=TableBody style=\"padding:0px;\">";
    QTest::newRow("captions with as, quotes and commas do not move the html columns")
        << QStringLiteral("request('POST', array()); $x = make_list(1); global $FakeRows, $FakeFields; "
                          "$FakeFields = array(array('A', 'string'), array('P', 'string'), array('B', 'string'), array('id', 'int')); "
                          "$FakeRows[0] = array('<i>', '<img src=i/p.gif border=0>', '<b>', '1'); "
                          "$x->Query = \"select t.a as 'x as y, z', if(length(t.p), concat('<img src=i/',t.p,' border=0>'), '') as 'P as \\\\'q\\\\', (r)', t.b as 'concat(\\\\'<img src=' from t\"; "
                          "$x->AllowSelection = 0; $x->Render(); echo between($x->HTML, '<td valign=top class=TableBody>', \"</tr>\");")
        << "<td valign=top class=TableBody><div class=TableBody>&nbsp;&lt;i&gt;&nbsp;</div></td>"
           "<td valign=top class=TableBody><div class=TableBody>&nbsp;<img src=i/p.gif border=0>&nbsp;</div></td>"
           "<td valign=top class=TableBody><div class=TableBody>&nbsp;&lt;b&gt;&nbsp;</div></td></tr>";
    QTest::newRow("filter page captions with as, quotes and commas")
        << QStringLiteral("request('POST', array('Filter_x' => '0')); $x = make_list(); "
                          "$x->Query = \"select t.a as 'x as y, z', t.p as 'P as \\\\'q\\\\', (r)', t.b as 'Beta' from t\"; "
                          "$x->Render(); echo between($x->HTML, \"<select name='FilterField[1]'\", '</select>');")
        << "<select name='FilterField[1]' class='Option' style=''>\n\t<option value=''>&nbsp;</option>\n\t<option value=\"\" selected class='SelectedOption'></option>"
           "\n\t<option value=\"t.a\" class=Option>x as y, z</option>\n\t<option value=\"t.p\" class=Option>P as 'q', (r)</option>"
           "\n\t<option value=\"t.b\" class=Option>Beta</option></select>";
    QTest::newRow("image and link columns stay html")
        << QStringLiteral("request('POST', array()); $x = make_list(1); global $FakeRows; $FakeRows[0] = array('<img src=images/p.gif border=0>', '<b>', '1'); "
                          "$x->Query = \"select if(length(t.a), concat('<img src=images/',t.a,' border=0>'), '') as 'Alpha', t.b as 'Beta' from t\"; "
                          "$x->AllowSelection = 0; $x->Render(); echo between($x->HTML, '<td valign=top class=TableBody>', \"</tr>\");")
        << "<td valign=top class=TableBody><div class=TableBody>&nbsp;<img src=images/p.gif border=0>&nbsp;</div></td>"
           "<td valign=top class=TableBodyNumeric><div class=TableBodyNumeric>&nbsp;&lt;b&gt;&nbsp;</div></td></tr>";
    QTest::newRow("sort links: the sorted column offers the other direction")
        << QStringLiteral("request('POST', array('SortField' => '2', 'SortDirection' => 'asc')); $x = make_list(1); $x->ColWidth = array(150); $x->Render(); "
                          "echo between($x->HTML, \"\\t<td valign=top nowrap\", \"\\n\\t</tr>\");")
        << "\t<td valign=top nowrap width='150' class=TableHeader><div class=TableHeader><a href='javascript: document.myform.SortDirection.value=\"asc\"; "
           "document.myform.SortField.value = 1; document.myform.submit();' class=TableHeader>Alpha</a></div></td>\n"
           "\t<td valign=top nowrap width='100' class=TableHeader><div class=TableHeader><a href='javascript: document.myform.SortDirection.value=\"desc\"; "
           "document.myform.SortField.value = 2; document.myform.submit();' class=TableHeader><img src=desc.gif border=0 width=11 height=11 hspace=3>Beta</a></div></td>\n"
           "\n\t</tr>";
    QTest::newRow("date column sorted by its expression is marked by its number")
        << QStringLiteral("global $SortFieldNumeric; $SortFieldNumeric = 1; request('POST', array('SortField' => 't.d', 'SortDirection' => 'desc')); "
                          "$x = make_list(1); $x->Render(); echo between($x->HTML, \"<div class=TableHeader><a\", '</a>');")
        << "<div class=TableHeader><a href='javascript: document.myform.SortDirection.value=\"asc\"; document.myform.SortField.value = 1; "
           "document.myform.submit();' class=TableHeader><img src=asc.gif border=0 width=11 height=11 hspace=3>Alpha</a>";
    QTest::newRow("row template with sort-by drop-down")
        << QStringLiteral("$dir = sys_get_temp_dir() . '/dl' . getmypid(); @mkdir($dir); chdir($dir); "
                          "file_put_contents('tv.html', '<td><%%SELECT%%><%%FIELD_0%%><%%ENDSELECT%%></td><td><%%FIELD_1%%></td>'); "
                          "file_put_contents('tvs.html', '<td class=sel><%%FIELD_0%%></td>'); "
                          "request('POST', array('SortField' => '2', 'SortDirection' => 'asc', 'SelectedID' => '2')); global $FakeRows; "
                          "$x = make_list(2); $FakeRows[0][0] = '<x>'; $x->Template = 'tv.html'; $x->SelectedTemplate = 'tvs.html'; $x->Render(); "
                          "unlink('tv.html'); unlink('tvs.html'); chdir('/'); rmdir($dir); "
                          "echo between($x->HTML, \"\\t<td valign=top class=TableHeader\", \"\\n\\t<tr><td colspan\");")
        << "\t<td valign=top class=TableHeader colspan=2><div class=TableHeader>Order by <select onChange=\"document.myform.SortDirection.value='asc'; "
           "document.myform.SortField.value=document.myform.FieldsList.value; document.myform.submit();\" name='FieldsList' class='TableBody' style=''>"
           "\n\t<option value=''>&nbsp;</option>\n\t<option value=\"\" class=TableBody></option>\n\t<option value=\"1\" class=TableBody>Alpha</option>"
           "\n\t<option value=\"2\" selected class='TableBodySelected'>Beta</option></select> "
           "<a href=\"javascript: document.myform.SortDirection.value='desc'; document.myform.SortField.value='2'; document.myform.submit();\" "
           "class=TableHeader><img src=desc.gif border=0 width=11 height=11 hspace=3></a></div></td>\n\n\t</tr>\n"
           "<input name=SortField value='2' type=hidden><input name=SelectedID value='2' type=hidden><input name=SortDirection type=hidden value='asc'>"
           "<input name=FirstRecord type=hidden value='1'>"
           "\t<tr onMouseOver=\"colorize(this, '#FFE4E1');\" onMouseOut=\"colorize(this, '');\"><td><a href='javascript:document.myform.SelectedID.value=\"1\"; "
           "document.myform.submit();' class=TableBody style=\"padding:0px;\">&lt;x&gt;</a></td><td>10</td></tr>\n"
           "\t<tr onMouseOver=\"colorize(this, '#FFE4E1');\" onMouseOut=\"colorize(this, '');\"><td class=sel>a2</td></tr>\n\n\t<tr><td colspan";
    QTest::newRow("missing row template falls back to cells")
        << QStringLiteral("request('POST', array()); $x = make_list(1); $x->Template = 'no-such-template.html'; $x->Render(); "
                          "echo strpos($x->HTML, '<td valign=top nowrap') ? 'headers' : 'none', '|', strpos($x->HTML, '<td valign=top class=TableBody>') ? 'cells' : 'none';")
        << "headers|cells";
    QTest::newRow("print view")
        << QStringLiteral("request('POST', array('Print_x' => '0', 'SelectedID' => '1')); $x = make_list(25); $x->Render(); "
                          "echo substr_count($x->HTML, '<tr onMouseOver'), '|', strpos($x->HTML, 'SelectedID.value') === false ? 'no links' : 'links', '|', "
                          "strpos($x->HTML, 'NAV') === false ? 'no menu' : 'menu', '|', strpos($x->HTML, 'name=Print') === false ? 'no icon' : 'icon', '|', "
                          "strpos($x->HTML, '<FORM') === false ? 'no form' : 'form', '|', between($x->HTML, \"\\n\\t<tr><td colspan=2><div class=TableFooter>\", '</tr>');")
        << "25|no links|no menu|no icon|no form|\n\t<tr><td colspan=2><div class=TableFooter>Records 1 to 25 of 25</div></td></tr>";
    QTest::newRow("no records")
        << QStringLiteral("request('POST', array()); $x = make_list(0); $x->ShowRecordSlots = 1; $x->RecordsPerPage = 2; $x->Render(); "
                          "echo substr_count($x->HTML, '<div class=TableBody>&nbsp;</div>'), '|', between($x->HTML, 'Records', '</td>'), '|', between($x->HTML, '<FORM', '>');")
        << "1|Records 0 to 0 of 0</td>|<FORM id=[] update=1 insert=1 delete=1>";
    QTest::newRow("hidden table view with a selection offers no insert")
        << QStringLiteral("request('POST', array('SelectedID' => '1')); $x = make_list(2); $x->HideTableView = 1; $x->Render(); "
                          "echo between($x->HTML, '<FORM', '>'), '|', strpos($x->HTML, '<tr onMouseOver') === false ? 'no rows' : 'rows', '|', "
                          "strpos($x->HTML, 'NAV') === false ? 'no menu' : 'menu';")
        << "<FORM id=[1] update=1 insert=0 delete=1>|no rows|menu";
    QTest::newRow("filter page")
        << QStringLiteral("global $SortFieldNumeric; $SortFieldNumeric = 2; request('POST', array('Filter_x' => '0', 'SortField' => 't.d', 'SortDirection' => 'desc', "
                          "'FilterValue' => array(12 => '\"q\"'), 'SelectedID' => '5')); $x = make_list(); $x->AllowSavingFilters = 1; $x->Render(); "
                          "echo substr_count($x->HTML, \"<input size=25 type=text class=TextBox name=FilterValue[\"), '|', "
                          "substr_count($x->HTML, \"<select name='FilterAnd[\"), '|', substr_count($x->HTML, 'Filter01 </td>'), '|', "
                          "between($x->HTML, 'Filter12', '</tr>'), '|', between($x->HTML, '<input type=image src=applyFilters.gif', 'value=\\'1\\'>'), '|', queries();")
        << "12|11|1|Filter12 <select name='FilterAnd[12]' class='Option' style=''>\n\t<option value=''>&nbsp;</option>\n"
           "\t<option value=\"and\" class=Option>And</option>\n\t<option value=\"or\" class=Option>Or</option></select></td>"
           "<td><select name='FilterField[12]' class='Option' style=''>\n\t<option value=''>&nbsp;</option>\n\t<option value=\"\" selected class='SelectedOption'></option>"
           "\n\t<option value=\"t.a\" class=Option>Alpha</option>\n\t<option value=\"t.b\" class=Option>Beta</option></select></td>"
           "<td><select name='FilterOperator[12]' class='Option' style=''>\n\t<option value=''>&nbsp;</option>\n\t<option value=\"\" selected class='SelectedOption'> </option>"
           "\n\t<option value=\"<=>\" class=Option></option>\n\t<option value=\"!=\" class=Option></option>\n\t<option value=\">\" class=Option></option>"
           "\n\t<option value=\">=\" class=Option></option>\n\t<option value=\"<\" class=Option></option>\n\t<option value=\"<=\" class=Option></option>"
           "\n\t<option value=\"like\" class=Option></option>\n\t<option value=\"not like\" class=Option></option></select></td>"
           "<td><input size=25 type=text class=TextBox name=FilterValue[12] value=\"&quot;q&quot;\"></td></tr>|"
           "<input type=image src=applyFilters.gif alt=''> &nbsp; <input type=image src=save_search.gif alt='' name=SaveFilter></td></tr></table>"
           "<input name=SortField value='2' type=hidden><input name=SortDirection type=hidden value='desc'><input name=FirstRecord type=hidden value='1'>|";
    QTest::newRow("saved filters code is shown as text")
        << QStringLiteral("request('POST', array('SaveFilter_x' => '0', 'FilterAnd' => array(5 => 'or', 9 => 'and'), 'FilterField' => array(5 => 't.a'), "
                          "'FilterOperator' => array(5 => '<=>'), 'FilterValue' => array(5 => \"</textarea>'\"))); $x = make_list(0); $x->AllowSavingFilters = 1; "
                          "$x->Render(); echo between($x->HTML, '<textarea cols=60 rows=12 wrap=off>', '</textarea>');")
        << "<textarea cols=60 rows=12 wrap=off>&lt;html&gt;&lt;body&gt;\n&lt;form method=post action=http://host/t_view.php?a=1&amp;amp;b=2&gt;\n"
           "\t&lt;input name=FilterAnd[5] value=&#039;or&#039; type=hidden&gt;\n\t&lt;input name=FilterField[5] value=&#039;t.a&#039; type=hidden&gt;\n"
           "\t&lt;input name=FilterOperator[5] value=&#039;&amp;lt;=&amp;gt;&#039; type=hidden&gt;\n"
           "\t&lt;input name=FilterValue[5] value=&#039;&amp;lt;/textarea&amp;gt;&amp;#039;&#039; type=hidden&gt;\n\n"
           "\t&lt;input name=FilterAnd[9] value=&#039;and&#039; type=hidden&gt;\n\n\t&lt;input type=submit value=&quot;Show Filtered Data&quot;&gt;\n"
           "&lt;/form&gt;\n&lt;/body&gt;&lt;/html&gt;</textarea>";
    QTest::newRow("saving filters needs the permission")
        << QStringLiteral("request('POST', array('SaveFilter_x' => '0')); $x = make_list(0); $x->Render(); echo strpos($x->HTML, '<textarea') === false ? 'none' : 'box';")
        << "none";
}

void TestDataList::listPage()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    const PhpRun r = scenario("plain", code);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY2(!r.err.contains("Fatal"), r.err.constData());
    COMPARE_TEXT(QString::fromLatin1(r.out), expected);
}

// Every place that shows a stored value (list cells, both ways, and the
// lookup's options and match) or echoes a typed one (quick search, filter
// box) escapes it alike: a numeric character reference, which is how a
// browser posts a letter that windows-1252 lacks, reaches the page as it is.
// A lookup's key is escaped in full, so that it posts back as stored.
void TestDataList::shownValues_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("asKey");
    QTest::newRow("decimal reference") << QByteArray("&#321;ukasz") << QByteArray("&#321;ukasz") << QByteArray("&amp;#321;ukasz");
    QTest::newRow("hex references") << QByteArray("&#x141;&#X142;&#x00e9;") << QByteArray("&#x141;&#X142;&#x00e9;")
                                    << QByteArray("&amp;#x141;&amp;#X142;&amp;#x00e9;");
    QTest::newRow("reference beside markup") << QByteArray("<b>Stanis&#322;aw</b>")
                                             << QByteArray("&lt;b&gt;Stanis&#322;aw&lt;/b&gt;")
                                             << QByteArray("&lt;b&gt;Stanis&amp;#322;aw&lt;/b&gt;");
    QTest::newRow("named entities stay escaped") << QByteArray("&amp;#321; &eacute;") << QByteArray("&amp;amp;#321; &amp;eacute;")
                                                 << QByteArray("&amp;amp;#321; &amp;eacute;");
    const QByteArray incomplete("&amp;#321 &amp;#; &amp;#x; &amp;#12a; &amp;#xg1; &amp;# 1;");
    QTest::newRow("incomplete references stay escaped") << QByteArray("&#321 &#; &#x; &#12a; &#xg1; &# 1;") << incomplete << incomplete;
    QTest::newRow("quotes and a lone &") << QByteArray("\"O'Neil\" & co") << QByteArray("&quot;O&#039;Neil&quot; &amp; co")
                                         << QByteArray("&quot;O&#039;Neil&quot; &amp; co");
    QTest::newRow("windows-1252 letters as they are") << QByteArray("caf\xe9 \x80 \x9c") << QByteArray("caf\xe9 \x80 \x9c")
                                                      << QByteArray("caf\xe9 \x80 \x9c");
}

void TestDataList::shownValues()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, asKey);
    const QString code = QStringLiteral(
        "$v = base64_decode('%1'); $out = array(); global $FakeRows; "
        "function inside($text, $from, $to) { $p = strpos($text, $from); if($p === false) return \"(missing $from)\"; $p += strlen($from); "
        "return substr($text, $p, strpos($text, $to, $p) - $p); } "
        "request('POST', array()); $x = make_list(1); $FakeRows[0][0] = $v; $x->AllowSelection = 0; $x->Render(); "
        "$out[] = inside($x->HTML, '<div class=TableBody>&nbsp;', '&nbsp;</div>'); "
        "$dir = sys_get_temp_dir() . '/dl' . getmypid(); @mkdir($dir); chdir($dir); file_put_contents('tv.html', '<td>[<%%FIELD_0%%>]</td>'); "
        "$x = make_list(1); $FakeRows[0][0] = $v; $x->Template = 'tv.html'; $x->Render(); unlink('tv.html'); chdir('/'); rmdir($dir); "
        "$out[] = inside($x->HTML, '<td>[', ']</td>'); "
        "$FakeRows = array(array($v, $v)); $c = new DataCombo; $c->Query = 'q'; $c->SelectedData = $v; $c->Render(); "
        "$out[] = inside($c->HTML, 'SelectedOption>', '</option>'); $out[] = $c->MatchText; "
        "request('POST', array('SearchString' => $v)); $x = make_list(0); $x->Render(); "
        "$out[] = inside($x->HTML, \"name=SearchString value='\", \"' size=15\"); "
        "request('POST', array('Filter_x' => '0', 'FilterValue' => array(1 => $v))); $x = make_list(); $x->Render(); "
        "$out[] = inside($x->HTML, 'name=FilterValue[1] value=\"', '\"></td>'); "
        "$out[] = inside($c->HTML, \"<option value='\", \"' \"); echo implode('|', $out);").arg(QString::fromLatin1(value.toBase64()));
    const PhpRun r = scenario("plain", code);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QString e = QString::fromLatin1(expected);
    COMPARE_TEXT(QString::fromLatin1(r.out), QStringList({e, e, e, e, e, e, QString::fromLatin1(asKey)}).join(u'|'));
}

void TestDataList::paging_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("expected");   // first|last|page query limit|page menu options

    QTest::newRow("25, next from 21") << 25 << 10 << QStringLiteral("'FirstRecord' => '21', 'Next_x' => '1'") << "21|25|limit 20,10|3";
    QTest::newRow("30, next from 21") << 30 << 10 << QStringLiteral("'FirstRecord' => '21', 'Next_x' => '1'") << "21|30|limit 20,10|3";
    QTest::newRow("25, next from 1") << 25 << 10 << QStringLiteral("'FirstRecord' => '1', 'Next_x' => '1'") << "11|20|limit 10,10|3";
    QTest::newRow("previous on the first page") << 25 << 10 << QStringLiteral("'FirstRecord' => '1', 'Previous_x' => '1'") << "1|10|limit 0,10|3";
    QTest::newRow("beyond the count steps back") << 25 << 10 << QStringLiteral("'FirstRecord' => '51'") << "21|25|limit 20,10|3";
    QTest::newRow("a huge first record steps back at once")
        << 25 << 10 << QStringLiteral("'FirstRecord' => '100000000000'") << "20|25|limit 19,10|3";
    QTest::newRow("the largest first record") << 25 << 10 << QStringLiteral("'FirstRecord' => '9223372036854775807'") << "17|25|limit 16,10|3";
    QTest::newRow("no records, a huge first record") << 0 << 10 << QStringLiteral("'FirstRecord' => '100000000000'") << "1|0||0";
    QTest::newRow("scroll up above the bar") << 25 << 10 << QStringLiteral("'FirstRecord' => '11', 'ScrollUp_y' => '-500'") << "1|10|limit 0,10|3";
    QTest::newRow("scroll up at the end of the bar") << 20 << 10 << QStringLiteral("'FirstRecord' => '1', 'ScrollUp_y' => '150'") << "11|20|limit 10,10|2";
    QTest::newRow("scroll down far below the bar")
        << 25 << 10 << QStringLiteral("'FirstRecord' => '1', 'ScrollDn_y' => '99999999999999999999'") << "21|25|limit 20,10|3";
    QTest::newRow("not a number") << 25 << 10 << QStringLiteral("'FirstRecord' => 'x', 'ScrollUp_y' => 'y'") << "1|10|limit 0,10|3";
    QTest::newRow("all fit on one page") << 8 << 10 << QStringLiteral("'FirstRecord' => '5'") << "1|8|limit 0,8|0";
    QTest::newRow("no records per page") << 3 << 0 << QStringLiteral("'Next_x' => '1'") << "2|2|limit 1,1|3";
    QTest::newRow("negative records per page") << 3 << -5 << QStringLiteral("'ScrollUp_y' => '0'") << "1|1|limit 0,1|3";
}

void TestDataList::paging()
{
    QFETCH(int, records);
    QFETCH(int, perPage);
    QFETCH(QString, request);
    QFETCH(QString, expected);
    const QString code = QStringLiteral(
        "request('POST', array(%1)); $x = make_list(%2); $x->RecordsPerPage = %3; $x->DataHeight = %3 * 15; $x->Render(); global $SqlLog; "
        "preg_match(\"/value='([0-9]*)'>$/\", between($x->HTML, '<input name=FirstRecord', '>'), $m); "
        "preg_match('/Records ([0-9]+) to ([0-9]+) of/', $x->HTML, $r); "
        "echo $m[1], '|', $r[2], '|', substr($SqlLog[2], strpos($SqlLog[2], 'limit')), '|', substr_count($x->HTML, '<option value=');")
                             .arg(request).arg(records).arg(perPage);
    const PhpRun r = scenario("plain", code);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    COMPARE_TEXT(QString::fromLatin1(r.out), expected);
}

QTEST_GUILESS_MAIN(TestDataList)
#include "tst_datalist.moc"
