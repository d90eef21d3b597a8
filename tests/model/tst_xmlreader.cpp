// Reading of XML project files: conversions of every setting, the two
// refusals, the errors that rise, and the node rules of each level.
#include "../converter/projectdump.h"

#include "model/xmlreader.h"
#include "platform/runtimeerror.h"
#include "platform/scriptedui.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tess;
using namespace tess::testing;

namespace {

const QString loadFailed = QStringLiteral("Errors while loading the document. Invalid file format");
const QString noTables = QStringLiteral("No tables found in the project file. The file format may be invalid.");

QByteArray project(const QByteArray &dbChildren, const QByteArray &tableChildren = "<name>t</name>")
{
    return "<database>" + dbChildren + "<table>" + tableChildren + "</table></database>";
}

QByteArray fieldProject(const QByteArray &fieldChildren)
{
    return project({}, "<name>t</name><field><name>f</name>" + fieldChildren + "</field>");
}

// The field a field element with only <name>f</name> and placeholders yields.
Members placeholderField()
{
    MyFields fields;
    MyField &f = *fields.Add({}, {}, {}, {}, "caption", "name", false, false, 4, 0, 0, {}, false, false, false,
                             false, false);
    f.Name = "f";
    return members(f);
}

Members placeholderTable()
{
    MyTables tables;
    return members(*tables.Add("newTable", "tableName"));
}

Members resetDatabase()
{
    MyDB db;
    ResetProject(db);
    return members(db);
}

// Every database setting, as the writer puts them, none at its default.
const QByteArray kAllSettings = "<databaseName>shop</databaseName><databaseUser>admin</databaseUser>"
                                "<databasePassword>s&amp;cret</databasePassword>"
                                "<databaseServer>db.local</databaseServer><hideNavMenu>True</hideNavMenu>"
                                "<styleSheetFile>/p/shop.tzs</styleSheetFile><scrollStyle>1</scrollStyle>"
                                "<dateFormat>2</dateFormat><dateSeparator>5</dateSeparator>";

// Keeps the address space of the process within the given number of bytes
// beyond what it uses now, while it lives.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(qint64 more)
    {
        ::getrlimit(RLIMIT_AS, &m_saved);
        QFile statm(QStringLiteral("/proc/self/statm"));
        const qint64 pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(0).toLongLong() : 0;
        struct rlimit l = m_saved;
        l.rlim_cur = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + more);
        ::setrlimit(RLIMIT_AS, &l);
    }
    ~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &m_saved); }

private:
    struct rlimit m_saved;
};

} // namespace

class TestXmlReader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;

    // Writes bytes to a new file and reads it into db (reset first).
    bool read(const QByteArray &bytes, MyDB &db)
    {
        const QString path = m_dir.filePath(QStringLiteral("p%1.tzx").arg(++m_count));
        if (!writeBytes(path, bytes))
            qFatal("cannot write fixture");
        ResetProject(db);
        return ReadXmlProject(path, db);
    }

private slots:
    void databaseSettings_data();
    void databaseSettings();
    void tableSettings_data();
    void tableSettings();
    void fieldSettings_data();
    void fieldSettings();
    void refusals_data();
    void refusals();
    void folderIsRefused();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
    void outOfMemoryIsRefused();
    void deepNesting_data();
    void deepNesting();
    void otherEncodings_data();
    void otherEncodings();
    void acceptedDocumentForms_data();
    void acceptedDocumentForms();
    void noTablesKeepsDatabaseSettings();
    void projectWithoutTables_data();
    void projectWithoutTables();
    void errors_data();
    void errors();
    void errorKeepsWhatWasRead();
    void rootNameNotCompared();
    void placeholders();
    void fieldNodeRules_data();
    void fieldNodeRules();
    void documentOrder();
    void lineEndsInValuesSurvive();
    void yieldsAfterTableAndFieldChildren();
};

// ---------------------------------------------------------------------------
// Conversions. Each row sets one member; every other member must keep its
// value from before the read.

