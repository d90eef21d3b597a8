// Writing of XML project files: the exact bytes, the text forms and escapes,
// a full write and read round trip, and saves that fail.
#include "projectdump.h"

#include "converter/projectwriter.h"
#include "model/xmlreader.h"
#include "platform/runtimeerror.h"
#include "platform/scriptedui.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace tess;
using namespace tess::testing;

namespace {

const QByteArray smallProject =
    "<database><databaseName>shop</databaseName><databaseUser>u</databaseUser>"
    "<databasePassword>p&amp;w</databasePassword><databaseServer>localhost</databaseServer>"
    "<hideNavMenu>True</hideNavMenu><styleSheetFile/><scrollStyle>1</scrollStyle>"
    "<dateFormat>3</dateFormat><dateSeparator/>"
    "<table><name>orders</name><allowInsert>True</allowInsert><allowUpdate>True</allowUpdate>"
    "<allowCSV>False</allowCSV><allowDelete>True</allowDelete><allowFilters>True</allowFilters>"
    "<allowPrint>True</allowPrint><allowSavingFilters>False</allowSavingFilters>"
    "<allowSelection>True</allowSelection><allowSorting>True</allowSorting><caption>Orders</caption>"
    "<detailViewLabel>Detail View</detailViewLabel><hideTableView>False</hideTableView>"
    "<quickSearch>3</quickSearch><recordsPerPage>10</recordsPerPage><redirectAfterInsert/>"
    "<filterCount>10</filterCount>"
    "<field><caption>ID</caption><name>id</name><dataType>4</dataType><length>11</length>"
    "<precision>0</precision><autoIncrement>True</autoIncrement><binary>False</binary>"
    "<notNull>True</notNull><primaryKey>True</primaryKey><unique>False</unique>"
    "<unsigned>True</unsigned><zeroFill>False</zeroFill><default/><columnWidth>-1</columnWidth>"
    "<maxLengthInTableView>0</maxLengthInTableView><allowImageUpload>False</allowImageUpload>"
    "<tableImage>False</tableImage><detailImage>False</detailImage><tableLink>False</tableLink>"
    "<detailLink>False</detailLink><maxUploadSize>0</maxUploadSize>"
    "<allowedFileTypes>jpg|jpeg|gif|png</allowedFileTypes><deleteFiles>False</deleteFiles>"
    "<noFileRename>False</noFileRename><parentCaptionField/><parentIDField/><parentTable/>"
    "<CSValueList/><CSValueListType>0</CSValueListType><hidden>False</hidden>"
    "<hideInDetailView>False</hideInDetailView><notFiltered>False</notFiltered>"
    "<readOnly>False</readOnly><index>1</index><textarea>False</textarea></field>"
    "</table></database>";

void fillSmallProject(MyDB &db)
{
    ResetProject(db);
    db.DBName = "shop";
    db.UserName = "u";
    db.Password = "p&w";
    db.HideNavMenu = true;
    db.ScrollStyle = 1;
    db.DateFormat = 3;
    db.DateSeparator = Variant();
    MyTable &t = *db.Tables.Add("Orders", "orders");
    MyField &f = *t.Fields.Add({}, {}, {}, {}, "ID", "id", true, false, 4, 11, 0, {}, false, true, true, true, false);
    f.Index = 1;
    f.ColumnWidth = -1;
}

// A text that exercises the file's encoding: non-ASCII from three planes,
// line ends of every kind, markup characters, tabs and outer blanks.
QString awkward(const QString &tag)
{
    return tag + QString::fromUtf8(" \xc3\xa9\xe2\x82\xac\xe6\xbc\xa2\xf0\x9d\x84\x9e")
           + "\r\n<b>&amp;\"'\r\t>\n ";
}

void fillFullProject(MyDB &db)
{
    ResetProject(db);
    db.DBName = awkward("db");
    db.UserName = awkward("user");
    db.Password = awkward("pw");
    db.Server = awkward("srv");
    db.DBType = "MySQL"; // not part of the file
    db.HideNavMenu = true;
    db.StyleSheetFile = awkward("C:\\styles\\a.tzs");
    db.ScrollStyle = -1;
    db.DateFormat = 2;
    db.DateSeparator = Variant("5");
    for (int ti = 1; ti <= 2; ++ti) {
        MyTable &t = *db.Tables.Add(awkward("cap"), QStringLiteral("table%1").arg(ti));
        t.AllowSelection = false;
        t.AllowUpdate = false;
        t.AllowInsert = false;
        t.AllowDelete = false;
        t.AllowPrint = false;
        t.AllowSorting = false;
        t.AllowFilters = false;
        t.AllowSavingFilters = true;
        t.FilterCount = 32767;
        t.RecordsPerPage = -32768;
        t.HideTableView = true;
        t.DetailViewLabel = awkward("label");
        t.QuickSearch = 2;
        t.AllowCSV = true;
        t.RedirectAfterInsert = awkward("redirect");
        t.AlterSQL = "ALTER TABLE `x` ADD `y` INT;;"; // not part of the file
        t.pkChanged = true;                         // not part of the file
        for (int fi = 1; fi <= 3; ++fi) {
            MyField &f = *t.Fields.Add(awkward("a;;b"), awkward("pcf"), awkward("pid"), awkward("pt"), awkward("fc"),
                                       QStringLiteral("f%1").arg(fi), true, true, 23, 255, 30, awkward("def"), true,
                                       true, true, true, true);
            f.Index = qint16(fi);
            f.CSValueListType = 2;
            f.ColumnWidth = 150;
            f.pHidden = true;
            f.pNotFiltered = true;
            f.pTableImage = true;
            f.pDetailImage = true;
            f.pTableLink = true;
            f.pDetailLink = true;
            f.pAllowImageUpload = true;
            f.pUploadFileTypes = awkward("pdf|doc");
            f.pMaxUploadSize = 2147483647;
            f.pHideInDetailView = true;
            f.pReadOnly = true;
            f.pNumChars = -7;
            f.pDeleteFiles = true;
            f.pNoFileRename = true;
            f.pTextarea = true;
        }
    }
    // A table without fields, and a field whose texts are all empty but one
    // that holds only a blank.
    db.Tables.Add({}, {});
    MyField &bare = *db.Tables.Item(2)->Fields.Add({}, {}, {}, {}, {}, {}, false, false, 0, 0, 0, " ", false, false,
                                                     false, false, false);
    bare.pUploadFileTypes.clear();
}

// The element named name in bytes, start and end tag included.
QByteArray element(const QByteArray &bytes, const QByteArray &name)
{
    const qsizetype start = bytes.indexOf("<" + name + ">");
    if (start < 0) {
        const qsizetype empty = bytes.indexOf("<" + name + "/>");
        return empty < 0 ? QByteArray() : bytes.mid(empty, name.size() + 3);
    }
    const QByteArray end = "</" + name + ">";
    return bytes.mid(start, bytes.indexOf(end, start) + end.size() - start);
}

// Throws when asked to let windows repaint for the n-th time, as an error
// raised by whatever runs in the message loop during a save would.
class FailingUi final : public UiServices {
public:
    int failAt = 1;
    int calls = 0;
    FailingUi() { setUi(this); }
    ~FailingUi() override { setUi(nullptr); }
    int messageBox(const QString &, int, const QString &) override { return Answer::Ok; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override
    {
        if (++calls == failAt)
            throw RuntimeError(Err::OutOfMemory);
    }
};

// Ends the process with SIGKILL when asked to let windows repaint for the
// n-th time: a save killed half-way.
class KillingUi final : public UiServices {
public:
    int killAt = 1;
    int calls = 0;
    KillingUi() { setUi(this); }
    ~KillingUi() override { setUi(nullptr); }
    int messageBox(const QString &, int, const QString &) override { return Answer::Ok; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
    bool openExternal(const QString &) override { return false; }
    void processEvents() override
    {
        if (++calls == killAt)
            ::kill(::getpid(), SIGKILL);
    }
};

// A project whose file is several times the writer's buffer, so that a
// kill at its last field comes after parts of it went to the file.
void fillLargeProject(MyDB &db)
{
    ResetProject(db);
    for (int t = 1; t <= 40; ++t) {
        MyTable &table = *db.Tables.Add("c", QStringLiteral("t%1").arg(t));
        for (int f = 1; f <= 100; ++f)
            table.Fields.Add({}, {}, {}, {}, QString(200, QChar('c')), QStringLiteral("f%1").arg(f), false, false, 4,
                             0, 0, {}, false, false, false, false, false);
    }
}

const char killTargetVariable[] = "TESSARON_WRITER_KILL_TARGET";

// The child process of killedSaveKeepsOldFile.
int saveAndGetKilled(const QString &path)
{
    MyDB db;
    fillLargeProject(db);
    KillingUi ui;
    ui.killAt = 40 * 100;
    WriteXmlProject(path, db);
    return 0; // not reached
}

} // namespace

class TestWriter : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    QString newPath() { return m_dir.filePath(QStringLiteral("w%1.tzx").arg(++m_count)); }

private slots:
    void exactBytes();
    void projectWithoutTables();
    void tableWithoutFields();
    void textForms_data();
    void textForms();
    void escaping_data();
    void escaping();
    void roundTrip();
    void replacesExistingFile();
    void yieldsOncePerField();
    void failedSave_data();
    void failedSave();
    void interruptedSaveKeepsOldFile();
    void killedSaveKeepsOldFile();
};

void TestWriter::exactBytes()
{
    ScriptedUi ui;
    MyDB db;
    fillSmallProject(db);
    const QString path = newPath();
    QCOMPARE(WriteXmlProject(path, db), true);
    QCOMPARE(fileBytes(path), smallProject);
}

void TestWriter::projectWithoutTables()
{
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    db.DateFormat = Variant();
    const QString path = newPath();
    QVERIFY(WriteXmlProject(path, db));
    QCOMPARE(fileBytes(path),
             QByteArray("<database><databaseName>new_db</databaseName><databaseUser/><databasePassword/>"
                        "<databaseServer>localhost</databaseServer><hideNavMenu>False</hideNavMenu>"
                        "<styleSheetFile/><scrollStyle>0</scrollStyle><dateFormat/>"
                        "<dateSeparator>4</dateSeparator></database>"));
    // Such a file reads back as the project it was, the empty date format
    // as the number 0.
    MyDB back;
    QVERIFY(ReadXmlProject(path, back));
    QCOMPARE(ui.messages(), QStringList());
    db.DateFormat = Variant(0);
    db.DateSeparator = Variant(QStringLiteral("4"));
    QCOMPARE(dump(back), dump(db));
}

void TestWriter::tableWithoutFields()
{
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    db.Tables.Add("c", "t");
    const QString path = newPath();
    QVERIFY(WriteXmlProject(path, db));
    const QByteArray bytes = fileBytes(path);
    QVERIFY(bytes.endsWith("<filterCount>10</filterCount></table></database>"));
    QCOMPARE(bytes.count("<table>"), 1);
    QVERIFY(!bytes.contains("<field>"));
}

void TestWriter::textForms_data()
{
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("true") << QByteArray("<hideNavMenu>True</hideNavMenu>");
    QTest::newRow("-1") << QByteArray("<scrollStyle>-1</scrollStyle>");
    QTest::newRow("number in a variant") << QByteArray("<dateFormat>3</dateFormat>");
    QTest::newRow("text in a variant") << QByteArray("<dateSeparator>2</dateSeparator>");
    QTest::newRow("empty text") << QByteArray("<databaseUser/>");
    QTest::newRow("int16 minimum") << QByteArray("<recordsPerPage>-32768</recordsPerPage>");
    QTest::newRow("int32 maximum") << QByteArray("<maxUploadSize>2147483647</maxUploadSize>");
    QTest::newRow("int32 minimum") << QByteArray("<dataType>-2147483648</dataType>");
    QTest::newRow("false") << QByteArray("<allowInsert>False</allowInsert>");
}

void TestWriter::textForms()
{
    QFETCH(QByteArray, expected);
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    db.HideNavMenu = true;
    db.ScrollStyle = -1;
    db.DateFormat = 3;
    db.DateSeparator = Variant("2");
    MyTable &t = *db.Tables.Add("c", "t");
    t.AllowInsert = false;
    t.RecordsPerPage = -32768;
    MyField &f = *t.Fields.Add({}, {}, {}, {}, "c", "n", false, false, 4, 0, 0, {}, false, false, false, false, false);
    f.pMaxUploadSize = 2147483647;
    f.pDataType = -2147483647 - 1;
    const QString path = newPath();
    QVERIFY(WriteXmlProject(path, db));
    const QByteArray bytes = fileBytes(path);
    QVERIFY2(bytes.contains(expected), bytes.constData());
}

void TestWriter::escaping_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("readBack"); // empty: the value itself
    const QString replaced(QChar(0xFFFD));
    QTest::newRow("markup") << "<a href=\"x\">&'</a>"
                            << QByteArray("<databaseName>&lt;a href=\"x\"&gt;&amp;'&lt;/a&gt;</databaseName>") << "";
    QTest::newRow("CR LF") << "a\r\nb" << QByteArray("<databaseName>a&#13;\nb</databaseName>") << "";
    QTest::newRow("lone CR and LF") << "\ra\n" << QByteArray("<databaseName>&#13;a\n</databaseName>") << "";
    QTest::newRow("tab") << "a\tb" << QByteArray("<databaseName>a\tb</databaseName>") << "";
    // XML has no form for these, neither written out nor by reference.
    QTest::newRow("control character") << QString(QChar(1))
                                       << QByteArray("<databaseName>\xef\xbf\xbd</databaseName>") << replaced;
    QTest::newRow("NUL") << QString("a") + QChar(0) + "b"
                         << QByteArray("<databaseName>a\xef\xbf\xbd" "b</databaseName>") << "a" + replaced + "b";
    QTest::newRow("U+FFFE and U+FFFF") << QString(QChar(0xFFFE)) + QChar(0xFFFF)
                                       << QByteArray("<databaseName>\xef\xbf\xbd\xef\xbf\xbd</databaseName>")
                                       << replaced + replaced;
    QTest::newRow("non-ASCII") << QString::fromUtf8("\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e")
                               << QByteArray("<databaseName>\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e</databaseName>") << "";
    QTest::newRow("lone surrogate") << QString(QChar(0xD800))
                                    << QByteArray("<databaseName>\xef\xbf\xbd</databaseName>") << replaced;
    QTest::newRow("entity-like text") << "&amp;" << QByteArray("<databaseName>&amp;amp;</databaseName>") << "";
}

