// setup.php: its exact text, the pending schema changes it carries and
// clears, the overwrite mode it forces, the images folder, its error
// reports, and the generated script run under PHP against stub mysql_*
// functions that record what MySQL would receive.
#include "fixtures.h"
#include "testhost.h"
#include "support/testfiles.h"

#include "generator/generators.h"
#include "model/columndefinition.h"

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

QString readText(const QString &path) { return QString::fromLatin1(readBytes(path)); }

// The setupTable calls of a generated setup.php, without their tab.
QStringList setupCalls(const QString &text)
{
    QStringList out;
    for (const QString &line : text.split(QStringLiteral("\r\n")))
        if (line.startsWith(QStringLiteral("\tsetupTable(\"")))
            out << line.mid(1);
    return out;
}

// Stand-ins for the old mysql_* functions: they record every query and the
// posted values come from the environment. Loaded with auto_prepend_file.
const char *kStub = R"PHP(<?php
$HTTP_POST_VARS = json_decode(getenv('POSTED'), true);
$GLOBALS['stubQueries'] = array();
function mysql_connect(?string $s, ?string $u, ?string $p) { return getenv('CONNECT_FAILS') !== '1'; }
function mysql_select_db($d) { static $calls = 0; $calls++; return getenv('DB_EXISTS') === '1' || $calls > 1; }
function mysql_query($q) {
	$GLOBALS['stubQueries'][] = $q;
	if (stripos($q, 'select count(1)') === 0) return getenv('TABLES_EXIST') === '1' ? 'result' : false;
	if (getenv('FAIL_MATCHING') !== false && getenv('FAIL_MATCHING') !== '' && strpos($q, getenv('FAIL_MATCHING')) !== false) return false;
	return true;
}
function mysql_fetch_array($r) { return array(7, 7); }
function mysql_error() { return 'stub error'; }
register_shutdown_function(function () { file_put_contents('queries.json', json_encode($GLOBALS['stubQueries'])); });
)PHP";

struct PhpRun {
    int exitCode = -1;
    QString output;
    QStringList queries;
};

PhpRun runSetup(const QString &folder, const QJsonObject &posted, const QMap<QString, QString> &env = {})
{
    PhpRun r;
    QFile::remove(folder + "/queries.json");
    writeBytes(folder + "/stub.php", kStub);
    QFile::remove(folder + "/language.php");
    QFile::copy(QStringLiteral(TESSARON_SOURCE_DIR "/resources/files/language.php"), folder + "/language.php");
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("POSTED", QString::fromUtf8(QJsonDocument(posted).toJson(QJsonDocument::Compact)));
    for (auto it = env.begin(); it != env.end(); ++it)
        e.insert(it.key(), it.value());
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(PHP_EXECUTABLE), {"-n", "-d", "auto_prepend_file=" + folder + "/stub.php", "-d",
                                              "error_reporting=0", "setup.php"});
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitCode();
    r.output = QString::fromLatin1(p.readAllStandardOutput() + p.readAllStandardError());
    const QJsonArray a = QJsonDocument::fromJson(readBytes(folder + "/queries.json")).array();
    for (const auto &v : a)
        r.queries << v.toString();
    return r;
}

QJsonObject posted(const QString &server, const QString &user, const QString &password, const QString &db)
{
    return {{"dbServer", server}, {"dbUsername", user}, {"dbPassword", password}, {"dbDatabase", db}};
}

} // namespace

class TestSetupScript : public QObject {
    Q_OBJECT

    QTemporaryDir m_out;
    StyleTable m_styles;

    QString out(const QString &name = {}) const { return name.isEmpty() ? m_out.path() : m_out.filePath(name); }

    void generate(MyDB &db, RecordingHost &host, qint16 mode = Overwrite::Ask, const QString &folder = {})
    {
        GenerationRun run(db, m_styles, host);
        prepareRun(run, folder.isEmpty() ? out() : folder);
        run.overwriteMode = mode;
        GenerateSetupScript(run);
        QCOMPARE(run.overwriteMode, mode);
        // What GenerateAll does after the procedures.
        ForgetWrittenChanges(db, run);
    }

private slots:
    void init()
    {
        QVERIFY(m_out.isValid());
        QFile::setPermissions(out("setup.php"), QFile::ReadOwner | QFile::WriteOwner);
        QDir(out()).removeRecursively();
        QVERIFY(QDir().mkpath(out()));
    }