void TestXmlReader::databaseSettings_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name") << QByteArray("<databaseName>shop</databaseName>") << "DBName" << "shop";
    QTest::newRow("name non-ASCII") << QByteArray("<databaseName>B\xc3\xbc" "cher \xe2\x82\xac</databaseName>")
                                    << "DBName" << QString::fromUtf8("B\xc3\xbc" "cher \xe2\x82\xac");
    QTest::newRow("name markup") << QByteArray("<databaseName>&lt;a&amp;b&gt;\"'</databaseName>") << "DBName"
                                 << "<a&b>\"'";
    QTest::newRow("name cdata") << QByteArray("<databaseName><![CDATA[a<b]]></databaseName>") << "DBName"
                                << "a<b";
    QTest::newRow("name empty") << QByteArray("<databaseName/>") << "DBName" << "";
    QTest::newRow("name character references")
        << QByteArray("<databaseName>&#9;&#10;&#13;&#x20;&#65;&#x42;&#xd7ff;&#xE000;&#xFFFD;&#x10000;&#x10FFFF;"
                      "&#233;</databaseName>")
        << "DBName"
        << (QString("\t\n\r AB") + QChar(0xD7FF) + QChar(0xE000) + QChar(0xFFFD) + QString::fromUcs4(U"\U00010000")
            + QString::fromUcs4(U"\U0010FFFF") + QString::fromUtf8("\xc3\xa9"));
    QTest::newRow("name character and entity references")
        << QByteArray("<databaseName>&lt;&#65;&amp;&quot;&apos;&gt;</databaseName>") << "DBName" << "<A&\"'>";
    // What starts no reference stays as it stands, with character
    // references elsewhere in the file or without.
    QTest::newRow("name no references") << QByteArray("<databaseName>&#65 &#x; &#; &#X41; &#x4g; &amp &am; a&</databaseName>")
                                        << "DBName" << "&#65 &#x; &#; &#X41; &#x4g; &amp &am; a&";
    QTest::newRow("name no references beside one")
        << QByteArray("<databaseName>&#65;&#65 &#x; &#; &#X41; &#x4g; &amp &am; a&</databaseName>") << "DBName"
        << "A&#65 &#x; &#; &#X41; &#x4g; &amp &am; a&";
    QTest::newRow("name cdata holds no reference") << QByteArray("<databaseName><![CDATA[&#0;]]></databaseName>")
                                                   << "DBName" << "&#0;";
    QTest::newRow("comment holds no reference") << QByteArray("<!--&#0;--><databaseName>&#65;</databaseName>")
                                                << "DBName" << "A";
    QTest::newRow("name twice, later wins")
        << QByteArray("<databaseName>a</databaseName><databaseName>b</databaseName>") << "DBName" << "b";
    QTest::newRow("name after the table") << QByteArray("<table><name>t</name></table><databaseName>late</databaseName>")
                                          << "DBName" << "late";
    QTest::newRow("two nodes are skipped") << QByteArray("<databaseName>x<!--c--></databaseName>") << "DBName"
                                           << "new_db";
    QTest::newRow("letter case differs") << QByteArray("<DatabaseName>x</DatabaseName>") << "DBName" << "new_db";
    QTest::newRow("user") << QByteArray("<databaseUser>root</databaseUser>") << "UserName" << "root";
    QTest::newRow("password") << QByteArray("<databasePassword>s3 cr&amp;t</databasePassword>") << "Password"
                              << "s3 cr&t";
    QTest::newRow("server") << QByteArray("<databaseServer>db.local</databaseServer>") << "Server" << "db.local";
    QTest::newRow("style file") << QByteArray("<styleSheetFile>/a/b.tzs</styleSheetFile>") << "StyleSheetFile"
                                << "/a/b.tzs";
    QTest::newRow("style file empty") << QByteArray("<styleSheetFile></styleSheetFile>") << "StyleSheetFile" << "";

    QTest::newRow("flag True") << QByteArray("<hideNavMenu>True</hideNavMenu>") << "HideNavMenu" << "True";
    QTest::newRow("flag true") << QByteArray("<hideNavMenu>true</hideNavMenu>") << "HideNavMenu" << "True";
    QTest::newRow("flag TRUE") << QByteArray("<hideNavMenu>TRUE</hideNavMenu>") << "HideNavMenu" << "True";
    QTest::newRow("flag -1") << QByteArray("<hideNavMenu>-1</hideNavMenu>") << "HideNavMenu" << "True";
    QTest::newRow("flag 2.5") << QByteArray("<hideNavMenu>2.5</hideNavMenu>") << "HideNavMenu" << "True";
    QTest::newRow("flag 0") << QByteArray("<hideNavMenu>True</hideNavMenu><hideNavMenu>0</hideNavMenu>")
                            << "HideNavMenu" << "False";
    QTest::newRow("flag fAlSe") << QByteArray("<hideNavMenu>True</hideNavMenu><hideNavMenu>fAlSe</hideNavMenu>")
                                << "HideNavMenu" << "False";

    QTest::newRow("scroll empty") << QByteArray("<scrollStyle>1</scrollStyle><scrollStyle/>") << "ScrollStyle" << "0";
    QTest::newRow("scroll 2") << QByteArray("<scrollStyle>2</scrollStyle>") << "ScrollStyle" << "2";
    QTest::newRow("scroll blanks") << QByteArray("<scrollStyle> 3 </scrollStyle>") << "ScrollStyle" << "3";
    QTest::newRow("scroll 2.5 to even") << QByteArray("<scrollStyle>2.5</scrollStyle>") << "ScrollStyle" << "2";
    QTest::newRow("scroll 3.5 to even") << QByteArray("<scrollStyle>3.5</scrollStyle>") << "ScrollStyle" << "4";
    QTest::newRow("scroll -1") << QByteArray("<scrollStyle>-1</scrollStyle>") << "ScrollStyle" << "-1";

    QTest::newRow("date format empty is number 0") << QByteArray("<dateFormat/>") << "DateFormat" << "#0";
    QTest::newRow("date format digit is text") << QByteArray("<dateFormat>2</dateFormat>") << "DateFormat" << "'2'";
    QTest::newRow("date format word is text") << QByteArray("<dateFormat>abc</dateFormat>") << "DateFormat"
                                              << "'abc'";
    QTest::newRow("date separator empty is number 0") << QByteArray("<dateSeparator></dateSeparator>")
                                                      << "DateSeparator" << "#0";
    QTest::newRow("date separator digit is text") << QByteArray("<dateSeparator>5</dateSeparator>")
                                                  << "DateSeparator" << "'5'";
}