// Every text is written so that the reader opens the file and reads it
// back.
void TestWriter::escaping()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    QFETCH(QString, readBack);
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    db.DBName = value;
    db.Tables.Add("c", "t");
    const QString path = newPath();
    QVERIFY(WriteXmlProject(path, db));
    QCOMPARE(element(fileBytes(path), "databaseName"), expected);
    MyDB back;
    ResetProject(back);
    QVERIFY(ReadXmlProject(path, back));
    QCOMPARE(back.DBName, readBack.isEmpty() ? value : readBack);
}

void TestWriter::roundTrip()
{
    ScriptedUi ui;
    MyDB db;
    fillFullProject(db);
    const QString path = newPath();
    QVERIFY(WriteXmlProject(path, db));

    // What the file cannot carry comes back as a fresh project has it.
    MyDB expected;
    fillFullProject(expected);
    expected.DBType.clear();
    expected.DateFormat = Variant("2"); // date settings come back as text
    for (const TablePtr &t : expected.Tables) {
        t->AlterSQL.clear();
        t->pkChanged = false;
    }

    MyDB back;
    ResetProject(back);
    QVERIFY(ReadXmlProject(path, back));
    QCOMPARE(ui.messages(), QStringList());
    QCOMPARE(dump(back), dump(expected));
    QCOMPARE(back.Tables.Count(), 3);
    QCOMPARE(back.Tables.Item(1)->Fields.Count(), 3);
    QCOMPARE(back.Tables.Item(2)->Fields.Count(), 4);
    QCOMPARE(back.Tables.Item(3)->Fields.Count(), 0);

    // Written again, the read-back project gives the same bytes.
    const QString again = newPath();
    QVERIFY(WriteXmlProject(again, back));
    QCOMPARE(fileBytes(again), fileBytes(path));
}

