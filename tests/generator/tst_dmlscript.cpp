// The record scripts «t»_dml.php: their frame and lines, and what the
// generated insert(), update(), delete() and form() do when PHP runs them
// against stand-ins for lib.php, the MySQL functions and datalist.php.
#include "fixtures.h"
#include "testhost.h"

#include "generator/dmlscript.h"
#include "datalist/datalist.h"
#include "generator/generators.h"
#include "platform/cp1252.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

QString script(MyDB &db, int tableIndex = 1)
{
    RecordingHost host;
    StyleTable styles;
    GenerationRun run(db, styles, host);
    prepareRun(run, QDir::tempPath());
    return BuildDMLScript(run, *db.Tables.Item(tableIndex));
}

QStringList linesOf(const QString &text) { return text.split(QStringLiteral("\r\n")); }

// The text of one function, from its line up to the closing brace at the
// left margin.
QString functionText(const QString &text, const QString &name)
{
    const qsizetype start = text.indexOf(QStringLiteral("function ") + name + u'(');
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(QStringLiteral("\r\n}\r\n"), start);
    return text.mid(start, end < 0 ? -1 : end - start + 5);
}

// A one-table project; the key is an INT auto-increment field "id".
DBPtr oneTable(const QString &name = QStringLiteral("t"))
{
    auto db = std::make_shared<MyDB>();
    db->DBName = QStringLiteral("db");
    db->DateFormat = Variant(1);
    db->DateSeparator = Variant(1);
    MyTable &t = *db->Tables.Add(QStringLiteral("T"), name);
    t.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                  .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    return db;
}

MyTable &table(const DBPtr &db, int i = 1) { return *db->Tables.Item(i); }

// Every kind of field the record script treats differently, in two tables.
DBPtr everyKind()
{
    auto db = std::make_shared<MyDB>();
    db->DBName = QStringLiteral("db");
    db->DateFormat = Variant(2);
    db->DateSeparator = Variant(1);
    MyTable &t = *db->Tables.Add(QStringLiteral("Things"), QStringLiteral("things"));
    t.Fields.Add({.Name = QStringLiteral("code"), .Caption = QStringLiteral("Code \"$x\""), .pPrimaryKey = true,
                  .pDataType = Dt::VarChar, .pLength = 10, .pNotNull = true});
    t.Fields.Add({.Name = QStringLiteral("born"), .Caption = QStringLiteral("Born"), .pDataType = Dt::Date,
                  .pNotNull = true});
    MyField &kind = *t.Fields.Add({.Name = QStringLiteral("kind"), .Caption = QStringLiteral("Kind"),
                                   .pDataType = Dt::VarChar, .pLength = 20, .pNotNull = true});
    kind.CSValueList = QStringLiteral("a\"b;;c$d;;e\\f");
    MyField &parent = *t.Fields.Add({.Name = QStringLiteral("parent"), .Caption = QStringLiteral("Parent"),
                                     .ParentTable = QStringLiteral("things"), .ParentIDField = QStringLiteral("code"),
                                     .ParentCaptionField = QStringLiteral("code"), .pDataType = Dt::VarChar,
                                     .pLength = 10});
    parent.pDetailImage = true;   // image beside its selector: still posted
    MyField &pic = *t.Fields.Add({.Name = QStringLiteral("pic"), .Caption = QStringLiteral("Picture"),
                                  .pDataType = Dt::VarChar, .pLength = 100});
    pic.pAllowImageUpload = true;
    pic.pDetailImage = true;
    pic.pDeleteFiles = true;
    pic.pNoFileRename = true;
    pic.pUploadFileTypes = QStringLiteral("jpg|it's");
    MyField &doc = *t.Fields.Add({.Name = QStringLiteral("doc"), .Caption = QStringLiteral("Document"),
                                  .pDataType = Dt::VarChar, .pLength = 100});
    doc.pAllowImageUpload = true;
    doc.pReadOnly = true;
    doc.pDetailLink = true;
    doc.pUploadFileTypes = QStringLiteral("pdf");
    MyField &shown = *t.Fields.Add({.Name = QStringLiteral("shown"), .Caption = QStringLiteral("Shown"),
                                    .pDataType = Dt::VarChar, .pLength = 100, .pNotNull = true});
    shown.pDetailLink = true;
    MyField &secret = *t.Fields.Add({.Name = QStringLiteral("secret"), .Caption = QStringLiteral("Secret"),
                                     .pDataType = Dt::VarChar, .pLength = 10, .pNotNull = true});
    secret.pHideInDetailView = true;
    MyField &fixed = *t.Fields.Add({.Name = QStringLiteral("fixed"), .Caption = QStringLiteral("Fixed"),
                                    .pDataType = Dt::VarChar, .pLength = 10, .pNotNull = true});
    fixed.pReadOnly = true;
    t.Fields.Add({.Name = QStringLiteral("note"), .Caption = QStringLiteral("It's \\ note"), .pDataType = Dt::VarChar,
                  .pLength = 30, .pDefault = QStringLiteral("O'Neil \"$HOME\" C:\\"), .pNotNull = true});
    t.DetailViewLabel = QStringLiteral("Thing's details");
    t.AllowUpdate = true;

    MyTable &e = *db->Tables.Add(QStringLiteral("Counters"), QStringLiteral("counters"));
    e.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                  .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    return db;
}

// ----- the PHP harness -----

// The stand-ins and the reporting (beside this file), and datalist.php's own
// escaping function, which the form's values go through.
QByteArray harness()
{
    QFile f(QStringLiteral(TESSARON_SOURCE_DIR "/tests/generator/dmlscript_harness.php"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString datalist = BuildDataListScript({});
    const qsizetype from = datalist.indexOf(QStringLiteral("function HTMLEscape("));
    const qsizetype to = datalist.indexOf(QStringLiteral("\r\n}\r\n"), from);
    if (from < 0 || to < 0)
        return {};
    return f.readAll() + '\n' + datalist.mid(from, to + 5 - from).toLatin1();
}

struct PhpRun {
    QString output;            // what the page printed before the report
    QStringList statements;    // every sql() statement in order
    QStringList filesAtSql;    // the upload folder's files at each statement
    QStringList uploads;       // "name max types keep|rename" per PrepareUploadedFile
    QStringList checks;        // "kind limits caption" per value check
    QStringList filesAtCheck;  // the upload folder's files at each check
    qsizetype keptAfter = -1;  // statements run when the request's files were kept
    qsizetype lockedAt = -1;   // statements run when the upload folder was first locked
    QJsonValue result;
    QString files;             // files left in the folder at the end
    QString error;
};

struct PhpCall {
    QString call;
    QJsonObject post;
    QJsonObject rows;          // statement -> row
    QJsonObject uploads;       // field -> stored name
    QStringList files;         // files present before the call
    QString match;             // DataCombo::MatchText after Render()
    QByteArray templateDV;     // the detail-view template
    QString table = QStringLiteral("t");
    bool magic = false;
    int matched = 1;           // rows the update statement matched
    int affected = 1;          // rows the delete statement deleted
};

PhpRun runPhp(const QString &dmlText, const PhpCall &c)
{
    PhpRun r;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        r.error = QStringLiteral("no temporary folder");
        return r;
    }
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    };
    write(QStringLiteral("t.php"), cp1252::encode(dmlText));
    write(QStringLiteral("h.php"), harness());
    for (const QString &f : c.files)
        write(f, "old");
    if (!c.templateDV.isEmpty())
        write(c.table + QStringLiteral("_templateDV.html"), c.templateDV);
    QJsonObject in{{QStringLiteral("dir"), dir.path()},      {QStringLiteral("post"), c.post},
                   {QStringLiteral("rows"), c.rows},         {QStringLiteral("uploads"), c.uploads},
                   {QStringLiteral("call"), c.call},         {QStringLiteral("match"), c.match},
                   {QStringLiteral("magic"), c.magic},    {QStringLiteral("matched"), c.matched},
                   {QStringLiteral("affected"), c.affected}};
    write(QStringLiteral("in.json"), QJsonDocument(in).toJson());

    QProcess php;
    php.start(QStringLiteral(PHP_EXECUTABLE), {dir.filePath(QStringLiteral("h.php")), dir.filePath(QStringLiteral("in.json"))});
    php.waitForFinished(30000);
    const QByteArray out = php.readAllStandardOutput();
    if (php.exitCode() != 0) {
        r.error = QString::fromLatin1(php.readAllStandardError() + out);
        return r;
    }
    const qsizetype mark = out.lastIndexOf("\n#RESULT#");
    if (mark < 0) {
        r.error = QString::fromLatin1(out + php.readAllStandardError());
        return r;
    }
    r.output = QString::fromLatin1(out.left(mark));
    const QJsonObject rep = QJsonDocument::fromJson(out.mid(mark + 9)).object();
    for (const QJsonValue &e : rep.value(QStringLiteral("trace")).toArray()) {
        const QJsonObject o = e.toObject();
        if (o.contains(QStringLiteral("sql"))) {
            r.statements << o.value(QStringLiteral("sql")).toString();
            r.filesAtSql << o.value(QStringLiteral("files")).toString();
        } else if (o.contains(QStringLiteral("check"))) {
            r.checks << o.value(QStringLiteral("check")).toString();
            r.filesAtCheck << o.value(QStringLiteral("files")).toString();
        } else if (o.contains(QStringLiteral("keep"))) {
            r.keptAfter = r.statements.size();
        } else if (o.contains(QStringLiteral("lock"))) {
            if (r.lockedAt < 0)
                r.lockedAt = r.statements.size();
        } else {
            r.uploads << o.value(QStringLiteral("upload")).toString();
        }
    }
    r.result = rep.value(QStringLiteral("result"));
    r.files = rep.value(QStringLiteral("files")).toString();
    return r;
}