void TestXmlReader::databaseSettings()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, member);
    QFETCH(QString, expected);
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(project(xml), db));
    Members want = resetDatabase();
    QVERIFY(want.contains(member));
    want[member] = expected;
    QCOMPARE(members(db), want);
    QCOMPARE(ui.messages(), QStringList());
}

void TestXmlReader::tableSettings_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name") << QByteArray("<name>orders</name>") << "Name" << "orders";
    QTest::newRow("caption") << QByteArray("<caption>Orders &amp; more</caption>") << "Caption" << "Orders & more";
    QTest::newRow("caption text and comment") << QByteArray("<caption>a<!--x-->b</caption>") << "Caption" << "ab";
    QTest::newRow("caption nested element") << QByteArray("<caption>a<i>b</i><![CDATA[<c>]]></caption>") << "Caption"
                                            << "ab<c>";
    QTest::newRow("caption whitespace only") << QByteArray("<caption> </caption>") << "Caption" << " ";
    QTest::newRow("caption twice, later wins") << QByteArray("<caption>a</caption><caption>b</caption>") << "Caption"
                                               << "b";
    QTest::newRow("caption letter case differs") << QByteArray("<Caption>x</Caption>") << "Caption" << "newTable";
    QTest::newRow("detail label") << QByteArray("<detailViewLabel>Details</detailViewLabel>") << "DetailViewLabel"
                                  << "Details";
    QTest::newRow("redirect stays text") << QByteArray("<redirectAfterInsert>3</redirectAfterInsert>")
                                         << "RedirectAfterInsert" << "3";

    const char *flags[][2] = {{"allowInsert", "AllowInsert"},     {"allowUpdate", "AllowUpdate"},
                              {"allowCSV", "AllowCSV"},           {"allowDelete", "AllowDelete"},
                              {"allowFilters", "AllowFilters"},   {"allowPrint", "AllowPrint"},
                              {"allowSavingFilters", "AllowSavingFilters"},
                              {"allowSelection", "AllowSelection"}, {"allowSorting", "AllowSorting"},
                              {"hideTableView", "HideTableView"}};
    for (const auto &f : flags) {
        const QByteArray e(f[0]);
        // Each flag away from its placeholder value.
        const bool placeholderTrue = placeholderTable().value(f[1]) == "True";
        const QByteArray value = placeholderTrue ? "false" : "-1";
        QTest::addRow("%s", f[0]) << QByteArray("<" + e + ">" + value + "</" + e + ">") << f[1]
                                  << (placeholderTrue ? "False" : "True");
    }

    QTest::newRow("quick search") << QByteArray("<quickSearch>2</quickSearch>") << "QuickSearch" << "2";
    QTest::newRow("quick search 2.5") << QByteArray("<quickSearch>2.5</quickSearch>") << "QuickSearch" << "2";
    QTest::newRow("quick search exponent") << QByteArray("<quickSearch>1e1</quickSearch>") << "QuickSearch" << "10";
    QTest::newRow("records per page") << QByteArray("<recordsPerPage> 25 </recordsPerPage>") << "RecordsPerPage"
                                      << "25";
    QTest::newRow("records per page hex") << QByteArray("<recordsPerPage>&amp;H10</recordsPerPage>")
                                          << "RecordsPerPage" << "16";
    QTest::newRow("filter count 32767") << QByteArray("<filterCount>32767</filterCount>") << "FilterCount" << "32767";
    QTest::newRow("filter count -32768") << QByteArray("<filterCount>-32768</filterCount>") << "FilterCount"
                                         << "-32768";
    QTest::newRow("filter count 0.5") << QByteArray("<filterCount>0.5</filterCount>") << "FilterCount" << "0";
}

void TestXmlReader::tableSettings()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, member);
    QFETCH(QString, expected);
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(project({}, xml), db));
    QCOMPARE(db.Tables.Count(), 1);
    Members want = placeholderTable();
    QVERIFY(want.contains(member));
    want[member] = expected;
    QCOMPARE(members(*db.Tables.Item(1)), want);
    QCOMPARE(members(db), resetDatabase());
}