void TestWriter::replacesExistingFile()
{
    ScriptedUi ui;
    MyDB db;
    fillSmallProject(db);
    QTemporaryDir dir;
    const QString path = dir.filePath("p.tzx");
    QVERIFY(writeBytes(path, QByteArray(100000, 'x')));
    QVERIFY(WriteXmlProject(path, db));
    QCOMPARE(fileBytes(path), smallProject);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.tzx"});
}

void TestWriter::yieldsOncePerField()
{
    ScriptedUi ui;
    MyDB db;
    fillFullProject(db); // 3 + 4 + 0 fields
    QVERIFY(WriteXmlProject(newPath(), db));
    QCOMPARE(ui.processEventsCalls, 7);
}

void TestWriter::failedSave_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("read-only file") << "read-only" << int(Err::PermissionDenied);
    QTest::newRow("folder missing") << "no folder" << int(Err::PathNotFound);
    QTest::newRow("name of a folder") << "folder" << int(Err::PathFileAccess);
    QTest::newRow("empty name") << "empty" << int(Err::BadFileName);
}

void TestWriter::failedSave()
{
    QFETCH(QString, kind);
    QFETCH(int, error);
    ScriptedUi ui;
    MyDB db;
    fillSmallProject(db);
    QTemporaryDir dir;
    const QByteArray old = "<database>old</database>";
    QString path = dir.filePath("p.tzx");
    QVERIFY(writeBytes(path, old));
    if (kind == "read-only") {
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    } else if (kind == "no folder") {
        path = dir.filePath("missing/p.tzx");
    } else if (kind == "folder") {
        path = dir.filePath("sub");
        QVERIFY(QDir(dir.path()).mkdir("sub"));
    } else {
        path.clear();
    }
    try {
        WriteXmlProject(path, db);
        QFAIL("the failed save was not raised");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), error);
    }
    QCOMPARE(fileBytes(dir.filePath("p.tzx")), old);
    QStringList expectedEntries{"p.tzx"};
    if (kind == "folder")
        expectedEntries.append("sub");
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), expectedEntries);
    QFile::setPermissions(dir.filePath("p.tzx"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestWriter::interruptedSaveKeepsOldFile()
{
    FailingUi ui;
    ui.failAt = 5;
    MyDB db;
    fillFullProject(db);
    QTemporaryDir dir;
    const QString path = dir.filePath("p.tzx");
    QVERIFY(writeBytes(path, smallProject));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, WriteXmlProject(path, db));
    QCOMPARE(fileBytes(path), smallProject);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.tzx"});
}

void TestWriter::killedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.tzx");
    QVERIFY(writeBytes(path, smallProject));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(killTargetVariable, path);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(fileBytes(path), smallProject);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(killTargetVariable))
        return saveAndGetKilled(qEnvironmentVariable(killTargetVariable));
    QCoreApplication app(argc, argv);
    TestWriter test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_writer.moc"