QJsonObject post(std::initializer_list<std::pair<const char *, const char *>> values)
{
    QJsonObject o;
    for (const auto &[k, v] : values)
        o.insert(QString::fromUtf8(k), QString::fromUtf8(v));
    return o;
}

bool phpAvailable() { return QFileInfo(QStringLiteral(PHP_EXECUTABLE)).isExecutable(); }

} // namespace

class TestDmlScript : public QObject {
    Q_OBJECT

private slots:
    void frameAndLog();
    void missingKeyRaises();
    void syntax_data();
    void syntax();

    void insertStatement_data();
    void insertStatement();
    void keyAndRequiredChecks_data();
    void keyAndRequiredChecks();
    void requestValues();
    void valueChecks_data();
    void valueChecks();
    void modelTextIsEscaped();

    void deleteChildBlocks();
    void updateStatement_data();
    void updateStatement();
    void uploadLines();

    void formSelectors();
    void formPlaceholders();

    void runInsert();
    void runInsertRequiredOnlyWhenPosted();
    void runArrayValuesCountAsEmpty();
    void runInsertEmptyTable();
    void runSelectedIdEscaped_data();
    void runSelectedIdEscaped();
    void runNumericKeyRefusesText_data();
    void runNumericKeyRefusesText();
    void runDeleteRemovesFilesAfterRecord();
    void runDeleteRefusedKeepsFiles();
    void runUpdateUploads_data();
    void runUpdateUploads();
    void runRefusedValueStopsEverything_data();
    void runRefusedValueStopsEverything();
    void runRequiredUploadKeepsItsFile();
    void runUpdateOfDeletedRecord();
    void runForm();
};

void TestDmlScript::frameAndLog()
{
    DBPtr db = shopProject();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RecordingHost host;
    StyleTable styles;
    GenerationRun run(*db, styles, host);
    prepareRun(run, dir.path());
    GenerateDMLScripts(run);

    QCOMPARE(host.log, QStringLiteral("\r\nGenerating customers_dml.php ... Done.\r\nGenerating orders_dml.php ... Done."));
    QFile f(dir.filePath(QStringLiteral("orders_dml.php")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QByteArray head = "<?php\r\n\r\n// Data functions for table orders\r\n\r\n"
                            "// This script and data application were generated by Tessaron 3.0 on 12/10/2026 at 10:11:50\r\n"
                            "// Download Tessaron for free from ";
    QVERIFY(bytes.startsWith(head));
    QVERIFY(bytes.contains("\r\n\r\nfunction insert()\r\n{\r\n"));
    QVERIFY(bytes.endsWith("\r\n\treturn $templateCode;\r\n}\r\n?>"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    // insert, delete, update, form in this order
    const qsizetype i = bytes.indexOf("function insert()"), d = bytes.indexOf("function delete("),
                    u = bytes.indexOf("function update("), fo = bytes.indexOf("function form(");
    QVERIFY(i > 0 && i < d && d < u && u < fo);
    QVERIFY(bytes.contains("}\r\n\r\nfunction delete($selected_id)\r\n"));
    QVERIFY(bytes.contains("}\r\n\r\nfunction update($selected_id)\r\n"));
    QVERIFY(bytes.contains("}\r\n\r\nfunction form($selected_id = \"\", $AllowUpdate = 1, $AllowInsert = 1, $AllowDelete = 1)\r\n"));
    QVERIFY(host.processEventsCalls > 0);
}

void TestDmlScript::missingKeyRaises()
{
    DBPtr db = oneTable();
    table(db).Fields.Item(1)->pPrimaryKey = false;
    try {
        script(*db);
        QFAIL("no error raised");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), 91);
    }
}

void TestDmlScript::syntax_data()
{
    QTest::addColumn<int>("project");
    QTest::addColumn<int>("tableIndex");
    QTest::newRow("shop customers") << 0 << 1;
    QTest::newRow("shop orders") << 0 << 2;
    QTest::newRow("minimal") << 1 << 1;
    QTest::newRow("every kind") << 2 << 1;
    QTest::newRow("nothing stored") << 2 << 2;
}

void TestDmlScript::syntax()
{
    if (!phpAvailable())
        QSKIP("php not found");
    QFETCH(int, project);
    QFETCH(int, tableIndex);
    DBPtr db = project == 0 ? shopProject() : project == 1 ? minimalProject() : everyKind();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t_dml.php"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(cp1252::encode(script(*db, tableIndex)));
    f.close();
    QProcess php;
    php.start(QStringLiteral(PHP_EXECUTABLE), {QStringLiteral("-l"), path});
    QVERIFY(php.waitForFinished(30000));
    QVERIFY2(php.exitCode() == 0, php.readAllStandardOutput().constData());
}

void TestDmlScript::insertStatement_data()
{
    QTest::addColumn<DBPtr>("db");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("result");

    {
        DBPtr db = oneTable();
        table(db).Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                              .pLength = 10});
        table(db).Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"), .pDataType = Dt::Int,
                              .pLength = 10});
        QTest::newRow("two plain fields") << db
            << R"~(	sql("insert into t (a, b) values (" . (($a != "") ? "'$a'" : "NULL") . ", " . (($b != "") ? "'$b'" : "NULL") . ")");)~"
            << "\treturn mysql_insert_id();";
    }
    {
        DBPtr db = oneTable();
        table(db).Fields.Item(1)->pAutoIncrement = false;
        QTest::newRow("key not auto-increment is stored")
            << db << R"~(	sql("insert into t (id) values (" . (($id != "") ? "'$id'" : "NULL") . ")");)~" << "\treturn stripslashes($id);";
    }
    QTest::newRow("only an auto-increment key")
        << oneTable() << "\tsql(\"insert into t () values ()\");" << "\treturn mysql_insert_id();";
    {
        DBPtr db = oneTable();
        MyTable &t = table(db);
        t.Fields.Add({.Name = QStringLiteral("ro"), .Caption = QStringLiteral("RO"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pReadOnly = true});
        t.Fields.Add({.Name = QStringLiteral("hid"), .Caption = QStringLiteral("H"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pHideInDetailView = true});
        t.Fields.Add({.Name = QStringLiteral("img"), .Caption = QStringLiteral("I"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pDetailImage = true});
        t.Fields.Add({.Name = QStringLiteral("lnk"), .Caption = QStringLiteral("L"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pDetailLink = true});
        MyField &up = *t.Fields.Add({.Name = QStringLiteral("up"), .Caption = QStringLiteral("U"),
                                     .pDataType = Dt::VarChar, .pLength = 10});
        up.pAllowImageUpload = true;
        up.pDetailImage = true;
        QTest::newRow("only posted fields")
            << db << R"~(	sql("insert into t (up) values (" . (($up != "") ? "'$up'" : "NULL") . ")");)~"
            << "\tKeepUploadedFiles();";
    }
}

void TestDmlScript::insertStatement()
{
    QFETCH(DBPtr, db);
    QFETCH(QString, statement);
    QFETCH(QString, result);
    const QStringList lines = linesOf(functionText(script(*db), QStringLiteral("insert")));
    const qsizetype at = lines.indexOf(statement);
    QVERIFY2(at > 0, qPrintable(lines.join(u'\n')));
    QCOMPARE(lines.value(at - 1), QStringLiteral("\t"));
    QCOMPARE(lines.value(at + 1), result);
}

void TestDmlScript::keyAndRequiredChecks_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("required");
    // update() keeps an upload's file when none is sent: no check for it.
    QTest::addColumn<bool>("requiredOnUpdate");

    QTest::newRow("plain") << "" << true << true;
    QTest::newRow("read-only") << "ro" << false << false;
    QTest::newRow("hidden in detail view") << "hidden" << false << false;
    QTest::newRow("auto-increment") << "ai" << false << false;
    QTest::newRow("image only") << "image" << false << false;
    QTest::newRow("link only") << "link" << false << false;
    QTest::newRow("image beside a lookup") << "image lookup" << true << true;
    QTest::newRow("upload shown as image") << "image upload" << true << false;
}

void TestDmlScript::keyAndRequiredChecks()
{
    QFETCH(QString, setup);
    QFETCH(bool, required);
    QFETCH(bool, requiredOnUpdate);
    DBPtr db = oneTable();
    MyTable &t = table(db);
    t.Fields.Item(1)->pAutoIncrement = false;
    MyField &f = *t.Fields.Add({.Name = QStringLiteral("n"), .Caption = QStringLiteral("Name"),
                                .pDataType = Dt::VarChar, .pLength = 10, .pNotNull = true});
    f.pReadOnly = setup.contains(QStringLiteral("ro"));
    f.pHideInDetailView = setup.contains(QStringLiteral("hidden"));
    f.pAutoIncrement = setup.contains(QStringLiteral("ai"));
    f.pDetailImage = setup.contains(QStringLiteral("image"));
    f.pDetailLink = setup.contains(QStringLiteral("link"));
    f.pAllowImageUpload = setup.contains(QStringLiteral("upload"));
    if (setup.contains(QStringLiteral("lookup"))) {
        f.ParentTable = QStringLiteral("t");
        f.ParentIDField = QStringLiteral("id");
        f.ParentCaptionField = QStringLiteral("id");
    }
    const QString text = functionText(script(*db), QStringLiteral("insert"));
    QVERIFY(text.contains(
        QStringLiteral("\r\n\tif($id == \"\") {echo StyleSheet() . \"\\n\\n<div class=Error>\" . $Translation[\"error:\"] . \" 'ID': \" . "
                       "$Translation['pkfield empty'] . \"</div>\"; exit;}\r\n\r\n")));
    const QString block = QStringLiteral(
        "\tif($n== \"\"){\r\n"
        "\t\techo StyleSheet() . \"\\n\\n<div class=Error>\" . $Translation[\"error:\"] . \" 'Name': \" . $Translation['field not null'] . \"</div>\";\r\n"
        "\t\texit;\r\n"
        "\t}\r\n");
    QCOMPARE(text.contains(block), required);
    // The key itself is never checked as a required value.
    QVERIFY(!text.contains(QStringLiteral("if($id== \"\"){")));

    // update() refuses the same, before its uploads.
    const QString upd = functionText(script(*db), QStringLiteral("update"));
    const qsizetype key = upd.indexOf(QStringLiteral(
        "\r\n\tif($id == \"\") {echo StyleSheet() . \"\\n\\n<div class=Error>\" . $Translation[\"error:\"] . \" 'ID': \" . "
        "$Translation['pkfield empty'] . \"</div>\"; exit;}\r\n\r\n"));
    QVERIFY2(key > 0, qPrintable(upd));
    QCOMPARE(upd.contains(block), requiredOnUpdate);
    if (requiredOnUpdate)
        QVERIFY(upd.indexOf(block) > key);
    if (f.pAllowImageUpload)
        QVERIFY(upd.indexOf(QStringLiteral("PrepareUploadedFile")) > key);
}

void TestDmlScript::requestValues()
{
    DBPtr db = oneTable();
    MyTable &t = table(db);
    t.Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("D"), .pDataType = Dt::Date});
    t.Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                  .pLength = 10});
    MyField &u = *t.Fields.Add({.Name = QStringLiteral("u"), .Caption = QStringLiteral("U"), .pDataType = Dt::VarChar,
                                .pLength = 10});
    u.pAllowImageUpload = true;
    const QString block = QStringLiteral(
        "\t// a value posted as an array (name[]=x) counts as empty\r\n"
        "\tforeach((array)$HTTP_POST_VARS as $name=>$value){ if(is_array($value)) $HTTP_POST_VARS[$name]=\"\"; }\r\n"
        "\tif(get_magic_quotes_gpc())\r\n"
        "\t{\r\n"
        "\t\t$d = $HTTP_POST_VARS[\"dYear\"] . '-' . $HTTP_POST_VARS[\"dMonth\"] . '-' . $HTTP_POST_VARS[\"dDay\"];\r\n"
        "\t\t$a = $HTTP_POST_VARS[\"a\"];\r\n"
        "\t}\r\n"
        "\telse\r\n"
        "\t{\r\n"
        "\t\t$d = addslashes($HTTP_POST_VARS[\"dYear\"] . '-' . $HTTP_POST_VARS[\"dMonth\"] . '-' . $HTTP_POST_VARS[\"dDay\"]);\r\n"
        "\t\t$a = ColumnText(\"t\", \"a\", addslashes($HTTP_POST_VARS[\"a\"]));\r\n"
        "\t}\r\n"
        "\tif($d == \"--\") $d = \"\";\r\n"
        "\t// a value that its column cannot hold is refused before anything is stored\r\n"
        "\tCheckDateValue(\"d\", $d, \"D\");\r\n"
        "\tCheckTextValue(\"a\", $a, \"A\", 10);\r\n");
    const QString text = script(*db);
    const QString ins = functionText(text, QStringLiteral("insert"));
    const QString upd = functionText(text, QStringLiteral("update"));
    QVERIFY(ins.contains(QStringLiteral("$Translation;\r\n\t\r\n") + block
                         + QStringLiteral("\t$u = addslashes(PrepareUploadedFile('u', 20480,'jpg|jpeg|gif|png', false));\r\n"
                                          "\tCheckTextValue(\"u\", $u, \"U\", 10);\r\n")));
    QVERIFY(upd.contains(QStringLiteral("$Translation;\r\n\tif(!get_magic_quotes_gpc()) $selected_id = addslashes($selected_id);\r\n"
                                        "\tif(!is_numeric($selected_id)) return;\r\n\t\r\n")
                         + block + QStringLiteral("\r\n\tif($HTTP_POST_VARS['u_remove'] == 1){\r\n")));
}