void TestXmlReader::fieldSettings_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("expected");

    const char *texts[][2] = {{"caption", "Caption"},
                              {"name", "Name"},
                              {"default", "pDefault"},
                              {"allowedFileTypes", "pUploadFileTypes"},
                              {"parentCaptionField", "ParentCaptionField"},
                              {"parentIDField", "ParentIDField"},
                              {"parentTable", "ParentTable"},
                              {"CSValueList", "CSValueList"}};
    for (const auto &t : texts) {
        const QByteArray e(t[0]);
        QTest::addRow("%s", t[0]) << QByteArray("<" + e + ">a;;&lt;b&gt;</" + e + ">") << t[1] << "a;;<b>";
    }
    QTest::newRow("default emptied") << QByteArray("<default>x</default><default/>") << "pDefault" << "";

    const char *flags[][2] = {{"autoIncrement", "pAutoIncrement"}, {"binary", "pBinary"},
                              {"notNull", "pNotNull"},             {"primaryKey", "pPrimaryKey"},
                              {"unique", "pUnique"},               {"unsigned", "pUnsigned"},
                              {"zeroFill", "pZeroFill"},           {"allowImageUpload", "pAllowImageUpload"},
                              {"tableImage", "pTableImage"},       {"detailImage", "pDetailImage"},
                              {"tableLink", "pTableLink"},         {"detailLink", "pDetailLink"},
                              {"deleteFiles", "pDeleteFiles"},     {"noFileRename", "pNoFileRename"},
                              {"hidden", "pHidden"},               {"hideInDetailView", "pHideInDetailView"},
                              {"notFiltered", "pNotFiltered"},     {"readOnly", "pReadOnly"},
                              {"textarea", "pTextarea"}};
    for (const auto &f : flags) {
        const QByteArray e(f[0]);
        QTest::addRow("%s", f[0]) << QByteArray("<" + e + ">True</" + e + ">") << f[1] << "True";
    }

    // Leading numbers: lenient, rounded half to even.
    QTest::newRow("width 150px") << QByteArray("<columnWidth>150px</columnWidth>") << "ColumnWidth" << "150";
    QTest::newRow("width abc") << QByteArray("<columnWidth>abc</columnWidth>") << "ColumnWidth" << "0";
    QTest::newRow("width empty") << QByteArray("<columnWidth/>") << "ColumnWidth" << "0";
    QTest::newRow("width 2.5") << QByteArray("<columnWidth>2.5</columnWidth>") << "ColumnWidth" << "2";
    QTest::newRow("width 3.5") << QByteArray("<columnWidth>3.5</columnWidth>") << "ColumnWidth" << "4";
    QTest::newRow("width -3") << QByteArray("<columnWidth>-3</columnWidth>") << "ColumnWidth" << "-3";
    QTest::newRow("width blanks inside") << QByteArray("<columnWidth> 1 2\t0 px</columnWidth>") << "ColumnWidth"
                                         << "120";
    QTest::newRow("width hex") << QByteArray("<columnWidth>&amp;H1F</columnWidth>") << "ColumnWidth" << "31";
    QTest::newRow("data type") << QByteArray("<dataType>15</dataType>") << "pDataType" << "15";
    QTest::newRow("data type 0") << QByteArray("<dataType>0</dataType>") << "pDataType" << "0";
    QTest::newRow("length") << QByteArray("<length>255</length>") << "pLength" << "255";
    QTest::newRow("precision") << QByteArray("<precision>2 digits</precision>") << "pPrecision" << "2";
    QTest::newRow("chars in table view") << QByteArray("<maxLengthInTableView>40</maxLengthInTableView>")
                                         << "pNumChars" << "40";
    QTest::newRow("upload size int32 max") << QByteArray("<maxUploadSize>2147483647</maxUploadSize>")
                                           << "pMaxUploadSize" << "2147483647";
    QTest::newRow("value list type 2") << QByteArray("<CSValueListType>2</CSValueListType>") << "CSValueListType"
                                       << "2";
    QTest::newRow("value list type 1.5") << QByteArray("<CSValueListType>1.5</CSValueListType>")
                                         << "CSValueListType" << "2";
    QTest::newRow("value list type 3") << QByteArray("<CSValueListType>3</CSValueListType>") << "CSValueListType"
                                       << "0";
    QTest::newRow("value list type -1") << QByteArray("<CSValueListType>-1</CSValueListType>")
                                        << "CSValueListType" << "0";
    QTest::newRow("index as read") << QByteArray("<index>7</index>") << "Index" << "7";
    QTest::newRow("index 0 as read") << QByteArray("<index>0</index>") << "Index" << "0";
}

void TestXmlReader::fieldSettings()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, member);
    QFETCH(QString, expected);
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(fieldProject(xml), db));
    QCOMPARE(db.Tables.Count(), 1);
    QCOMPARE(db.Tables.Item(1)->Fields.Count(), 1);
    Members want = placeholderField();
    QVERIFY(want.contains(member));
    want[member] = expected;
    QCOMPARE(members(*db.Tables.Item(1)->Fields.Item(1)), want);
}

// ---------------------------------------------------------------------------
// Refusals: a message box and false, nothing raised.