    // The whole file for the shop project, whose orders table carries two
    // pending statements and a changed primary key.
    void shopText()
    {
        DBPtr db = shopProject();
        RecordingHost host;
        generate(*db, host);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ... Done."));
        QVERIFY(host.errors.isEmpty());
        const QByteArray text = readBytes(out("setup.php"));
        const QString golden = QStringLiteral(TESSARON_SOURCE_DIR "/tests/generator/golden/shop/setup.php");
        if (qEnvironmentVariable("TESSARON_UPDATE_GOLDEN") == QStringLiteral("1"))
            writeBytes(golden, text);
        QCOMPARE(text, readBytes(golden));

        const QString t = QString::fromLatin1(text);
        QVERIFY(t.startsWith(QStringLiteral("<?php\r\n// This script and data application were generated by Tessaron "
                                            "3.0 on 12/10/2026 at 10:11:50\r\n")));
        QVERIFY(t.endsWith(QStringLiteral("\t}\r\n?>")));
        QVERIFY(t.contains(QStringLiteral(
            "\r\n\r\n\r\n\tinclude(dirname(__FILE__).\"/language.php\");\r\n\t\r\n"
            "\t$divFormat=\"<div style=\\\"text-align: center; font-weight: bold; font-family: verdana,arial; "
            "font-size: 15px;\\\">\";\r\n"
            "\t$backHome=\"$divFormat<a href=\\\"./\\\">\".$Translation[\"goto start page\"].\"</a></div>\";\r\n\t\r\n"
            "\t// check this file's MD5 to make sure it wasn't called before\r\n"
            "\t$prevMD5=@implode('', (array)@file(\"./setup.md5\"));\r\n"
            "\t$thisMD5=md5(@implode('', @file(\"./setup.php\")));\r\n")));
        QCOMPARE(setupCalls(t),
                 QStringList({
                     "setupTable(\"customers\", \"create table if not exists `customers` ( `id` INT(11) not null "
                     "auto_increment , primary key (`id`), `name` VARCHAR(40) not null , `photo` VARCHAR(100) , "
                     "`since` DATE )\");",
                     "setupTable(\"orders\", \"create table if not exists `orders` ( `id` INT(11) not null "
                     "auto_increment , primary key (`id`), `customer_id` INT(11) not null , `order_date` DATE not "
                     "null , `status` VARCHAR(20) not null default 'new' , `notes` TEXT , `internal_code` CHAR(8) , "
                     "`total` DECIMAL(10,2) default '0.00' )\", array(\"ALTER TABLE `orders` ADD `total` "
                     "DECIMAL(10,2) default '0.00' \",\"ALTER TABLE `orders` DROP PRIMARY KEY, ADD PRIMARY KEY "
                     "(`id`)\",\"ALTER TABLE `orders` ADD PRIMARY KEY (`id`)\"));",
                 }));
        // Emitted once, then cleared.
        for (const auto &table : db->Tables) {
            QCOMPARE(table->AlterSQL, QString());
            QCOMPARE(table->pkChanged, false);
        }
        QVERIFY(QFileInfo(out("images")).isDir());
    }