void TestDmlScript::modelTextIsEscaped()
{
    DBPtr db = everyKind();
    const QString text = script(*db);
    // caption inside a double-quoted string
    QVERIFY(text.contains(QStringLiteral("\" 'Code \\\"\\$x\\\"': \" . $Translation['pkfield empty']")));
    QVERIFY(text.contains(QStringLiteral("\" 'It's \\\\ note': \" . $Translation['field not null']")));
    // the default, escaped for SQL as a posted value is, then for PHP
    QVERIFY(text.contains(QStringLiteral("\tif($note == \"\") $note = \"O\\\\'Neil \\\\\\\"\\$HOME\\\\\\\" C:\\\\\\\\\";\r\n")));
    // the detail-view label inside a single-quoted string
    QVERIFY(text.contains(QStringLiteral("'<%%DETAIL_VIEW_TITLE%%>', 'Thing\\'s details', $templateCode);")));
    // the value list: double quote, dollar and backslash
    QVERIFY(text.contains(QStringLiteral("\t$combo_kind->ListItem = explode(\";;\", \"a\\\"b;;c\\$d;;e\\\\f\");\r\n")));
    QVERIFY(text.contains(QStringLiteral("\t$combo_kind->ListData = explode(\";;\", \"a\\\"b;;c\\$d;;e\\\\f\");\r\n")));
    // the file types inside a single-quoted string
    QVERIFY(text.contains(QStringLiteral("PrepareUploadedFile('pic', 20480,'jpg|it\\'s', true)")));
}

void TestDmlScript::deleteChildBlocks()
{
    DBPtr db = shopProject();
    // a second lookup into customers, and one of customers into itself
    MyField &f2 = *table(db, 2).Fields.Add({.Name = QStringLiteral("billed_to"), .Caption = QStringLiteral("Billed"),
                                            .ParentTable = QStringLiteral("customers"),
                                            .ParentIDField = QStringLiteral("name"),
                                            .ParentCaptionField = QStringLiteral("name"), .pDataType = Dt::VarChar,
                                            .pLength = 40});
    (void)f2;
    MyField &self = *table(db, 1).Fields.Add({.Name = QStringLiteral("referrer"), .Caption = QStringLiteral("Referrer"),
                                              .ParentTable = QStringLiteral("customers"),
                                              .ParentIDField = QStringLiteral("id"),
                                              .ParentCaptionField = QStringLiteral("name"), .pDataType = Dt::Int,
                                              .pLength = 11});
    (void)self;
    const QString del = functionText(script(*db, 1), QStringLiteral("delete"));
    auto block = [](const QString &ct, const QString &cf, const QString &cid) {
        return QStringLiteral("\t// child table: %1\r\n"
                              "\t$res = sql(\"select %3 from customers where id='$selected_id'\");\r\n"
                              "\t$%3 = mysql_fetch_row($res);\r\n"
                              "\t$rires = sql(\"select count(1) from %1 where %2='\" . ColumnText(\"%1\", \"%2\", addslashes($%3[0])) . \"'\");\r\n"
                              "\t$rirow = mysql_fetch_row($rires);\r\n"
                              "\tif($rirow[0])\r\n"
                              "\t{\r\n"
                              "\t\t$RetMsg = $Translation[\"couldn't delete\"];\r\n"
                              "\t\t$RetMsg = str_replace(\"<RelatedRecords>\", $rirow[0], $RetMsg);\r\n"
                              "\t\t$RetMsg = str_replace(\"<TableName>\", \"%1\", $RetMsg);\r\n"
                              "\t\treturn $RetMsg;\r\n"
                              "\t}\r\n"
                              "\t\r\n")
            .arg(ct, cf, cid);
    };
    const QString expected = QStringLiteral("function delete($selected_id)\r\n{\r\n"
                                            "\t// insure referential integrity ...\r\n"
                                            "\tglobal $Translation;\r\n"
                                            "\tif(!get_magic_quotes_gpc()) $selected_id = addslashes($selected_id);\r\n"
                                            "\tif(!is_numeric($selected_id)) return;\r\n"
                                            "\t$unlinkFiles = array();\r\n\r\n")
        + block(QStringLiteral("customers"), QStringLiteral("referrer"), QStringLiteral("id"))
        + block(QStringLiteral("orders"), QStringLiteral("customer_id"), QStringLiteral("id"))
        + block(QStringLiteral("orders"), QStringLiteral("billed_to"), QStringLiteral("name"));
    QVERIFY2(del.startsWith(expected), qPrintable(del));

    // No table refers to orders: no child block, and no file lines.
    const QString none = functionText(script(*db, 2), QStringLiteral("delete"));
    QCOMPARE(none, QStringLiteral("function delete($selected_id)\r\n{\r\n"
                                  "\t// insure referential integrity ...\r\n"
                                  "\tglobal $Translation;\r\n"
                                  "\tif(!get_magic_quotes_gpc()) $selected_id = addslashes($selected_id);\r\n"
                                  "\tif(!is_numeric($selected_id)) return;\r\n"
                                  "\r\n\r\n"
                                  "\tsql(\"delete from orders where id='$selected_id'\");\r\n"
                                  "}\r\n"));
}