void TestXmlReader::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");

    const QByteArray good = project("<databaseName>x</databaseName>");
    QTest::newRow("missing file") << QByteArray() << false << loadFailed;
    QTest::newRow("empty file") << QByteArray() << true << loadFailed;
    QTest::newRow("only blanks") << QByteArray(" \r\n") << true << loadFailed;
    QTest::newRow("unclosed root") << QByteArray("<database><table><name>t</name></table>") << true << loadFailed;
    QTest::newRow("mismatched end tag") << QByteArray("<database><table></tabel></database>") << true << loadFailed;
    QTest::newRow("two root elements") << good + "<database/>" << true << loadFailed;
    QTest::newRow("text after the root") << good + "tail" << true << loadFailed;
    QTest::newRow("text before the root") << "head" + good << true << loadFailed;
    QTest::newRow("cdata outside the root") << good + "<![CDATA[x]]>" << true << loadFailed;
    QTest::newRow("declaration after a comment") << "<!--c--><?xml version=\"1.0\"?>" + good << true << loadFailed;
    QTest::newRow("blank before the declaration") << " <?xml version=\"1.0\"?>" + good << true << loadFailed;
    QTest::newRow("doctype after the root") << good + "<!DOCTYPE database>" << true << loadFailed;
    QTest::newRow("invalid UTF-8 byte") << project("<databaseName>\xff</databaseName>") << true << loadFailed;
    QTest::newRow("overlong UTF-8") << project("<databaseName>\xc0\xaf</databaseName>") << true << loadFailed;
    QTest::newRow("truncated UTF-8") << project("<databaseName>\xe2\x82</databaseName>") << true << loadFailed;
    QTest::newRow("UTF-8 surrogate") << project("<databaseName>\xed\xa0\x80</databaseName>") << true << loadFailed;
    QTest::newRow("NUL byte") << project(QByteArray("<databaseName>a\0b</databaseName>", 32)) << true << loadFailed;
    // Characters XML 1.0 does not allow, written out or by reference.
    const char *references[] = {"&#0;", "&#x0;", "&#00;", "&#1;", "&#x8;", "&#11;", "&#x1F;", "&#xD800;",
                                "&#xDFFF;", "&#xFFFE;", "&#65535;", "&#x110000;", "&#99999999999;",
                                "&#4294967361;"};
    for (const char *r : references) {
        QTest::addRow("reference %s", r) << project("<databaseName>kept" + QByteArray(r) + "lost</databaseName>")
                                         << true << loadFailed;
    }
    const struct {
        const char *name;
        const char *bytes;
    } characters[] = {{"U+0001", "\x01"}, {"U+000B", "\x0b"}, {"U+001F", "\x1f"}, {"U+FFFE", "\xef\xbf\xbe"},
                      {"U+FFFF", "\xef\xbf\xbf"}};
    for (const auto &c : characters) {
        QTest::addRow("character %s", c.name)
            << project("<databaseName>kept" + QByteArray(c.bytes) + "lost</databaseName>") << true << loadFailed;
    }
    QTest::newRow("forbidden reference in a field")
        << project({}, "<name>t</name><field><name>f</name><default>&#0;</default></field>") << true << loadFailed;
    QTest::newRow("forbidden reference in an attribute") << project("<databaseName a=\"&#1;\">x</databaseName>")
                                                         << true << loadFailed;
    QTest::newRow("control character in a comment") << project("<!--\x02-->") << true << loadFailed;
    QTest::newRow("control character in a name") << project("<a\x03/>") << true << loadFailed;
    QTest::newRow("root without tables") << QByteArray("<database><databaseName>x</databaseName></database>") << true
                                         << noTables;
    QTest::newRow("empty root") << QByteArray("<database/>") << true << noTables;
    QTest::newRow("tables only deeper") << QByteArray("<database><x><table><name>t</name></table><y/></x></database>")
                                        << true << noTables;
    QTest::newRow("processing instruction named table") << QByteArray("<database><?table x?></database>") << true
                                                        << noTables;
    // Short of a project without tables: every setting below a database element.
    QTest::newRow("every setting below another root") << "<project>" + kAllSettings + "</project>" << true
                                                      << noTables;
    QTest::newRow("one setting missing")
        << "<database>" + QByteArray(kAllSettings).replace("<scrollStyle>1</scrollStyle>", "") + "</database>" << true
        << noTables;
    QTest::newRow("one setting of two nodes")
        << "<database>" + QByteArray(kAllSettings).replace("<scrollStyle>1</scrollStyle>", "<scrollStyle>1<!--c--></scrollStyle>")
               + "</database>"
        << true << noTables;
}

void TestXmlReader::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    QFETCH(QString, message);
    ScriptedUi ui;
    MyDB db;
    bool result = true;
    if (exists) {
        result = read(bytes, db);
    } else {
        ResetProject(db);
        result = ReadXmlProject(m_dir.filePath("no such file.tzx"), db);
    }
    QCOMPARE(result, false);
    QCOMPARE(ui.messages(), QStringList{message});
    QCOMPARE(ui.shown.first().style, Mb::OkOnly | Mb::Critical);
    QCOMPARE(ui.shown.first().title, programTitle()); // no title of its own
    QCOMPARE(db.Tables.Count(), 0);
    if (message == loadFailed)
        QCOMPARE(members(db), resetDatabase());
}

void TestXmlReader::folderIsRefused()
{
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    QVERIFY(!ReadXmlProject(m_dir.path(), db));
    QCOMPARE(ui.messages(), QStringList{loadFailed});
}

// Nothing but a regular file is opened: a FIFO would wait for a writer and
// a device could be read for ever.
void TestXmlReader::onlyRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("endless device") << "/dev/zero";
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("link to a device") << "link";
}

void TestXmlReader::onlyRegularFilesAreRead()
{
    QFETCH(QString, kind);
    QString path = kind;
    if (kind == "fifo") {
        path = m_dir.filePath("fifo.tzx");
        QFile::remove(path);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "link") {
        path = m_dir.filePath("zero.tzx");
        QFile::remove(path);
        QVERIFY(QFile::link("/dev/zero", path));
    }
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    QVERIFY(!ReadXmlProject(path, db));
    QCOMPARE(ui.messages(), QStringList{loadFailed});
    QCOMPARE(members(db), resetDatabase());
}