    void pendingChanges_data()
    {
        QTest::addColumn<QString>("alterSQL");
        QTest::addColumn<bool>("pkChanged");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("forcesWrite");
        const QString create = "create table if not exists `items` ( `id` INT(11) not null auto_increment , "
                               "primary key (`id`), `title` VARCHAR(50) )";
        QTest::newRow("none") << "" << false << "setupTable(\"items\", \"" + create + "\");" << false;
        QTest::newRow("key changed, no statements") << "" << true << "setupTable(\"items\", \"" + create + "\");"
                                                    << false;
        QTest::newRow("only the end mark") << ";;" << false << "setupTable(\"items\", \"" + create + "\");" << true;
        QTest::newRow("one statement") << "ALTER TABLE `items` DROP `x`;;" << false
                                       << "setupTable(\"items\", \"" + create
                                              + "\", array(\"ALTER TABLE `items` DROP `x`\"));"
                                       << true;
        QTest::newRow("key changed") << "ALTER TABLE `items` DROP PRIMARY KEY;;" << true
                                     << "setupTable(\"items\", \"" + create
                                            + "\", array(\"ALTER TABLE `items` DROP PRIMARY KEY\",\"ALTER TABLE "
                                              "`items` ADD PRIMARY KEY (`id`)\"));"
                                     << true;
    }
    // Pending changes go out once; with any of them setup.php replaces an
    // existing one without asking, even in skip-all mode.
    void pendingChanges()
    {
        QFETCH(QString, alterSQL);
        QFETCH(bool, pkChanged);
        QFETCH(QString, call);
        QFETCH(bool, forcesWrite);
        writeBytes(out("setup.php"), "old");
        DBPtr db = minimalProject();
        MyTable &t = *db->Tables.Item(1);
        t.AlterSQL = alterSQL;
        t.pkChanged = pkChanged;
        RecordingHost host;
        generate(*db, host, Overwrite::SkipAll);
        QVERIFY(host.questions.isEmpty());
        if (!forcesWrite) {
            QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ... Skipped."));
            QCOMPARE(readBytes(out("setup.php")), QByteArray("old"));
            // Nothing was written, so nothing is forgotten.
            QCOMPARE(t.pkChanged, pkChanged);
            return;
        }
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ... Done."));
        QCOMPARE(setupCalls(readText(out("setup.php"))), QStringList{call});
        QCOMPARE(t.AlterSQL, QString());
        QCOMPARE(t.pkChanged, false);

        // A second run has nothing pending any more.
        QFile::remove(out("setup.php"));
        RecordingHost again;
        generate(*db, again);
        QCOMPARE(setupCalls(readText(out("setup.php"))).first(),
                 QStringLiteral("setupTable(\"items\", \"create table if not exists `items` ( `id` INT(11) not null "
                                "auto_increment , primary key (`id`), `title` VARCHAR(50) )\");"));
    }

    void newFileWrittenInEveryMode()
    {
        DBPtr db = minimalProject();
        RecordingHost host;
        generate(*db, host, Overwrite::SkipAll);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ... Done."));
        // An existing images folder is no error.
        QFile::remove(out("setup.php"));
        RecordingHost again;
        again.overwrite();
        generate(*db, again);
        QVERIFY(again.errors.isEmpty());
        QCOMPARE(again.log, QStringLiteral("\r\nGenerating setup.php ... Done."));
    }

    void existingSetupIsAskedForWithoutChanges()
    {
        writeBytes(out("setup.php"), "old");
        DBPtr db = minimalProject();
        RecordingHost host;
        host.skip();
        generate(*db, host);
        QCOMPARE(host.questions.size(), 1);
        QCOMPARE(host.questions.first().main, QStringLiteral("The file 'setup.php' already exists."));
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ... Skipped."));
    }

    // A setup.php that could not be written keeps the pending changes for
    // the next run.
    void failedWriteKeepsPendingChanges()
    {
        writeBytes(out("setup.php"), "old");
        QFile::setPermissions(out("setup.php"), QFile::ReadOwner | QFile::ReadGroup);
        DBPtr db = shopProject();
        const QString alter = db->Tables.Item(2)->AlterSQL;
        RecordingHost host;
        generate(*db, host, Overwrite::SkipAll);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ... Failed."));
        QCOMPARE(readBytes(out("setup.php")), QByteArray("old"));
        QCOMPARE(db->Tables.Item(2)->AlterSQL, alter);
        QCOMPARE(db->Tables.Item(2)->pkChanged, true);
    }

    void folderErrors()
    {
        DBPtr db = shopProject();
        const QString alter = db->Tables.Item(2)->AlterSQL;
        RecordingHost host;
        generate(*db, host, Overwrite::Ask, out("no/such/folder"));
        QCOMPARE(host.errors, QStringList{"Error 76: Path not found"});
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ..."));
        QCOMPARE(db->Tables.Item(2)->AlterSQL, alter);
        QCOMPARE(db->Tables.Item(2)->pkChanged, true);
    }