void TestDmlScript::updateStatement_data()
{
    QTest::addColumn<DBPtr>("db");
    QTest::addColumn<QString>("tail");   // from the statement to the end of update()

    {
        DBPtr db = oneTable();
        table(db).Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                              .pLength = 10});
        table(db).Fields.Add({.Name = QStringLiteral("u"), .Caption = QStringLiteral("U"), .pDataType = Dt::VarChar,
                              .pLength = 10, .pAllowImageUpload = true});
        QTest::newRow("plain and upload") << db
            << R"~(	sql("update t set " . "a=" . (($a != "") ? "'$a'" : "NULL") . ", " . ($u!="" ? "u='$u'" : ($HTTP_POST_VARS['u_remove'] != 1 ? "u=u" : "u=NULL")) . " where id='$selected_id'");
	RefuseDeletedRecord();
	KeepUploadedFiles();
}
)~";
    }
    {
        DBPtr db = oneTable();
        MyTable &t = table(db);
        t.Fields.Add({.Name = QStringLiteral("ro"), .Caption = QStringLiteral("RO"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pReadOnly = true});
        t.Fields.Add({.Name = QStringLiteral("hid"), .Caption = QStringLiteral("H"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pHideInDetailView = true});
        t.Fields.Add({.Name = QStringLiteral("img"), .Caption = QStringLiteral("I"), .pDataType = Dt::VarChar,
                      .pLength = 10, .pDetailImage = true});
        MyField &up = *t.Fields.Add({.Name = QStringLiteral("up"), .Caption = QStringLiteral("U"),
                                     .pDataType = Dt::VarChar, .pLength = 10});
        up.pAllowImageUpload = true;
        up.pReadOnly = true;
        QTest::newRow("read-only upload keeps its term, image only has none") << db
            << R"~(	sql("update t set " . ($up!="" ? "up='$up'" : ($HTTP_POST_VARS['up_remove'] != 1 ? "up=up" : "up=NULL")) . " where id='$selected_id'");
	RefuseDeletedRecord();
	KeepUploadedFiles();
}
)~";
    }
    {
        DBPtr db = oneTable();
        table(db).Fields.Item(1)->pAutoIncrement = false;
        QTest::newRow("key shown in the detail view") << db
            << R"~(	sql("update t set " . "id=" . (($id != "") ? "'$id'" : "NULL") . " where id='$selected_id'");
	RefuseDeletedRecord();
}
)~";
    }
    {
        DBPtr db = oneTable();
        table(db).Fields.Add({.Name = QStringLiteral("ro"), .Caption = QStringLiteral("RO"), .pDataType = Dt::VarChar,
                              .pLength = 10, .pReadOnly = true});
        QTest::newRow("nothing to set") << db << "\t\t$ro = ColumnText(\"t\", \"ro\", addslashes($HTTP_POST_VARS[\"ro\"]));\r\n\t}\r\n\r\n}\r\n";
    }
}

void TestDmlScript::updateStatement()
{
    QFETCH(DBPtr, db);
    QFETCH(QString, tail);
    tail.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    tail.replace(QStringLiteral("\r\r\n"), QStringLiteral("\r\n"));
    const QString upd = functionText(script(*db), QStringLiteral("update"));
    QVERIFY2(upd.endsWith(tail), qPrintable(upd));
    QCOMPARE(upd.count(QStringLiteral("sql(\"update ")), tail.contains(QStringLiteral("sql(\"update ")) ? 1 : 0);
}

void TestDmlScript::uploadLines()
{
    DBPtr db = shopProject();
    MyTable &c = table(db, 1);
    MyField &plain = *c.Fields.Add({.Name = QStringLiteral("doc"), .Caption = QStringLiteral("Doc"),
                                    .pDataType = Dt::VarChar, .pLength = 50});
    plain.pAllowImageUpload = true;
    plain.pUploadFileTypes = QStringLiteral("pdf");
    const QString text = script(*db, 1);
    const QString del = functionText(text, QStringLiteral("delete"));
    QVERIFY(del.endsWith(QStringLiteral("\r\n"
                                        "\t// the record's files are read and removed while no other request changes them\r\n"
                                        "\tLockUploadFolder();\r\n"
                                        "\r\n"
                                        "\t// delete file stored in the 'photo' field\r\n"
                                        "\t$res = sql(\"select photo from customers where id='$selected_id'\");\r\n"
                                        "\tif($row=@mysql_fetch_row($res)){\r\n"
                                        "\t\tif($row[0]!=''){\r\n"
                                        "\t\t\t$unlinkFiles[] = $Translation['ImageFolder'].$row[0];\r\n"
                                        "\t\t}\r\n"
                                        "\t}\r\n"
                                        "\r\n"
                                        "\tsql(\"delete from customers where id='$selected_id'\");\r\n"
                                        "\tif(mysql_affected_rows() < 1) $unlinkFiles = array();\r\n"
                                        "\tforeach($unlinkFiles as $file){\r\n"
                                        "\t\t@unlink($file);\r\n"
                                        "\t}\r\n"
                                        "}\r\n")));
    const QString upd = functionText(text, QStringLiteral("update"));
    QVERIFY(upd.contains(QStringLiteral(
        "\r\n\r\n"
        "\tif($HTTP_POST_VARS['photo_remove'] == 1){\r\n"
        "\t\t$photo = '';\r\n"
        "\t\t// delete file from server\r\n"
        "\t\tLockUploadFolder();\r\n"
        "\t\t$res = sql(\"select photo from customers where id='$selected_id'\");\r\n"
        "\t\tif($row=@mysql_fetch_row($res)){\r\n"
        "\t\t\tif($row[0]!=''){\r\n"
        "\t\t\t\t$unlinkFiles[] = $Translation['ImageFolder'].$row[0];\r\n"
        "\t\t\t}\r\n"
        "\t\t}\r\n"
        "\t}else{\r\n"
        "\t\t$photo = addslashes(PrepareUploadedFile('photo', 102400, 'jpg|jpeg|gif|png', false));\r\n"
        "\t\t// delete file from server\r\n"
        "\t\tif($photo != ''){\r\n"
        "\t\t\tLockUploadFolder();\r\n"
        "\t\t\t$res = sql(\"select photo from customers where id='$selected_id'\");\r\n"
        "\t\t\tif($row=@mysql_fetch_row($res)){\r\n"
        "\t\t\t\tif($row[0]!='' && addslashes($row[0])!=$photo){\r\n"
        "\t\t\t\t\t$unlinkFiles[] = $Translation['ImageFolder'].$row[0];\r\n"
        "\t\t\t\t}\r\n"
        "\t\t\t}\r\n"
        "\t\t}\r\n"
        "\t}\r\n"
        "\tCheckTextValue(\"photo\", $photo, \"Photo\", 100);\r\n"
        "\tif($HTTP_POST_VARS['doc_remove'] == 1){\r\n"
        "\t\t$doc = '';\r\n"
        "\t}else{\r\n"
        "\t\t$doc = addslashes(PrepareUploadedFile('doc', 20480, 'pdf', false));\r\n"
        "\t}\r\n"
        "\tCheckTextValue(\"doc\", $doc, \"Doc\", 50);\r\n"
        "\tsql(\"update customers set ")));
    QVERIFY(upd.endsWith(QStringLiteral(" where id='$selected_id'\");\r\n"
                                        "\tRefuseDeletedRecord();\r\n"
                                        "\tforeach($unlinkFiles as $file){\r\n"
                                        "\t\t@unlink($file);\r\n"
                                        "\t}\r\n"
                                        "\tKeepUploadedFiles();\r\n"
                                        "}\r\n")));
    // A kept name is checked against the record's own file only.
    db->Tables.Item(1)->Fields.Item(3)->pNoFileRename = true;
    QVERIFY(functionText(script(*db, 1), QStringLiteral("update")).contains(QStringLiteral(
        "\t}else{\r\n"
        "\t\t// a kept name may replace the record's own file only\r\n"
        "\t\tLockUploadFolder('photo');\r\n"
        "\t\t$res = sql(\"select photo from customers where id='$selected_id'\");\r\n"
        "\t\t$row = @mysql_fetch_row($res);\r\n"
        "\t\t$photo = addslashes(PrepareUploadedFile('photo', 102400, 'jpg|jpeg|gif|png', true, ($row ? $row[0] : \"\")));\r\n"
        "\t\t// delete file from server\r\n")));
    // Without file removal there is nothing to unlink.
    const QString orders = script(*db, 2);
    QVERIFY(!orders.contains(QStringLiteral("unlink")));
    QVERIFY(!orders.contains(QStringLiteral("$unlinkFiles")));
}

void TestDmlScript::formSelectors()
{
    DBPtr db = shopProject();
    const QString form = functionText(script(*db, 2), QStringLiteral("form"));
    QVERIFY(form.startsWith(QStringLiteral(
        "function form($selected_id = \"\", $AllowUpdate = 1, $AllowInsert = 1, $AllowDelete = 1)\r\n{\r\n"
        "\t// function to return an editable form for a table records\r\n"
        "\t// and fill it with data of record whose ID is $selected_id. If $selected_id\r\n"
        "\t// is empty, an empty form is shown, with only an 'Add New'\r\n"
        "\t// button displayed.\r\n"
        "\t\r\n"
        "\tglobal $Translation;\r\n"
        "\tif(!get_magic_quotes_gpc()) $selected_id = addslashes($selected_id);\r\n"
        "\tif(!is_numeric($selected_id)) $selected_id = \"\";\r\n"
        "\t\r\n"
        "\tif(!$AllowInsert && $selected_id==\"\"){  return \"\"; }\r\n"
        "\t\r\n"
        "\t\r\n"
        "\t// combobox: customer_id\r\n"
        "\t$combo_customer_id = new DataCombo;\r\n"
        "\t$combo_customer_id->Query = \"select id, name from customers order by name\";\r\n"
        "\t$combo_customer_id->SelectName = \"customer_id\";\r\n"
        "\t// combobox: order_date\r\n"
        "\t$combo_order_date = new DateCombo;\r\n"
        "\t$combo_order_date->DateFormat = \"mdy\";\r\n")));
    QVERIFY(form.contains(QStringLiteral(
        "\t$combo_status->SelectName = \"status\";\r\n"
        "\t$combo_status->AllowNull = false;\r\n")));
    QCOMPARE(form.count(QStringLiteral("AllowNull")), 1);
    QVERIFY(form.contains(QStringLiteral(
        "\r\n\tif($selected_id)\r\n\t{\r\n"
        "\t\t$res = sql(\"select * from orders where id='$selected_id'\");\r\n"
        "\t\t$row = mysql_fetch_array($res);\r\n"
        "\t\t$combo_customer_id->SelectedData = $row[\"customer_id\"];\r\n"
        "\t\t$combo_order_date->DefaultDate = $row[\"order_date\"];\r\n"
        "\t\t$combo_status->SelectedData = $row[\"status\"];\r\n"
        "\t}\r\n"
        "\t$combo_customer_id->Render();\r\n"
        "\t$combo_status->Render();\r\n"
        "\t\r\n")));

    DBPtr e = everyKind();
    QVERIFY(script(*e).contains(QStringLiteral("->DateFormat = \"dmy\";")));
    table(e).Fields.Item(2)->pDataType = Dt::Date;
    e->DateFormat = Variant(1);
    QVERIFY(script(*e).contains(QStringLiteral("->DateFormat = \"ymd\";")));

    // A lookup that may be empty starts with the empty choice; a required
    // one (customer_id above) does not.
    QVERIFY(!form.contains(QStringLiteral("FirstItem")));
    table(db, 2).Fields.Item(2)->pNotNull = false;
    QVERIFY(functionText(script(*db, 2), QStringLiteral("form")).contains(QStringLiteral(
        "\t$combo_customer_id->SelectName = \"customer_id\";\r\n"
        "\t$combo_customer_id->FirstItem = \"&nbsp;\";\r\n"
        "\t// combobox: order_date\r\n")));
}