// Memory running out while reading refuses the file like any other that
// cannot be loaded; nothing but the reader's message comes out of it.
void TestXmlReader::outOfMemoryIsRefused()
{
    const QString path = m_dir.filePath("large.tzx");
    constexpr qsizetype textSize = 64 << 20;
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<database><databaseName>");
        f.write(QByteArray(textSize, 'x'));
        f.write("</databaseName><table/></database>");
    }
    ScriptedUi ui;
    MyDB db;
    ResetProject(db);
    bool result = true;
    {
        // Room for the file and a little more, not for its text as a
        // string (two bytes a character).
        AddressSpaceLimit limit(textSize + (32 << 20));
        result = ReadXmlProject(path, db);
    }
    QVERIFY(!result);
    QCOMPARE(ui.messages(), QStringList{loadFailed});
}

// Elements nested deeper than any stack; their text is the setting's value.
void TestXmlReader::deepNesting_data()
{
    QTest::addColumn<QString>("level");
    QTest::newRow("database setting") << "database";
    QTest::newRow("table setting") << "table";
    QTest::newRow("field setting") << "field";
    QTest::newRow("unknown element") << "unknown";
}

void TestXmlReader::deepNesting()
{
    QFETCH(QString, level);
    constexpr int depth = 300000;
    const QByteArray nested = QByteArray("<a>").repeated(depth) + "deep" + QByteArray("</a>").repeated(depth);
    QByteArray bytes;
    if (level == "database")
        bytes = project("<databaseName>" + nested + "</databaseName>");
    else if (level == "table")
        bytes = project({}, "<caption>" + nested + "</caption>");
    else if (level == "field")
        bytes = fieldProject("<default>" + nested + "</default>");
    else
        bytes = project("<x>" + nested + "</x>");
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(bytes, db));
    QCOMPARE(ui.messages(), QStringList());
    if (level == "database")
        QCOMPARE(db.DBName, QString("deep"));
    else if (level == "table")
        QCOMPARE(db.Tables.Item(1)->Caption, QString("deep"));
    else if (level == "field")
        QCOMPARE(db.Tables.Item(1)->Fields.Item(1)->pDefault, QString("deep"));
    else
        QCOMPARE(members(db), resetDatabase());
}

// Encodings other than UTF-8 are read, and checked the same way.
void TestXmlReader::otherEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("name");

    auto utf16 = [](const QString &text, QSysInfo::Endian order) {
        QByteArray out = order == QSysInfo::LittleEndian ? QByteArray("\xff\xfe") : QByteArray("\xfe\xff");
        for (const QChar c : text) {
            const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
            if (order == QSysInfo::LittleEndian)
                out.append(lo).append(hi);
            else
                out.append(hi).append(lo);
        }
        return out;
    };
    const QString body = QString::fromUtf8("<database><databaseName>caf\xc3\xa9 %1</databaseName><table/></database>");
    QTest::newRow("UTF-16 LE") << utf16(body.arg("&#65;"), QSysInfo::LittleEndian) << true
                               << QString::fromUtf8("caf\xc3\xa9 A");
    QTest::newRow("UTF-16 BE") << utf16(body.arg("&lt;"), QSysInfo::BigEndian) << true
                               << QString::fromUtf8("caf\xc3\xa9 <");
    QTest::newRow("UTF-16 reference to NUL") << utf16(body.arg("&#0;"), QSysInfo::LittleEndian) << false << "";
    QTest::newRow("UTF-16 NUL") << utf16(body.arg(QChar(0)), QSysInfo::LittleEndian) << false << "";
    QTest::newRow("UTF-16 control character") << utf16(body.arg(QChar(1)), QSysInfo::LittleEndian) << false << "";
    QTest::newRow("UTF-16 lone surrogate") << utf16(body.arg(QChar(0xD800)), QSysInfo::LittleEndian) << false << "";
    const QByteArray latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><database><databaseName>caf\xe9 %1"
                              "</databaseName><table/></database>";
    QTest::newRow("Latin-1") << QByteArray(latin1).replace("%1", "\xa0") << true
                             << QString::fromUtf8("caf\xc3\xa9 \xc2\xa0");
    QTest::newRow("Latin-1 control character") << QByteArray(latin1).replace("%1", "\x01") << false << "";
    QTest::newRow("Latin-1 NUL") << QByteArray(latin1).replace("%1", QByteArray(1, 0)) << false << "";
}

void TestXmlReader::otherEncodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QFETCH(QString, name);
    ScriptedUi ui;
    MyDB db;
    QCOMPARE(this->read(bytes, db), read);
    QCOMPARE(ui.messages(), read ? QStringList() : QStringList{loadFailed});
    if (read)
        QCOMPARE(db.DBName, name);
}

void TestXmlReader::acceptedDocumentForms_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray body = project("<databaseName>x</databaseName>");
    QTest::newRow("as written") << body;
    QTest::newRow("declaration") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body;
    QTest::newRow("byte-order mark") << "\xef\xbb\xbf" + body;
    QTest::newRow("byte-order mark and declaration") << "\xef\xbb\xbf<?xml version=\"1.0\"?>" + body;
    QTest::newRow("comments and instruction around the root") << "<!--a--><?pi x?>" + body + "<!--b-->";
    QTest::newRow("doctype") << "<!DOCTYPE database>" + body;
    QTest::newRow("indented")
        << QByteArray("<database>\r\n\t<databaseName>x</databaseName>\r\n\t<table>\r\n\t\t<name>t</name>\r\n\t</table>\r\n</database>\r\n");
}