    void columnErrorEndsTheProcedure()
    {
        DBPtr db = shopProject();
        db->Tables.Item(2)->Fields.Item(3)->pDataType = 99;
        RecordingHost host;
        generate(*db, host, Overwrite::SkipAll);
        QCOMPARE(host.errors, QStringList{"Error 9: Subscript out of range"});
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating setup.php ..."));
        QVERIFY(!QFileInfo::exists(out("setup.php")));
        QVERIFY(!db->Tables.Item(2)->AlterSQL.isEmpty());
    }

    // A changed key in a table that has no key field gets no ADD PRIMARY
    // KEY naming another table's field.
    void changedKeyWithoutKeyField()
    {
        DBPtr db = minimalProject();
        MyTable &t2 = *db->Tables.Add("Notes", "notes");
        t2.Fields.Add({.Name = "body", .Caption = "Body", .pDataType = Dt::Text});
        t2.AlterSQL = "ALTER TABLE `notes` DROP PRIMARY KEY;;";
        t2.pkChanged = true;
        RecordingHost host;
        generate(*db, host);
        QCOMPARE(setupCalls(readText(out("setup.php"))).last(),
                 QStringLiteral("setupTable(\"notes\", \"create table if not exists `notes` ( `body` TEXT )\", "
                                "array(\"ALTER TABLE `notes` DROP PRIMARY KEY\"));"));
    }

    // Defaults with backslashes, quotes and dollar signs reach MySQL exactly
    // as the column definition wrote them; posted connection values come
    // back unchanged from config.php and show escaped in the page.
    void generatedScriptUnderPhp()
    {
        DBPtr db = minimalProject();
        MyTable &t = *db->Tables.Item(1);
        MyField &odd = *t.Fields.Add({.Name = "odd", .Caption = "Odd", .pDataType = Dt::VarChar, .pLength = 30,
                                      .pDefault = QStringLiteral("a\\b'c\"d$e {$x}")});
        t.AlterSQL = "ALTER TABLE `items` ADD `odd` VARCHAR(30) default 'it\\'s $5 \\\\' ;;";
        RecordingHost host;
        generate(*db, host);
        const QString expectedCreate = "create table if not exists `items` ( `id` INT(11) not null auto_increment , "
                                       "primary key (`id`), `title` VARCHAR(50) , `odd` "
                                       + ColumnDefinition(odd, false) + ")";

        QProcess lint;
        lint.start(QStringLiteral(PHP_EXECUTABLE), {"-l", out("setup.php")});
        QVERIFY(lint.waitForFinished(30000));
        QVERIFY2(lint.exitCode() == 0, lint.readAllStandardOutput().constData());

        // First call: nothing posted, the form is shown without an error line.
        PhpRun first = runSetup(out(), posted("", "", "", ""), {{"CONNECT_FAILS", "1"}});
        QCOMPARE(first.exitCode, 0);
        QVERIFY(first.output.contains("name=\"dbServer\""));
        QVERIFY(!first.output.contains("color: red;"));
        QVERIFY(!QFileInfo::exists(out("config.php")));

        // Values posted as arrays count as empty.
        const QJsonObject arrays{{"dbServer", QJsonArray{"h"}}, {"dbUsername", QJsonArray{}},
                                 {"dbPassword", QJsonObject{{"a", "b"}}}, {"dbDatabase", QJsonArray{"d"}}};
        PhpRun arrayRun = runSetup(out(), arrays, {{"CONNECT_FAILS", "1"}});
        QCOMPARE(arrayRun.exitCode, 0);
        QVERIFY(arrayRun.output.contains("name=\"dbServer\""));
        QVERIFY(!arrayRun.output.contains("color: red;"));

        // A database name that cannot be created is echoed escaped.
        PhpRun bad = runSetup(out(), posted("db.host", "u", "p", "<b>x`y"), {{"FAIL_MATCHING", "create database"}});
        QVERIFY(bad.output.contains("&lt;b&gt;x`y"));
        QVERIFY(!bad.output.contains("<b>x`y"));
        QCOMPARE(bad.queries, QStringList{"create database `<b>x``y`"});

        // Tables missing: created with the exact statement; values with
        // \ " $ survive config.php.
        const QString password = QStringLiteral("p\"a$s\\s'{$w}");
        PhpRun ok = runSetup(out(), posted("db.host", "us$er", password, "shop"));
        QCOMPARE(ok.exitCode, 0);
        QCOMPARE(ok.queries, QStringList({"create database `shop`", "select count(1) from `items`", expectedCreate}));
        QVERIFY(QFileInfo::exists(out("setup.md5")));
        QProcess cfg;
        cfg.setWorkingDirectory(out());
        cfg.start(QStringLiteral(PHP_EXECUTABLE),
                  {"-n", "-r", "include 'config.php'; echo json_encode(array($dbServer, $dbUsername, $dbPassword, "
                               "$dbDatabase));"});
        QVERIFY(cfg.waitForFinished(30000));
        QCOMPARE(QJsonDocument::fromJson(cfg.readAllStandardOutput()).array(),
                 QJsonArray({"db.host", "us$er", password, "shop"}));

        // Without the digest (a regenerated setup.php, a set-up stopped
        // half-way) other connection data change nothing; the same data go on.
        const QByteArray config = readBytes(out("config.php"));
        QVERIFY(QFile::remove(out("setup.md5")));
        for (const QJsonObject &other : {posted("evil.host", "us$er", password, "shop"), posted("db.host", "us$er", password, "other"),
                                         posted("db.host", "us$er", "", "shop"), posted("db.host", "us$er", password, "shop ")}) {
            PhpRun taken = runSetup(out(), other);
            QCOMPARE(taken.exitCode, 0);
            QVERIFY2(taken.output.contains("The connection data differ from those in config.php. To change them, delete "
                                           "config.php on the server and run the set-up again."),
                     qPrintable(taken.output));
            QVERIFY(taken.queries.isEmpty());
            QCOMPARE(readBytes(out("config.php")), config);
            QVERIFY(!QFileInfo::exists(out("setup.md5")));
        }
        PhpRun same = runSetup(out(), posted("db.host", "us$er", password, "shop"));
        QCOMPARE(same.queries, QStringList({"create database `shop`", "select count(1) from `items`", expectedCreate}));
        QCOMPARE(readBytes(out("config.php")), config);
        QVERIFY(QFileInfo::exists(out("setup.md5")));

        // Run-once guard: the digest matches, nothing is touched.
        PhpRun again = runSetup(out(), posted("db.host", "u", "p", "shop"));
        QVERIFY(again.queries.isEmpty());
        QVERIFY(again.output.contains("Set-up was already performed on"));
    }