void TestDmlScript::formPlaceholders()
{
    DBPtr db = shopProject();
    const QString form = functionText(script(*db, 2), QStringLiteral("form"));
    QVERIFY(form.contains(QStringLiteral(
        "\t// process combos\r\n"
        "\t$templateCode=str_replace('<%%COMBO(customer_id)%%>', $combo_customer_id->HTML, $templateCode);\r\n"
        "\t$templateCode=str_replace('<%%COMBOTEXT(customer_id)%%>', $combo_customer_id->MatchText, $templateCode);\r\n"
        "\t$templateCode=str_replace('<%%COMBO(order_date)%%>', $combo_order_date->GetHTML(), $templateCode);\r\n"
        "\t$templateCode=str_replace('<%%COMBOTEXT(order_date)%%>', htmlspecialchars($combo_order_date->GetHTML(true), ENT_QUOTES, 'windows-1252'), $templateCode);\r\n"
        "\t$templateCode=str_replace('<%%COMBO(status)%%>', $combo_status->HTML, $templateCode);\r\n"
        "\t$templateCode=str_replace('<%%COMBOTEXT(status)%%>', HTMLEscape($combo_status->SelectedData), $templateCode);\r\n"
        "\t\r\n"
        "\t// process images\r\n")));
    QVERIFY(form.contains(QStringLiteral("\t$templateCode=str_replace('<%%DETAIL_VIEW_TITLE%%>', 'Order details', $templateCode);\r\n")));

    const QString cust = functionText(script(*db, 1), QStringLiteral("form"));
    QVERIFY(cust.contains(QStringLiteral(
        "\t$templateCode=str_replace('<%%UPLOADFILE(photo)%%>', '<input type=hidden name=MAX_FILE_SIZE value=102400>'.$Translation['upload image'].' <input type=file name=\"photo\" class=TextBox>', $templateCode);\r\n"
        "\tif($AllowUpdate && $row['photo']!=''){\r\n"
        "\t\t$templateCode=str_replace('<%%REMOVEFILE(photo)%%>', '<input type=checkbox name=\"photo_remove\" value=\"1\"> <b class=Error>'.$Translation['remove image'].'</b>', $templateCode);\r\n"
        "\t}else{\r\n"
        "\t\t$templateCode=str_replace('<%%REMOVEFILE(photo)%%>', '', $templateCode);\r\n"
        "\t}\r\n"
        "\t$templateCode=str_replace('<%%UPLOADFILE(since)%%>', '', $templateCode);\r\n")));
    QVERIFY(cust.contains(QStringLiteral(
        "\t// process values\r\n"
        "\tif($selected_id){\r\n"
        "\t\t$templateCode=str_replace('<%%VALUE(id)%%>', HTMLEscape($row['id']), $templateCode);\r\n"
        "\t\t$templateCode=str_replace('<%%VALUE(name)%%>', HTMLEscape($row['name']), $templateCode);\r\n"
        "\t\t$row['photo']=($row['photo']!=''?$row['photo']:'blank.gif');\r\n"
        "\t\t$templateCode=str_replace('<%%VALUE(photo)%%>', HTMLEscape($row['photo']), $templateCode);\r\n")));
    QVERIFY(cust.contains(QStringLiteral(
        "\t}else{\r\n"
        "\t\t$templateCode=str_replace('<%%VALUE(id)%%>', '', $templateCode);\r\n"
        "\t\t$templateCode=str_replace('<%%VALUE(name)%%>', '', $templateCode);\r\n"
        "\t\t$templateCode=str_replace('<%%VALUE(photo)%%>', 'blank.gif', $templateCode);\r\n")));

    // The size limit of the form is the model's value, 0 included, while
    // insert() and update() fall back to 20480.
    table(db, 1).Fields.Item(3)->pMaxUploadSize = 0;
    const QString zero = script(*db, 1);
    QVERIFY(zero.contains(QStringLiteral("MAX_FILE_SIZE value=0>")));
    QVERIFY(zero.contains(QStringLiteral("PrepareUploadedFile('photo', 20480,'jpg|jpeg|gif|png', false)")));
    QVERIFY(zero.contains(QStringLiteral("PrepareUploadedFile('photo', 20480, 'jpg|jpeg|gif|png', false)")));
}

void TestDmlScript::runInsert()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable();
    MyTable &t = table(db);
    t.Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("D"), .pDataType = Dt::Date});
    t.Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                  .pLength = 10});
    t.Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"), .pDataType = Dt::VarChar, .pLength = 10,
                  .pDefault = QStringLiteral("it's \"$x\" \\")});
    MyField &up = *t.Fields.Add({.Name = QStringLiteral("up"), .Caption = QStringLiteral("U"), .pDataType = Dt::VarChar,
                                 .pLength = 10});
    up.pAllowImageUpload = true;
    up.pNoFileRename = true;
    const QString text = script(*db);

    PhpCall c;
    c.call = QStringLiteral("insert()");
    c.post = post({{"dYear", ""}, {"dMonth", ""}, {"dDay", ""}, {"a", "O'Brien \\"}, {"b", ""}});
    c.uploads.insert(QStringLiteral("up"), QStringLiteral("my'pic.jpg"));
    PhpRun r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, QStringList{QStringLiteral(
        "insert into t (d, a, b, up) values (NULL, 'O\\'Brien \\\\', 'it\\'s \\\"$x\\\" \\\\', 'my\\'pic.jpg')")});
    QCOMPARE(r.result.toInt(), 42);
    QCOMPARE(r.uploads, QStringList{QStringLiteral("up 20480 jpg|jpeg|gif|png keep")});
    // the uploaded file is the record's once the statement has run
    QCOMPARE(r.keptAfter, 1);

    // a chosen date, the same with magic quotes already applied by PHP
    c.post = post({{"dYear", "2004"}, {"dMonth", "05"}, {"dDay", "06"}, {"a", "O\\'Brien"}, {"b", "x"}});
    c.uploads = {};
    c.magic = true;
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, QStringList{QStringLiteral(
        "insert into t (d, a, b, up) values ('2004-05-06', 'O\\'Brien', 'x', NULL)")});
}

void TestDmlScript::runInsertRequiredOnlyWhenPosted()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable();
    MyTable &t = table(db);
    t.Fields.Add({.Name = QStringLiteral("ro"), .Caption = QStringLiteral("RO"), .pDataType = Dt::VarChar,
                  .pLength = 10, .pNotNull = true, .pReadOnly = true});
    t.Fields.Add({.Name = QStringLiteral("img"), .Caption = QStringLiteral("Img"), .pDataType = Dt::VarChar,
                  .pLength = 10, .pNotNull = true, .pDetailImage = true});
    t.Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("When"), .pDataType = Dt::Date,
                  .pNotNull = true});
    const QString text = script(*db);

    PhpCall c;
    c.call = QStringLiteral("insert()");
    c.post = post({{"dYear", "2001"}, {"dMonth", "02"}, {"dDay", "03"}});
    PhpRun r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, QStringList{QStringLiteral("insert into t (d) values ('2001-02-03')")});

    // An empty required date stops the insert with the field's caption.
    c.post = post({{"dYear", ""}, {"dMonth", ""}, {"dDay", ""}});
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY(r.statements.isEmpty());
    QVERIFY2(r.output.contains(QStringLiteral("<div class=Error>Error: 'When': is required</div>")), qPrintable(r.output));

    // update() refuses it with the same message, and sends no statement.
    c.call = QStringLiteral("update('7')");
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY(r.statements.isEmpty());
    QVERIFY2(r.output.contains(QStringLiteral("<div class=Error>Error: 'When': is required</div>")), qPrintable(r.output));
    c.post = post({{"dYear", "2001"}, {"dMonth", "02"}, {"dDay", "03"}});
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, QStringList{QStringLiteral("update t set d='2001-02-03' where id='7'")});
}

// name[]=x posts an array: it counts as empty, in insert() and update().
void TestDmlScript::runArrayValuesCountAsEmpty()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable();
    table(db).Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("D"), .pDataType = Dt::Date});
    table(db).Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                          .pLength = 10});
    table(db).Fields.Add({.Name = QStringLiteral("b"), .Caption = QStringLiteral("B"), .pDataType = Dt::VarChar,
                          .pLength = 10});
    const QString text = script(*db);
    PhpCall c;
    c.post = QJsonObject{{QStringLiteral("dYear"), QJsonArray{QStringLiteral("2004")}},
                         {QStringLiteral("dMonth"), QJsonArray{}},
                         {QStringLiteral("dDay"), QJsonObject{{QStringLiteral("x"), QStringLiteral("06")}}},
                         {QStringLiteral("a"), QJsonArray{QStringLiteral("x")}},
                         {QStringLiteral("b"), QStringLiteral("kept")}};
    for (const bool magic : {false, true}) {
        c.magic = magic;
        c.call = QStringLiteral("insert()");
        PhpRun r = runPhp(text, c);
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.statements, QStringList{QStringLiteral("insert into t (d, a, b) values (NULL, NULL, 'kept')")});
        c.call = QStringLiteral("update('3')");
        r = runPhp(text, c);
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.statements, QStringList{QStringLiteral("update t set d=NULL, a=NULL, b='kept' where id='3'")});
    }
}