void TestXmlReader::acceptedDocumentForms()
{
    QFETCH(QByteArray, bytes);
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(bytes, db));
    QCOMPARE(ui.messages(), QStringList());
    QCOMPARE(db.DBName, QString("x"));
    QCOMPARE(db.Tables.Count(), 1);
    QCOMPARE(db.Tables.Item(1)->Name, QString("t"));
}

void TestXmlReader::noTablesKeepsDatabaseSettings()
{
    ScriptedUi ui;
    MyDB db;
    QVERIFY(!read("<database><databaseName>kept</databaseName><dateFormat>1</dateFormat></database>", db));
    QCOMPARE(db.DBName, QString("kept"));
    QCOMPARE(shown(db.DateFormat), QString("'1'"));
}

// A project saved before its first table reads with its settings.
void TestXmlReader::projectWithoutTables_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("settings");

    const QStringList all{"DBName=shop", "UserName=admin", "Password=s&cret", "Server=db.local", "HideNavMenu=True",
                          "StyleSheetFile=/p/shop.tzs", "ScrollStyle=1", "DateFormat='2'", "DateSeparator='5'"};
    QTest::newRow("as written") << "<database>" + kAllSettings + "</database>" << all;
    QTest::newRow("a new project as written")
        << QByteArray("<database><databaseName>new_db</databaseName><databaseUser/><databasePassword/>"
                      "<databaseServer>localhost</databaseServer><hideNavMenu>False</hideNavMenu>"
                      "<styleSheetFile/><scrollStyle>0</scrollStyle><dateFormat>3</dateFormat>"
                      "<dateSeparator>4</dateSeparator></database>")
        << QStringList{"DateFormat='3'", "DateSeparator='4'"};
    QTest::newRow("other order, indented, with a comment and an unknown element")
        << QByteArray("<?xml version=\"1.0\"?>\r\n<database>\r\n\t<dateSeparator>5</dateSeparator>\r\n\t<!--c-->"
                      "<dateFormat>2</dateFormat><scrollStyle>1</scrollStyle><styleSheetFile>/p/shop.tzs</styleSheetFile>"
                      "<hideNavMenu>True</hideNavMenu><databaseServer>db.local</databaseServer><later/>"
                      "<databasePassword>s&amp;cret</databasePassword><databaseUser>admin</databaseUser>"
                      "<databaseName>shop</databaseName>\r\n</database>\r\n")
        << all;
}

void TestXmlReader::projectWithoutTables()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, settings);
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(bytes, db));
    QCOMPARE(ui.messages(), QStringList());
    QCOMPARE(db.Tables.Count(), 0);
    Members want = resetDatabase();
    for (const QString &s : settings) {
        const qsizetype eq = s.indexOf(u'=');
        QVERIFY(want.contains(s.left(eq)));
        want[s.left(eq)] = s.mid(eq + 1);
    }
    QCOMPARE(members(db), want);
}

// ---------------------------------------------------------------------------
// Errors: raised, no message of the reader's own.

void TestXmlReader::errors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");

    QTest::newRow("empty flag") << project("<hideNavMenu/>") << int(Err::TypeMismatch);
    QTest::newRow("flag word") << project("<hideNavMenu>yes</hideNavMenu>") << int(Err::TypeMismatch);
    QTest::newRow("scroll style word") << project("<scrollStyle>x</scrollStyle>") << int(Err::TypeMismatch);
    QTest::newRow("scroll style too large") << project("<scrollStyle>32768</scrollStyle>") << int(Err::Overflow);
    QTest::newRow("empty quick search") << project({}, "<quickSearch/>") << int(Err::TypeMismatch);
    QTest::newRow("records per page 10px") << project({}, "<recordsPerPage>10px</recordsPerPage>")
                                           << int(Err::TypeMismatch);
    QTest::newRow("filter count too large") << project({}, "<filterCount>40000</filterCount>") << int(Err::Overflow);
    QTest::newRow("filter count rounds over") << project({}, "<filterCount>32767.5</filterCount>")
                                              << int(Err::Overflow);
    QTest::newRow("table flag empty") << project({}, "<allowCSV></allowCSV>") << int(Err::TypeMismatch);
    QTest::newRow("field flag empty") << fieldProject("<primaryKey/>") << int(Err::TypeMismatch);
    QTest::newRow("field flag word") << fieldProject("<hidden>no</hidden>") << int(Err::TypeMismatch);
    QTest::newRow("upload size over int32") << fieldProject("<maxUploadSize>3000000000</maxUploadSize>")
                                            << int(Err::Overflow);
    QTest::newRow("data type over int32") << fieldProject("<dataType>1e10</dataType>") << int(Err::Overflow);
    QTest::newRow("column width over int16") << fieldProject("<columnWidth>40000px</columnWidth>")
                                             << int(Err::Overflow);
    QTest::newRow("index over int16") << fieldProject("<index>-32769</index>") << int(Err::Overflow);
}

void TestXmlReader::errors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    ScriptedUi ui;
    MyDB db;
    try {
        read(bytes, db);
        QFAIL("no error raised");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), error);
    }
    QCOMPARE(ui.messages(), QStringList());
}