    void pendingStatementsUnderPhp()
    {
        DBPtr db = minimalProject();
        MyTable &t = *db->Tables.Item(1);
        t.AlterSQL = "ALTER TABLE `items` ADD `c` VARCHAR(9) default 'it\\'s $5 \\\\' ;;ALTER TABLE `items` DROP `d`;;";
        RecordingHost host;
        generate(*db, host);

        // One statement fails: reported, the next one still runs, and the
        // digest is not written so that the set-up can be repeated.
        PhpRun r = runSetup(out(), posted("h", "u", "p", "shop"), {{"DB_EXISTS", "1"}, {"TABLES_EXIST", "1"},
                                                                    {"FAIL_MATCHING", "DROP"}});
        QCOMPARE(r.queries, QStringList({"select count(1) from `items`",
                                         "ALTER TABLE `items` ADD `c` VARCHAR(9) default 'it\\'s $5 \\\\' ",
                                         "ALTER TABLE `items` DROP `d`"}));
        QVERIFY(r.output.contains("Table 'items' exists and holds 7 records."));
        QVERIFY(r.output.contains("<font color=red>Failed</font><br><font color=red>MySQL said: stub error</font>"));
        QVERIFY(r.output.contains("<font color=green>OK</font>"));
        QVERIFY(!QFileInfo::exists(out("setup.md5")));

        PhpRun fine = runSetup(out(), posted("h", "u", "p", "shop"), {{"DB_EXISTS", "1"}, {"TABLES_EXIST", "1"}});
        QCOMPARE(fine.queries.size(), 3);
        QVERIFY(QFileInfo::exists(out("setup.md5")));
    }
};

QTEST_GUILESS_MAIN(TestSetupScript)
#include "tst_setupscript.moc"