void TestDmlScript::runInsertEmptyTable()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable();
    PhpCall c;
    c.call = QStringLiteral("insert()");
    PhpRun r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, QStringList{QStringLiteral("insert into t () values ()")});
    QCOMPARE(r.result.toInt(), 42);

    c.call = QStringLiteral("update('7')");
    r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY(r.statements.isEmpty());
}

void TestDmlScript::runSelectedIdEscaped_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("magic");
    QTest::addColumn<QString>("statement");
    QTest::newRow("delete") << "delete(\"1' or '1'='1\")" << false << "delete from t where id='1\\' or \\'1\\'=\\'1'";
    QTest::newRow("update") << "update(\"1' or '1'='1\")" << false << "update t set a=NULL where id='1\\' or \\'1\\'=\\'1'";
    QTest::newRow("form") << "form(\"1' or '1'='1\")" << false << "select * from t where id='1\\' or \\'1\\'=\\'1'";
    QTest::newRow("already escaped") << "delete(\"1\\\\' x\")" << true << "delete from t where id='1\\' x'";
    // written for the key's column (the stand-in of ColumnText() names it)
    QTest::newRow("delete: a reference") << "delete(\"&#321;' x\")" << false << "delete from t where id='<t.id>&#321;\\' x'";
    QTest::newRow("update: a reference") << "update(\"&#321;\")" << false << "update t set a=NULL where id='<t.id>&#321;'";
    QTest::newRow("form: a reference") << "form(\"&#321;\")" << false << "select * from t where id='<t.id>&#321;'";
}

void TestDmlScript::runSelectedIdEscaped()
{
    if (!phpAvailable())
        QSKIP("php not found");
    QFETCH(QString, call);
    QFETCH(bool, magic);
    QFETCH(QString, statement);
    DBPtr db = oneTable();
    // A text key: the escaped key itself reaches SQL.
    table(db).Fields.Item(1)->pDataType = Dt::VarChar;
    table(db).Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                          .pLength = 10});
    PhpCall c;
    c.call = call;
    c.magic = magic;
    c.templateDV = "x";
    PhpRun r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY2(r.statements.contains(statement), qPrintable(r.statements.join(u'\n')));
}

void TestDmlScript::runNumericKeyRefusesText_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("delete") << "delete(\"1' or '1'='1\")";
    QTest::newRow("update") << "update(\"1 or 1=1\")";
    QTest::newRow("form") << "form(\"1' or '1'='1\")";
}

// MySQL compares an INT key with '1\' or ...' by its leading number, so the
// escaped key alone would still reach record 1.
void TestDmlScript::runNumericKeyRefusesText()
{
    if (!phpAvailable())
        QSKIP("php not found");
    QFETCH(QString, call);
    DBPtr db = oneTable();
    table(db).Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                          .pLength = 10});
    PhpCall c;
    c.call = call;
    c.templateDV = "x";
    PhpRun r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    for (const QString &statement : r.statements)
        QVERIFY2(!statement.contains(QLatin1String("where id=")), qPrintable(statement));

    c.call = QStringLiteral("delete('1')");
    r = runPhp(script(*db), c);
    QVERIFY2(r.statements.contains(QStringLiteral("delete from t where id='1'")), qPrintable(r.statements.join(u'\n')));
}

void TestDmlScript::runDeleteRemovesFilesAfterRecord()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable(QStringLiteral("p"));
    MyField &pic = *table(db).Fields.Add({.Name = QStringLiteral("pic"), .Caption = QStringLiteral("Pic"),
                                          .pDataType = Dt::VarChar, .pLength = 50});
    pic.pAllowImageUpload = true;
    pic.pDeleteFiles = true;
    MyTable &child = *db->Tables.Add(QStringLiteral("C"), QStringLiteral("c"));
    child.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                      .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
    MyField &ref = *child.Fields.Add({.Name = QStringLiteral("p_name"), .Caption = QStringLiteral("P"),
                                      .pDataType = Dt::VarChar, .pLength = 50});
    ref.ParentTable = QStringLiteral("p");
    ref.ParentIDField = QStringLiteral("pic");
    ref.ParentCaptionField = QStringLiteral("pic");

    PhpCall c;
    c.call = QStringLiteral("delete('5')");
    c.files = {QStringLiteral("a'b.gif")};
    c.rows.insert(QStringLiteral("select pic from p where id='5'"), QJsonArray{QStringLiteral("a'b.gif")});
    c.rows.insert(QStringLiteral("select count(1) from c where p_name='a\\'b.gif'"), QJsonArray{0});
    PhpRun r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, (QStringList{QStringLiteral("select pic from p where id='5'"),
                                        QStringLiteral("select count(1) from c where p_name='a\\'b.gif'"),
                                        QStringLiteral("select pic from p where id='5'"),
                                        QStringLiteral("delete from p where id='5'")}));
    // the file is still there while the record is deleted, and gone after
    QCOMPARE(r.filesAtSql.last(), QStringLiteral("a'b.gif"));
    QCOMPARE(r.files, QString());
    QVERIFY(r.result.isNull());
    // the stored name is read under the lock of the upload folder
    QCOMPARE(r.lockedAt, 2);

    // Another request deleted the record first: its files are not this
    // request's to remove.
    c.affected = 0;
    r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements.last(), QStringLiteral("delete from p where id='5'"));
    QCOMPARE(r.files, QStringLiteral("a'b.gif"));
}

void TestDmlScript::runDeleteRefusedKeepsFiles()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = shopProject();
    PhpCall c;
    c.call = QStringLiteral("delete('3')");
    c.files = {QStringLiteral("face.jpg")};
    c.rows.insert(QStringLiteral("select id from customers where id='3'"), QJsonArray{QStringLiteral("3")});
    c.rows.insert(QStringLiteral("select count(1) from orders where customer_id='3'"), QJsonArray{2});
    c.rows.insert(QStringLiteral("select photo from customers where id='3'"), QJsonArray{QStringLiteral("face.jpg")});
    PhpRun r = runPhp(script(*db, 1), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.result.toString(), QStringLiteral("refused 2 orders"));
    QCOMPARE(r.files, QStringLiteral("face.jpg"));

    c.rows.insert(QStringLiteral("select count(1) from orders where customer_id='3'"), QJsonArray{0});
    r = runPhp(script(*db, 1), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements.last(), QStringLiteral("delete from customers where id='3'"));
    QCOMPARE(r.files, QString());
}

void TestDmlScript::runUpdateUploads_data()
{
    QTest::addColumn<bool>("keepName");
    QTest::addColumn<QString>("remove");
    QTest::addColumn<QString>("uploaded");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("filesAtUpdate");
    QTest::addColumn<QString>("filesAfter");
    // statements run when the upload folder was locked; -1: not locked
    QTest::addColumn<int>("lockedAt");

    QTest::newRow("new name replaces the old file")
        << false << "" << "new.gif" << "pic='new.gif'" << "new.gif,old.gif" << "new.gif" << 0;
    QTest::newRow("same name kept: the new file stays")
        << true << "" << "old.gif" << "pic='old.gif'" << "old.gif" << "old.gif" << 0;
    QTest::newRow("kept name with a quote")
        << true << "" << "it's.gif" << "pic='it\\'s.gif'" << "it's.gif" << "it's.gif" << 0;
    QTest::newRow("nothing sent keeps the value") << false << "" << "" << "pic=pic" << "old.gif" << "old.gif" << -1;
    QTest::newRow("kept name, nothing sent") << true << "" << "" << "pic=pic" << "old.gif" << "old.gif" << -1;
    QTest::newRow("remove box") << false << "1" << "" << "pic=NULL" << "old.gif" << "" << 0;
}

