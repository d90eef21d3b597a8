// Model text with quotes, backslashes and dollar signs must reach the
// generated PHP as literals that parse and that PHP (and, for SQL, MySQL)
// reads back as the model's own text.
#include "fixtures.h"
#include "testhost.h"

#include "generator/generators.h"
#include "model/columndefinition.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString php() { return QStringLiteral(PHP_EXECUTABLE); }

struct PhpResult {
    int exitCode = -1;
    QString out;
};

PhpResult runPhp(const QStringList &args)
{
    QProcess p;
    p.start(php(), args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitCode(), QString::fromLatin1(p.readAllStandardOutput() + p.readAllStandardError())};
}

// The one line of a generated file that starts (after its tabs) with prefix.
QString lineStarting(const QString &text, const QString &prefix)
{
    for (const QString &line : text.split(QStringLiteral("\r\n")))
        if (line.trimmed().startsWith(prefix))
            return line.trimmed();
    return {};
}

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll());
}

// What PHP makes of a generated statement: runs setup code, the line and
// echoes the expression.
QString evaluate(const QString &setup, const QString &line, const QString &expression)
{
    const PhpResult r = runPhp({QStringLiteral("-r"), setup + line + QStringLiteral(" echo ") + expression + u';'});
    return r.exitCode == 0 ? r.out : QStringLiteral("<php failed: %1>").arg(r.out);
}

// The aliases of a select list as MySQL reads them: the single-quoted
// literal after each " as ", with MySQL's backslash escapes undone.
QStringList aliases(const QString &sql)
{
    QStringList out;
    qsizetype pos = 0;
    const QString marker = QStringLiteral(" as '");
    while ((pos = sql.indexOf(marker, pos)) >= 0) {
        pos += marker.size();
        QString value;
        while (pos < sql.size() && sql[pos] != u'\'') {
            if (sql[pos] == u'\\' && pos + 1 < sql.size())
                ++pos;
            value += sql[pos++];
        }
        out << value;
    }
    return out;
}

} // namespace

class TestEscaping : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void literals_data();
    void literals();
};

void TestEscaping::initTestCase()
{
    if (php().isEmpty())
        QSKIP("no PHP interpreter");
}

void TestEscaping::literals_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("double quote") << QStringLiteral("Say \"hi\"");
    QTest::newRow("apostrophe") << QStringLiteral("O'Neil");
    QTest::newRow("backslash and apostrophe") << QStringLiteral("C:\\dir\\it's");
    QTest::newRow("dollar") << QStringLiteral("$price {$x} ${y}");
    QTest::newRow("trailing backslash") << QStringLiteral("end\\");
    QTest::newRow("everything") << QStringLiteral("a\\'b\"c$d\\n\\");
}

void TestEscaping::literals()
{
    QFETCH(QString, text);
    DBPtr db = shopProject();
    db->UserName = text;
    db->Password = text;
    db->Server = text;
    for (const TablePtr &t : db->Tables) {
        t->Caption = text;
        t->DetailViewLabel = text;
        t->RedirectAfterInsert = text;
        for (const FieldPtr &f : t->Fields)
            f->Caption = text;
    }
    MyField &status = *db->Tables.Item(2)->Fields.Item(4);
    status.pDefault = text;
    status.CSValueList = text + QStringLiteral(";;plain");

    const StyleTable styles = fixtureStyles();
    RecordingHost host;
    QTemporaryDir out;
    QVERIFY(out.isValid());
    GenerationRun run(*db, styles, host);
    prepareRun(run, out.path(), QStringLiteral(TESSARON_BIN_DIR));
    GenerateAll(*db, run);
    QVERIFY2(host.errors.isEmpty(), qPrintable(host.errors.join(u'\n')));

    // Every script parses.
    QDirIterator it(out.path(), {QStringLiteral("*.php")}, QDir::Files, QDirIterator::Subdirectories);
    int scripts = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const PhpResult r = runPhp({QStringLiteral("-l"), path});
        QVERIFY2(r.exitCode == 0, qPrintable(path + u'\n' + r.out));
        ++scripts;
    }
    QVERIFY(scripts >= 3);

    // lib.php: the four connection values and the menu entry.
    const QString lib = readText(out.path() + QStringLiteral("/lib.php"));
    for (const QString &var : {QStringLiteral("$dbhost"), QStringLiteral("$dbuser"), QStringLiteral("$dbpass")}) {
        const QString line = lineStarting(lib, var + QStringLiteral(" = "));
        QVERIFY2(!line.isEmpty(), qPrintable(var));
        QCOMPARE(evaluate({}, line, var), text);
    }
    const QString menuLine = lineStarting(lib, QStringLiteral("$menu .= \"<option value='orders_view.php"));
    QVERIFY(!menuLine.isEmpty());
    QCOMPARE(evaluate(QStringLiteral("$t = 7; $menu = '';"), menuLine, QStringLiteral("$menu")),
             QStringLiteral("<option value='orders_view.php?t=7' class=SelectedOption>") + text + QStringLiteral("</option>"));

    // The list page: title, redirect address and both queries.
    const QString view = readText(out.path() + QStringLiteral("/orders_view.php"));
    const QString object = QStringLiteral("$x = new stdClass; $Translation = array('ImageFolder' => 'images/');");
    QCOMPARE(evaluate(object, lineStarting(view, QStringLiteral("$x->TableTitle = ")), QStringLiteral("$x->TableTitle")), text);
    QCOMPARE(evaluate(object, lineStarting(view, QStringLiteral("$x->RedirectAfterInsert = ")),
                      QStringLiteral("$x->RedirectAfterInsert")),
             text);
    int queries = 0;
    for (const QString &line : view.split(QStringLiteral("\r\n"))) {
        if (!line.trimmed().startsWith(QStringLiteral("$x->Query = ")))
            continue;
        ++queries;
        const QString sql = evaluate(object, line.trimmed(), QStringLiteral("$x->Query"));
        const QStringList names = aliases(sql);
        QVERIFY2(!names.isEmpty(), qPrintable(sql));
        for (const QString &name : names)
            QCOMPARE(name, text);
    }
    QCOMPARE(queries, 2);

    // The record script: the default, the value list and the detail-view
    // label.
    const QString dml = readText(out.path() + QStringLiteral("/orders_dml.php"));
    const QString dflt = lineStarting(dml, QStringLiteral("if($status == \"\") $status = "));
    QVERIFY2(!dflt.isEmpty(), "no default line for status");
    // the default stands in for a request value and goes into SQL as they
    // do: escaped for MySQL
    QCOMPARE(evaluate(QStringLiteral("$status = '';"), dflt, QStringLiteral("$status")), EscapeQuoted(text));
    const QString list = lineStarting(dml, QStringLiteral("$combo_status->ListItem = "));
    QVERIFY2(!list.isEmpty(), "no value list line for status");
    QCOMPARE(evaluate(QStringLiteral("$combo_status = new stdClass;"), list,
                      QStringLiteral("implode(';;', $combo_status->ListItem)")),
             status.CSValueList);
    const QString label = lineStarting(dml, QStringLiteral("$templateCode=str_replace('<%%DETAIL_VIEW_TITLE%%>'"));
    QVERIFY2(!label.isEmpty(), "no detail-view label line");
    QCOMPARE(evaluate(QStringLiteral("$templateCode = '<%%DETAIL_VIEW_TITLE%%>';"), label, QStringLiteral("$templateCode")),
             text);
}

QTEST_GUILESS_MAIN(TestEscaping)
#include "tst_escaping.moc"