void TestXmlReader::errorKeepsWhatWasRead()
{
    ScriptedUi ui;
    MyDB db;
    const QByteArray bytes = "<database><databaseName>d</databaseName>"
                             "<table><name>one</name></table>"
                             "<table><name>two</name><field><name>a</name><length>5</length></field>"
                             "<field><name>b</name><length>7</length><notNull>maybe</notNull>"
                             "<unique>True</unique></field><caption>never</caption></table>"
                             "<table><name>three</name></table></database>";
    QVERIFY_THROWS_EXCEPTION(RuntimeError, read(bytes, db));
    QCOMPARE(db.DBName, QString("d"));
    QCOMPARE(db.Tables.Count(), 2);
    const MyTable &two = *db.Tables.Item(2);
    QCOMPARE(two.Name, QString("two"));
    QCOMPARE(two.Caption, QString("newTable"));
    QCOMPARE(two.Fields.Count(), 2);
    QCOMPARE(two.Fields.Item(2)->Name, QString("b"));
    QCOMPARE(two.Fields.Item(2)->pLength, qint16(7));
    QCOMPARE(two.Fields.Item(2)->pUnique, false);
}

// ---------------------------------------------------------------------------
// Node rules.

void TestXmlReader::rootNameNotCompared()
{
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read("<project><databaseName>p</databaseName><table><name>t</name></table></project>", db));
    QCOMPARE(db.DBName, QString("p"));
    QCOMPARE(db.Tables.Count(), 1);
}

void TestXmlReader::placeholders()
{
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read("<database><table/><table><field><name>f</name><caption>c</caption></field></table></database>", db));
    QCOMPARE(db.Tables.Count(), 2);
    QCOMPARE(members(*db.Tables.Item(1)), placeholderTable());
    const MyTable &second = *db.Tables.Item(2);
    QCOMPARE(second.Fields.Count(), 1);
    Members want = placeholderField();
    want["Caption"] = "c";
    QCOMPARE(members(*second.Fields.Item(1)), want);
    QCOMPARE(second.Fields.Item(1)->pDataType, 4);
}

void TestXmlReader::fieldNodeRules_data()
{
    QTest::addColumn<QByteArray>("tableChildren");
    QTest::addColumn<QStringList>("fieldNames");

    QTest::newRow("no children: ignored") << QByteArray("<field/>") << QStringList();
    QTest::newRow("one child: ignored") << QByteArray("<field><name>x</name></field>") << QStringList();
    QTest::newRow("comment makes two nodes") << QByteArray("<field><!--c--><name>x</name></field>")
                                             << QStringList{"x"};
    QTest::newRow("two unknown children") << QByteArray("<field><a/><b/></field>") << QStringList{"name"};
    QTest::newRow("letter case differs") << QByteArray("<Field><name>x</name><caption>y</caption></Field>")
                                         << QStringList();
}

void TestXmlReader::fieldNodeRules()
{
    QFETCH(QByteArray, tableChildren);
    QFETCH(QStringList, fieldNames);
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(project({}, tableChildren), db));
    QStringList names;
    for (const FieldPtr &f : db.Tables.Item(1)->Fields)
        names << f->Name;
    QCOMPARE(names, fieldNames);
}

void TestXmlReader::documentOrder()
{
    ScriptedUi ui;
    MyDB db;
    const QByteArray bytes = "<database><table><field><name>a1</name><index>1</index></field><caption>A</caption>"
                             "<field><name>a2</name><index>2</index></field><name>a</name></table>"
                             "<databaseServer>s</databaseServer>"
                             "<table><name>b</name><field><name>b1</name><index>9</index></field></table></database>";
    QVERIFY(read(bytes, db));
    QCOMPARE(db.Server, QString("s"));
    QStringList seen;
    for (const TablePtr &t : db.Tables) {
        seen << t->Name + "/" + t->Caption;
        for (const FieldPtr &f : t->Fields)
            seen << f->Name + "#" + QString::number(f->Index);
    }
    QCOMPARE(seen, (QStringList{"a/A", "a1#1", "a2#2", "b/newTable", "b1#9"}));
}

void TestXmlReader::lineEndsInValuesSurvive()
{
    ScriptedUi ui;
    MyDB db;
    QVERIFY(read(fieldProject("<default>a\r\nb\rc\nd</default><CSValueList>x&#13;&#10;y</CSValueList>"), db));
    const MyField &f = *db.Tables.Item(1)->Fields.Item(1);
    QCOMPARE(f.pDefault, QString("a\r\nb\rc\nd"));
    QCOMPARE(f.CSValueList, QString("x\r\ny"));
}

void TestXmlReader::yieldsAfterTableAndFieldChildren()
{
    ScriptedUi ui;
    MyDB db;
    // Database settings: no yield. Table: three non-field children. Field:
    // four children.
    QVERIFY(read("<database><databaseName>d</databaseName><databaseUser>u</databaseUser>"
                 "<table><name>t</name><field><name>f</name><!--c--><length>1</length><x/></field>"
                 "<caption>c</caption><unknown/></table></database>",
                 db));
    QCOMPARE(ui.processEventsCalls, 3 + 4);
}

QTEST_GUILESS_MAIN(TestXmlReader)
#include "tst_xmlreader.moc"