void TestDmlScript::runUpdateUploads()
{
    if (!phpAvailable())
        QSKIP("php not found");
    QFETCH(bool, keepName);
    QFETCH(QString, remove);
    QFETCH(QString, uploaded);
    QFETCH(QString, term);
    QFETCH(QString, filesAtUpdate);
    QFETCH(QString, filesAfter);
    QFETCH(int, lockedAt);

    DBPtr db = oneTable();
    MyField &pic = *table(db).Fields.Add({.Name = QStringLiteral("pic"), .Caption = QStringLiteral("Pic"),
                                          .pDataType = Dt::VarChar, .pLength = 50});
    pic.pAllowImageUpload = true;
    pic.pDeleteFiles = true;
    pic.pNoFileRename = keepName;
    pic.pDetailImage = true;

    PhpCall c;
    c.call = QStringLiteral("update('9')");
    const QString stored = uploaded == QStringLiteral("it's.gif") ? uploaded : QStringLiteral("old.gif");
    c.files = {stored};
    c.rows.insert(QStringLiteral("select pic from t where id='9'"), QJsonArray{stored});
    if (!remove.isEmpty())
        c.post.insert(QStringLiteral("pic_remove"), remove);
    if (!uploaded.isEmpty())
        c.uploads.insert(QStringLiteral("pic"), uploaded);
    PhpRun r = runPhp(script(*db), c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY(!r.statements.isEmpty());
    QCOMPARE(r.statements.last(), QStringLiteral("update t set ") + term + QStringLiteral(" where id='9'"));
    QCOMPARE(r.filesAtSql.last(), filesAtUpdate);
    QCOMPARE(r.files, filesAfter);
    QCOMPARE(r.keptAfter, r.statements.size());
    // The stored name is read, and a kept name's file replaced, under the
    // lock of the upload folder; a request that brings no file and removes
    // none does not wait for it.
    QCOMPARE(r.lockedAt, lockedAt);
    // A kept name may replace the record's own file: the handler is told it.
    if (remove.isEmpty())
        QCOMPARE(r.uploads, QStringList{keepName ? QStringLiteral("pic 20480 jpg|jpeg|gif|png keep [") + stored + u']'
                                                 : QStringLiteral("pic 20480 jpg|jpeg|gif|png rename")});
}

// Every value stored from the request is checked against its column.
void TestDmlScript::valueChecks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("check"); // empty: none

    QTest::newRow("tinyint") << int(Dt::TinyInt) << 4 << 0 << "" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"-128\", \"127\");";
    QTest::newRow("tinyint unsigned") << int(Dt::TinyInt) << 3 << 0 << "unsigned" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"0\", \"255\");";
    QTest::newRow("smallint") << int(Dt::SmallInt) << 6 << 0 << "" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"-32768\", \"32767\");";
    QTest::newRow("mediumint unsigned") << int(Dt::MediumInt) << 8 << 0 << "unsigned" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"0\", \"16777215\");";
    QTest::newRow("int") << int(Dt::Int) << 11 << 0 << "" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"-2147483648\", \"2147483647\");";
    QTest::newRow("bigint unsigned") << int(Dt::BigInt) << 20 << 0 << "unsigned"
                                     << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"0\", \"18446744073709551615\");";
    QTest::newRow("lookup into an int") << int(Dt::Int) << 11 << 0 << "lookup" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"-2147483648\", \"2147483647\");";
    QTest::newRow("decimal(10,2)") << int(Dt::Decimal) << 10 << 2 << "" << "CheckNumberValue(\"v\", $v, \"V's \\$\", \"-99999999.99\", \"99999999.99\", 2);";
    QTest::newRow("decimal(5,2) unsigned") << int(Dt::Decimal) << 5 << 2 << "unsigned" << "CheckNumberValue(\"v\", $v, \"V's \\$\", \"0\", \"999.99\", 2);";
    QTest::newRow("decimal(2,2)") << int(Dt::Decimal) << 2 << 2 << "" << "CheckNumberValue(\"v\", $v, \"V's \\$\", \"-0.99\", \"0.99\", 2);";
    QTest::newRow("int zerofill is unsigned") << int(Dt::Int) << 10 << 0 << "zerofill" << "CheckIntegerValue(\"v\", $v, \"V's \\$\", \"0\", \"4294967295\");";
    QTest::newRow("decimal(5,2) zerofill") << int(Dt::Decimal) << 5 << 2 << "zerofill" << "CheckNumberValue(\"v\", $v, \"V's \\$\", \"0\", \"999.99\", 2);";
    QTest::newRow("float without length is (1,0)") << int(Dt::Float) << 0 << 0 << ""
        << "CheckFloatValue(\"v\", $v, \"V's \\$\", \"-9\", \"9\", 1, 0, 3.4028234663852886E+38);";
    QTest::newRow("float(41,2): the type's limit") << int(Dt::Float) << 41 << 2 << "unsigned"
        << "CheckFloatValue(\"v\", $v, \"V's \\$\", \"0\", \"3.4028234663852886E+38\", 41, 2, 3.4028234663852886E+38);";
    QTest::newRow("float(41,2) signed") << int(Dt::Float) << 41 << 2 << ""
        << "CheckFloatValue(\"v\", $v, \"V's \\$\", \"-3.4028234663852886E+38\", \"3.4028234663852886E+38\", 41, 2, 3.4028234663852886E+38);";
    QTest::newRow("float(40,2): 38 digits fit") << int(Dt::Float) << 40 << 2 << "unsigned"
        << "CheckFloatValue(\"v\", $v, \"V's \\$\", \"0\", \"99999999999999999999999999999999999999.99\", 40, 2, 3.4028234663852886E+38);";
    QTest::newRow("double(8,3)") << int(Dt::Double) << 8 << 3 << ""
        << "CheckFloatValue(\"v\", $v, \"V's \\$\", \"-99999.999\", \"99999.999\", 8, 3, 1.7976931348623157E+308);";
    QTest::newRow("more places than digits: no column") << int(Dt::Decimal) << 2 << 3 << "" << "";
    QTest::newRow("char(4)") << int(Dt::Char) << 4 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 4);";
    QTest::newRow("varchar without length is 1") << int(Dt::VarChar) << 0 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 1);";
    QTest::newRow("value list") << int(Dt::VarChar) << 5 << 0 << "list" << "CheckTextValue(\"v\", $v, \"V's \\$\", 5);";
    QTest::newRow("tinytext") << int(Dt::TinyText) << 0 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 255);";
    QTest::newRow("text") << int(Dt::Text) << 200 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 65535);";
    QTest::newRow("tinyblob keeps its blanks") << int(Dt::TinyBlob) << 0 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 255, true);";
    QTest::newRow("mediumblob") << int(Dt::MediumBlob) << 0 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 16777215, true);";
    QTest::newRow("mediumtext") << int(Dt::MediumText) << 0 << 0 << "" << "CheckTextValue(\"v\", $v, \"V's \\$\", 16777215);";
    QTest::newRow("longtext") << int(Dt::LongText) << 0 << 0 << "" << "";
    QTest::newRow("date") << int(Dt::Date) << 0 << 0 << "" << "CheckDateValue(\"v\", $v, \"V's \\$\");";
    QTest::newRow("datetime") << int(Dt::DateTime) << 0 << 0 << "" << "CheckDateTimeValue(\"v\", $v, \"V's \\$\");";
    QTest::newRow("timestamp") << int(Dt::Timestamp) << 0 << 0 << "" << "CheckDateTimeValue(\"v\", $v, \"V's \\$\");";
    QTest::newRow("time") << int(Dt::Time) << 0 << 0 << "" << "CheckTimeValue(\"v\", $v, \"V's \\$\");";
    QTest::newRow("year") << int(Dt::Year) << 4 << 0 << "" << "CheckYearValue(\"v\", $v, \"V's \\$\");";
    QTest::newRow("read-only") << int(Dt::Int) << 11 << 0 << "ro" << "";
    QTest::newRow("hidden in detail view") << int(Dt::Int) << 11 << 0 << "hidden" << "";
    QTest::newRow("auto-increment") << int(Dt::Int) << 11 << 0 << "ai" << "";
    QTest::newRow("upload: its stored name, after the upload") << int(Dt::VarChar) << 10 << 0 << "upload"
                                                               << "CheckTextValue(\"v\", $v, \"V's \\$\", 10);";
    QTest::newRow("image only") << int(Dt::VarChar) << 10 << 0 << "image" << "";
}

void TestDmlScript::valueChecks()
{
    QFETCH(int, type);
    QFETCH(int, length);
    QFETCH(int, precision);
    QFETCH(QString, setup);
    QFETCH(QString, check);
    DBPtr db = oneTable();
    MyField &f = *table(db).Fields.Add({.Name = QStringLiteral("v"), .Caption = QStringLiteral("V's $"),
                                        .pDataType = type, .pLength = qint16(length), .pPrecision = qint16(precision)});
    f.pUnsigned = setup == QStringLiteral("unsigned");
    f.pZeroFill = setup == QStringLiteral("zerofill");
    f.pReadOnly = setup == QStringLiteral("ro");
    f.pHideInDetailView = setup == QStringLiteral("hidden");
    f.pAutoIncrement = setup == QStringLiteral("ai");
    f.pAllowImageUpload = setup == QStringLiteral("upload");
    f.pDetailImage = setup == QStringLiteral("image");
    if (setup == QStringLiteral("lookup")) {
        f.ParentTable = QStringLiteral("t");
        f.ParentIDField = QStringLiteral("id");
        f.ParentCaptionField = QStringLiteral("id");
    }
    if (setup == QStringLiteral("list"))
        f.CSValueList = QStringLiteral("a;;b");
    const QString text = script(*db);
    for (const QString &function : {QStringLiteral("insert"), QStringLiteral("update")}) {
        const QString body = functionText(text, function);
        const QString head = QStringLiteral("\t// a value that its column cannot hold is refused before anything is stored\r\n");
        if (check.isEmpty()) {
            QVERIFY2(!body.contains(QStringLiteral("Check")), qPrintable(body));
            QVERIFY(!body.contains(head));
            continue;
        }
        if (setup == QStringLiteral("upload")) {
            // the check of the name follows the upload
            QVERIFY(!body.contains(head));
            QVERIFY2(body.indexOf(QStringLiteral("PrepareUploadedFile")) < body.indexOf(u'\t' + check + QStringLiteral("\r\n")),
                     qPrintable(body));
        } else {
            QVERIFY2(body.contains(head + u'\t' + check + QStringLiteral("\r\n")), qPrintable(body));
        }
        QVERIFY(body.indexOf(check) < body.indexOf(QStringLiteral("sql(\"") + function));
    }
}

// A value its column cannot hold stops insert() and update() before any
// file is kept and any statement runs; every stored value is checked, in
// field order, after the empty date became NULL.
void TestDmlScript::runRefusedValueStopsEverything_data()
{
    QTest::addColumn<QString>("call");
    QTest::newRow("insert") << "insert()";
    QTest::newRow("update") << "update('9')";
}

void TestDmlScript::runRefusedValueStopsEverything()
{
    if (!phpAvailable())
        QSKIP("php not found");
    QFETCH(QString, call);
    DBPtr db = oneTable();
    MyTable &t = table(db);
    t.Fields.Add({.Name = QStringLiteral("n"), .Caption = QStringLiteral("Qty"), .pDataType = Dt::TinyInt, .pLength = 4});
    t.Fields.Add({.Name = QStringLiteral("d"), .Caption = QStringLiteral("When"), .pDataType = Dt::Date});
    t.Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("Name"), .pDataType = Dt::VarChar, .pLength = 10});
    MyField &pic = *t.Fields.Add({.Name = QStringLiteral("pic"), .Caption = QStringLiteral("Pic"),
                                  .pDataType = Dt::VarChar, .pLength = 50});
    pic.pAllowImageUpload = true;
    pic.pDeleteFiles = true;
    const QString text = script(*db);

    PhpCall c;
    c.call = call;
    c.files = {QStringLiteral("old.gif")};
    c.rows.insert(QStringLiteral("select pic from t where id='9'"), QJsonArray{QStringLiteral("old.gif")});
    c.uploads.insert(QStringLiteral("pic"), QStringLiteral("new.gif"));
    c.post = post({{"n", "5"}, {"dYear", ""}, {"dMonth", ""}, {"dDay", ""}, {"a", "refused"}});
    PhpRun r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.output, QStringLiteral("refused 'Name'"));
    QCOMPARE(r.checks, (QStringList{QStringLiteral("n integer -128 127 Qty"), QStringLiteral("d date When"),
                                    QStringLiteral("a text 10 Name")}));
    QCOMPARE(r.filesAtCheck.last(), QStringLiteral("old.gif"));
    QVERIFY(r.statements.isEmpty());
    QVERIFY(r.uploads.isEmpty());
    QCOMPARE(r.keptAfter, -1);
    QCOMPARE(r.files, QStringLiteral("old.gif"));

    // A date with parts chosen reaches its check as it was joined.
    c.post = post({{"n", "5"}, {"dYear", "refused"}, {"dMonth", ""}, {"dDay", "3"}, {"a", "x"}});
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.output, QStringLiteral("refused 'When'"));
    QVERIFY(r.statements.isEmpty());
    QVERIFY(r.uploads.isEmpty());

    // Values that pass go on as before.
    c.post = post({{"n", "5"}, {"dYear", "2001"}, {"dMonth", "02"}, {"dDay", "03"}, {"a", "x"}});
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    // the stored name of the upload is checked once the file is kept
    QCOMPARE(r.checks.size(), 4);
    QCOMPARE(r.checks.last(), QStringLiteral("pic text 50 Pic"));
    QCOMPARE(r.filesAtCheck.last(), QStringLiteral("new.gif,old.gif"));
    QVERIFY(!r.statements.isEmpty());
    QCOMPARE(r.uploads.size(), 1);
}

// A form whose record was deleted meanwhile: its update matches no row, is
// refused, and neither keeps the files it stored nor removes the old ones.
void TestDmlScript::runUpdateOfDeletedRecord()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable();
    table(db).Fields.Add({.Name = QStringLiteral("a"), .Caption = QStringLiteral("A"), .pDataType = Dt::VarChar,
                          .pLength = 10});
    MyField &pic = *table(db).Fields.Add({.Name = QStringLiteral("pic"), .Caption = QStringLiteral("Pic"),
                                          .pDataType = Dt::VarChar, .pLength = 50});
    pic.pAllowImageUpload = true;
    pic.pDeleteFiles = true;
    const QString text = script(*db);

    PhpCall c;
    c.call = QStringLiteral("update('9')");
    c.files = {QStringLiteral("old.gif")};
    c.rows.insert(QStringLiteral("select pic from t where id='9'"), QJsonArray{QStringLiteral("old.gif")});
    c.uploads.insert(QStringLiteral("pic"), QStringLiteral("new.gif"));
    c.post = post({{"a", "x"}});
    c.matched = 0;
    PhpRun r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements.last(), QStringLiteral("update t set a='x', pic='new.gif' where id='9'"));
    QCOMPARE(r.output, QStringLiteral("record gone"));
    QCOMPARE(r.keptAfter, -1);
    // the old file stays; the new one is lib.php's to remove as the request ends
    QCOMPARE(r.files, QStringLiteral("new.gif,old.gif"));

    // Without a file, the same.
    c.uploads = {};
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.output, QStringLiteral("record gone"));
    QCOMPARE(r.files, QStringLiteral("old.gif"));
}

// update() refuses the remove box of a required upload field like an empty
// required value: the record and its file stay.
void TestDmlScript::runRequiredUploadKeepsItsFile()
{
    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = oneTable();
    MyField &pic = *table(db).Fields.Add({.Name = QStringLiteral("pic"), .Caption = QStringLiteral("Badge"),
                                          .pDataType = Dt::VarChar, .pLength = 50, .pNotNull = true});
    pic.pAllowImageUpload = true;
    pic.pDeleteFiles = true;
    pic.pDetailImage = true;
    const QString text = script(*db);

    PhpCall c;
    c.call = QStringLiteral("update('9')");
    c.files = {QStringLiteral("old.gif")};
    c.rows.insert(QStringLiteral("select pic from t where id='9'"), QJsonArray{QStringLiteral("old.gif")});
    c.post.insert(QStringLiteral("pic_remove"), QStringLiteral("1"));
    PhpRun r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.output, QStringLiteral("\n\n<div class=Error>Error: 'Badge': is required</div>"));
    QVERIFY(r.statements.isEmpty());
    QVERIFY(r.uploads.isEmpty());
    QCOMPARE(r.files, QStringLiteral("old.gif"));

    // A new file without the box replaces the old one as before.
    c.post = {};
    c.uploads.insert(QStringLiteral("pic"), QStringLiteral("new.gif"));
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements.last(), QStringLiteral("update t set pic='new.gif' where id='9'"));
    QCOMPARE(r.files, QStringLiteral("new.gif"));
}

void TestDmlScript::runForm()
{
    // The form shows a lookup's MatchText as it comes: DataCombo escapes it.
    QVERIFY(BuildDataListScript({}).contains(
        QStringLiteral("$this->MatchText = HTMLEscape($row[1]);")));

    if (!phpAvailable())
        QSKIP("php not found");
    DBPtr db = everyKind();
    const QString text = script(*db);
    PhpCall c;
    c.table = QStringLiteral("things");
    c.templateDV = "<%%DETAIL_VIEW_TITLE%%>|<%%COMBOTEXT(parent)%%>|<%%COMBOTEXT(kind)%%>|<%%COMBOTEXT(born)%%>|"
                   "<%%VALUE(note)%%>|<%%REMOVEFILE(pic)%%>|<%%REMOVEFILE(note)%%>|<%%COMBO(kind)%%>|"
                   "<%%UPDATE_BUTTON%%>|<%%TRANSLATION(upload image)%%>|<%%UNKNOWN%%>";
    c.call = QStringLiteral("form('a\\'b', 0, 1, 1)");
    c.match = QStringLiteral("<b>\"Tom\" & 'Jerry'</b>");
    const QString row = QStringLiteral("select * from things where code='a\\'b'");
    c.rows.insert(row, QJsonObject{{QStringLiteral("kind"), QStringLiteral("a\"b&#x141;")},
                                   {QStringLiteral("born"), QStringLiteral("2004-05-06")},
                                   {QStringLiteral("note"), QStringLiteral("caf\u00e9 <i> &#321;")},
                                   {QStringLiteral("pic"), QStringLiteral("x.gif")}});
    PhpRun r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.statements, QStringList{row});
    // the record's value reaches PHP from JSON as UTF-8; compare it as bytes.
    // A numeric character reference (a letter windows-1252 lacks) shows as
    // the letter.
    const QString expected = QStringLiteral(
        "Thing's details|&lt;b&gt;&quot;Tom&quot; &amp; &#039;Jerry&#039;&lt;/b&gt;|a&quot;b&#x141;|2004-05-06|"
        "caf\u00e9 &lt;i&gt; &#321;||<!--REMOVEFILE(note)-->|list:a\"b|c$d|e\\f|"
        "|Up|<!--UNKNOWN-->");
    QCOMPARE(r.result.toString(), expected);

    // A Windows-1252 byte survives the escaping (UTF-8 rules would empty
    // the whole value).
    QString patched = text;
    patched.replace(QStringLiteral("\t\t$row = mysql_fetch_array($res);\r\n"),
                    QStringLiteral("\t\t$row = mysql_fetch_array($res);\r\n\t\t$row['note'] = \"caf\\xe9\";\r\n"));
    QVERIFY(patched != text);
    c.call = QStringLiteral("form('a\\'b')");
    c.templateDV = "<%%VALUE(note)%%>";
    r = runPhp(patched, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.result.toString(), QStringLiteral("caf\ufffd"));

    // A key of "0" is no selection: a new record's form, read from nothing.
    c.templateDV = "<%%INSERT_BUTTON%%>|<%%UPDATE_BUTTON%%>|<%%COMBOTEXT(born)%%>";
    c.call = QStringLiteral("form('0')");
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY(r.statements.isEmpty());
    QVERIFY(r.result.toString().startsWith(QStringLiteral("<input type=image src=insert.gif name=insert alt='")));
    QVERIFY(r.result.toString().endsWith(QStringLiteral("'>||") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));

    // Refused at once, and a missing template gives an empty text.
    c.templateDV.clear();
    c.call = QStringLiteral("form('', 1, 0, 1)");
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.result.toString(), QString());
    QVERIFY(r.statements.isEmpty());
    c.call = QStringLiteral("form('a\\'b')");
    r = runPhp(text, c);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QVERIFY2(!r.output.contains(QStringLiteral("rror")), qPrintable(r.output));
    QVERIFY(r.result.isString());
    QCOMPARE(r.result.toString(), QString());
}

QTEST_GUILESS_MAIN(TestDmlScript)
#include "tst_dmlscript.moc"
