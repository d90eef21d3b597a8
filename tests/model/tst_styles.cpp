#include "model/appstate.h"
#include "model/scramble.h"
#include "model/styles.h"
#include "platform/cp1252.h"
#include "platform/runtimeerror.h"
#include "platform/scriptedui.h"
#include "support/testfiles.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tess;
using tess::test::readBytes;
using tess::test::writeBytes;

namespace {

const QString F = QStringLiteral("font-family:verdana,arial,tahoma;");
const QString S = QStringLiteral("font-size:12px;");

QString crlf(const QStringList &items) { return items.join(QStringLiteral("\r\n")); }

// One style file line: the scrambled text in quotes.
QByteArray fileLine(const QString &text)
{
    return '"' + cp1252::encode(ScrambleText(text)) + "\"\r\n";
}

QByteArray pairsFile(int pairs, const QString &prefix)
{
    QByteArray bytes;
    for (int i = 1; i <= pairs; ++i)
        bytes += fileLine(prefix + QString::number(i)) + fileLine(QStringLiteral("color:red;\r\nx:%1;").arg(i));
    return bytes;
}

StyleTable defaultTable()
{
    StyleTable t;
    LoadDefaultStyles(t);
    return t;
}

} // namespace

class TestStyles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_box; // what the style-file box was set to

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        AppState &s = app();
        s.Styles = defaultTable();
        s.ProjectDB->StyleSheetFile.clear();
        s.ProjectSaved = true;
        m_box.clear();
        s.disconnect(this);
        connect(&s, &AppState::styleFileNameShown, this, [this](const QString &text) { m_box << text; });
    }

    void defaults_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("definitions");
        QTest::newRow("1") << 1 << "TableTitle"
                           << crlf({F, "font-size:22px;", "font-weight:normal;", "text-indent:5px;",
                                    "color:#565656;", "text-decoration:none;"});
        QTest::newRow("2") << 2 << "TableHeader"
                           << crlf({F, S, "font-weight:none;", "background-color:#D5D3CC;", "text-indent:5px;",
                                    "color:black;", "text-decoration:none;"});
        QTest::newRow("3") << 3 << "TableHeader:hover" << "color:#A52A00;";
        QTest::newRow("4") << 4 << "TableBody"
                           << crlf({F, S, "padding-left: 3px;", "color:black;", "background-color:#EEEEEB;"});
        QTest::newRow("5") << 5 << "TableBody:hover" << "color:red;";
        QTest::newRow("6") << 6 << "TableBodyNumeric"
                           << crlf({F, S, "color:black;", "background-color:#EEEEEB;", "text-align:right;",
                                    "padding-right: 3px;"});
        QTest::newRow("7") << 7 << "TableBodyNumeric:hover" << "color:red;";
        QTest::newRow("8") << 8 << "TableFooter"
                           << crlf({F, "font-weight:bold;", S, "background-color:#D5D3CC;", "text-align:center;"});
        QTest::newRow("9") << 9 << "TableBodySelected"
                           << crlf({F, S, "background-color:#E2DBC3;", "padding-left: 3px;", "color: #383881;"});
        QTest::newRow("10") << 10 << "TableBodySelectedNumeric"
                            << crlf({F, S, "background-color:#E2DBC3;", "padding-right: 3px;", "color: #383881;",
                                     "text-align: right;"});
        QTest::newRow("11") << 11 << "Error"
                            << crlf({F, S, "font-weight:bold;", "background-color:#EEEEEB;", "text-indent:5px;",
                                     "color:#282828;", "text-decoration:none;", "margin-bottom:10px;"});
        QTest::newRow("12") << 12 << "TextBox"
                            << crlf({F, S, "border-style:solid;", "border-width:1px;", "border-color:black;"});
        QTest::newRow("13") << 13 << "Option" << crlf({F, S});
        QTest::newRow("14") << 14 << "SelectedOption" << crlf({F, S, "color:#888067;"});
    }
    void defaults()
    {
        QFETCH(int, slot);
        QFETCH(QString, name);
        QFETCH(QString, definitions);
        StyleTable t;
        LoadDefaultStyles(t);
        QCOMPARE(t.StyleNames[slot], name);
        QCOMPARE(t.StyleDefinitions[slot], definitions);
    }

    void defaultsClearTheRestAndNothingElse()
    {
        app().ProjectDB->StyleSheetFile = QStringLiteral("x.tzs");
        StyleTable t;
        for (int i = 1; i <= 30; ++i) {
            t.StyleNames[i] = QStringLiteral("n");
            t.StyleDefinitions[i] = QStringLiteral("d");
        }
        LoadDefaultStyles(t);
        QVERIFY(t.StyleDefinitions[8].endsWith(QStringLiteral("text-align:center;")));
        for (int i = 15; i <= 30; ++i) {
            QVERIFY(t.StyleNames[i].isEmpty());
            QVERIFY(t.StyleDefinitions[i].isEmpty());
        }
        QCOMPARE(app().ProjectDB->StyleSheetFile, QStringLiteral("x.tzs"));
        QVERIFY(app().ProjectSaved);
        QVERIFY(m_box.isEmpty());
    }

    void defaultFileBytesRoundTrip()
    {
        const StyleTable defaults = defaultTable();
        const QString file = path(QStringLiteral("defaults.tzs"));
        SaveStylesFile(file, defaults);
        const QByteArray bytes = readBytes(file);
        QCOMPARE(bytes, StylesFileBytes(defaults));

        QByteArray expected;
        for (int slot = 1; slot <= 14; ++slot)
            expected += fileLine(defaults.StyleNames[slot]) + fileLine(defaults.StyleDefinitions[slot]);
        QCOMPARE(bytes, expected);
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(!bytes.contains("\r\n\r\n"));
        QVERIFY(bytes.startsWith('"' + cp1252::encode(ScrambleText(QStringLiteral("TableTitle"))) + "\"\r\n"));

        // Read back into a table that differs everywhere, then write again.
        for (int i = 1; i <= 30; ++i) {
            app().Styles.StyleNames[i].clear();
            app().Styles.StyleDefinitions[i].clear();
        }
        LoadStylesFile(file);
        QVERIFY(app().Styles == defaults);
        QCOMPARE(StylesFileBytes(app().Styles), bytes);
    }

    void emptySelectorsAreNotWritten()
    {
        StyleTable t;
        t.StyleNames[1] = QStringLiteral("A");
        t.StyleDefinitions[1] = QStringLiteral("a:1;");
        t.StyleDefinitions[2] = QStringLiteral("orphan:1;");
        t.StyleNames[3] = QStringLiteral("C");
        QCOMPARE(StylesFileBytes(t), fileLine(QStringLiteral("A")) + fileLine(QStringLiteral("a:1;"))
                                         + fileLine(QStringLiteral("C")) + fileLine(QString()));
        QVERIFY(StylesFileBytes(StyleTable{}).isEmpty());
    }

    void emptyNameDoesNothing()
    {
        ScriptedUi ui;
        app().Styles.StyleNames[1] = QStringLiteral("Changed");
        app().ProjectDB->StyleSheetFile = QStringLiteral("keep.tzs");
        LoadStylesFile(QString());
        QVERIFY(ui.shown.isEmpty());
        QCOMPARE(app().Styles.StyleNames[1], QStringLiteral("Changed"));
        QCOMPARE(app().ProjectDB->StyleSheetFile, QStringLiteral("keep.tzs"));
        QVERIFY(app().ProjectSaved);
        QVERIFY(m_box.isEmpty());
    }

    void missingFile_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<bool>("savedAfter");
        QTest::addColumn<QString>("kind"); // of what stands at the path
        QTest::newRow("project names a file") << "old.tzs" << false << "nothing";
        QTest::newRow("project names none") << "" << true << "nothing";
        QTest::newRow("a folder is no file") << "" << true << "folder";
        QTest::newRow("a FIFO is no file") << "" << true << "fifo";
        QTest::newRow("a device is no file") << "" << true << "device";
    }
    void missingFile()
    {
        QFETCH(QString, previous);
        QFETCH(bool, savedAfter);
        QFETCH(QString, kind);
        ScriptedUi ui;
        app().ProjectDB->StyleSheetFile = previous;
        app().Styles.StyleNames[1] = QStringLiteral("Changed");
        app().Styles.StyleNames[20] = QStringLiteral("Extra");
        QString missing = path(QStringLiteral("nowhere.tzs"));
        if (kind == "folder") {
            missing = m_dir.path();
        } else if (kind == "fifo") {
            missing = path(QStringLiteral("fifo.tzs"));
            QFile::remove(missing);
            QCOMPARE(::mkfifo(QFile::encodeName(missing).constData(), 0600), 0);
        } else if (kind == "device") {
            missing = QStringLiteral("/dev/zero");
        }
        LoadStylesFile(missing);

        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].text, QStringLiteral("The styles file '") + missing
                                       + QStringLiteral("' was not found. Default styles will be uploaded."));
        QCOMPARE(ui.shown[0].style, Mb::OkOnly | Mb::Information);
        QCOMPARE(ui.shown[0].title, programTitle());
        QVERIFY(app().Styles == defaultTable());
        QVERIFY(app().ProjectDB->StyleSheetFile.isEmpty());
        QCOMPARE(m_box, QStringList{QString()});
        QCOMPARE(app().ProjectSaved, savedAfter);
    }

    void tenPairsOverDefaults()
    {
        const QString file = path(QStringLiteral("ten.tzs"));
        writeBytes(file, pairsFile(10, QStringLiteral("Ten")));
        ScriptedUi ui;
        LoadStylesFile(file);
        QVERIFY(ui.shown.isEmpty());
        const StyleTable defaults = defaultTable();
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(app().Styles.StyleNames[i], QStringLiteral("Ten%1").arg(i));
            QCOMPARE(app().Styles.StyleDefinitions[i], QStringLiteral("color:red;\r\nx:%1;").arg(i));
        }
        for (int i = 11; i <= 30; ++i) {
            QCOMPARE(app().Styles.StyleNames[i], defaults.StyleNames[i]);
            QCOMPARE(app().Styles.StyleDefinitions[i], defaults.StyleDefinitions[i]);
        }
        QCOMPARE(app().ProjectDB->StyleSheetFile, file);
        QCOMPARE(m_box, QStringList{file});
    }

    void changedOnlyForAnotherFile_data()
    {
        QTest::addColumn<bool>("sameName");
        QTest::newRow("same file") << true;
        QTest::newRow("another file") << false;
    }
    void changedOnlyForAnotherFile()
    {
        QFETCH(bool, sameName);
        const QString file = path(QStringLiteral("two.tzs"));
        writeBytes(file, pairsFile(2, QStringLiteral("Two")));
        app().ProjectDB->StyleSheetFile = sameName ? file : path(QStringLiteral("other.tzs"));
        LoadStylesFile(file);
        QCOMPARE(app().ProjectSaved, sameName);
        QCOMPARE(app().ProjectDB->StyleSheetFile, file);
        QCOMPARE(m_box, QStringList{file});
    }

    void emptyFileRecordsTheName()
    {
        const QString file = path(QStringLiteral("empty.tzs"));
        writeBytes(file, QByteArray());
        LoadStylesFile(file);
        QVERIFY(app().Styles == defaultTable());
        QCOMPARE(app().ProjectDB->StyleSheetFile, file);
        QVERIFY(!app().ProjectSaved);
        QCOMPARE(m_box, QStringList{file});
    }

    void readerLayouts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray a = '"' + cp1252::encode(ScrambleText(QStringLiteral("A"))) + '"';
        const QByteArray d = '"' + cp1252::encode(ScrambleText(QStringLiteral("a:1;\r\nb:2;"))) + '"';
        QTest::newRow("two lines") << a + "\r\n" + d + "\r\n";
        QTest::newRow("one line, comma") << a + "," + d + "\r\n";
        QTest::newRow("no final line end") << a + "\r\n" + d;
        QTest::newRow("trailing blank line") << a + "\r\n" + d + "\r\n\r\n";
    }
    void readerLayouts()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path(QStringLiteral("layout.tzs"));
        writeBytes(file, bytes);
        LoadStylesFile(file);
        QCOMPARE(app().Styles.StyleNames[1], QStringLiteral("A"));
        QCOMPARE(app().Styles.StyleDefinitions[1], QStringLiteral("a:1;\r\nb:2;"));
        QCOMPARE(app().Styles.StyleNames[2], QStringLiteral("TableHeader"));
    }

    void tooManyPairs()
    {
        const QString file = path(QStringLiteral("many.tzs"));
        writeBytes(file, pairsFile(31, QStringLiteral("Many")));
        app().ProjectDB->StyleSheetFile = QStringLiteral("old.tzs");
        try {
            LoadStylesFile(file);
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), int(Err::SubscriptOutOfRange));
        }
        for (int i = 1; i <= 30; ++i)
            QCOMPARE(app().Styles.StyleNames[i], QStringLiteral("Many%1").arg(i));
        QCOMPARE(app().ProjectDB->StyleSheetFile, QStringLiteral("old.tzs"));
        QVERIFY(app().ProjectSaved);
        QVERIFY(m_box.isEmpty());
    }

    void selectorWithoutDeclarations()
    {
        const QString file = path(QStringLiteral("short.tzs"));
        writeBytes(file, pairsFile(3, QStringLiteral("Short")) + fileLine(QStringLiteral("Lonely")));
        try {
            LoadStylesFile(file);
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), int(Err::InputPastEnd));
        }
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(app().Styles.StyleNames[i], QStringLiteral("Short%1").arg(i));
        QCOMPARE(app().Styles.StyleNames[4], QStringLiteral("TableBody"));
        QVERIFY(app().ProjectDB->StyleSheetFile.isEmpty());
        QVERIFY(m_box.isEmpty());
    }

    void quoteCharactersNeverSplitAString()
    {
        // U+00F7 scrambles into a double quote; the writer leaves it out.
        StyleTable t;
        t.StyleNames[1] = QStringLiteral("A\u00F7");
        t.StyleDefinitions[1] = QStringLiteral("x:\u00F7\"1;");
        t.StyleNames[2] = QStringLiteral("B");
        t.StyleDefinitions[2] = QStringLiteral("y:2;");
        const QString file = path(QStringLiteral("quotes.tzs"));
        SaveStylesFile(file, t);
        const QByteArray bytes = readBytes(file);
        QCOMPARE(bytes.count('"'), 8);
        QCOMPARE(bytes.count("\r\n"), 4);
        LoadStylesFile(file);
        QCOMPARE(app().Styles.StyleNames[1], QStringLiteral("A"));
        QCOMPARE(app().Styles.StyleDefinitions[1], QStringLiteral("x:\"1;"));
        QCOMPARE(app().Styles.StyleNames[2], QStringLiteral("B"));
        QCOMPARE(app().Styles.StyleDefinitions[2], QStringLiteral("y:2;"));
    }

    void storableText()
    {
        QCOMPARE(StorableStyleText(QStringLiteral("a\"b\u00F7c\r\nd")), QStringLiteral("abc\r\nd"));
    }

    void failedSaveRaises_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("number");
        QTest::newRow("folder missing") << "missing/sub/x.tzs" << int(Err::PathNotFound);
        QTest::newRow("target is a folder") << "folder" << -1;
    }
    void failedSaveRaises()
    {
        QFETCH(QString, target);
        QFETCH(int, number);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        try {
            SaveStylesFile(path(target), defaultTable());
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            if (number >= 0)
                QCOMPARE(e.number(), number);
        }
        QVERIFY(QFileInfo(path(QStringLiteral("folder"))).isDir());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("missing"))));
    }

    void failedSaveKeepsOldFile()
    {
        const QString file = path(QStringLiteral("keep.tzs"));
        const QByteArray old = pairsFile(1, QStringLiteral("Old"));
        writeBytes(file, old);
        // Files may not grow beyond a few bytes: the write fails part-way.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bool raised = false;
        try {
            SaveStylesFile(file, defaultTable());
        } catch (const RuntimeError &) {
            raised = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(raised);
        QCOMPARE(readBytes(file), old);
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("keep.tzs*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("keep.tzs")});
    }

    void readOnlyFolder()
    {
        const QString folder = path(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/x.tzs");
        const QByteArray old = pairsFile(1, QStringLiteral("Old"));
        writeBytes(file, old);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const bool writable = QFileInfo(folder).isWritable();
        bool raised = false;
        if (!writable) {
            try {
                SaveStylesFile(file, defaultTable());
            } catch (const RuntimeError &) {
                raised = true;
            }
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (writable)
            QSKIP("folder permissions do not apply to this user");
        QVERIFY(raised);
        QCOMPARE(readBytes(file), old);
    }
};

QTEST_GUILESS_MAIN(TestStyles)
#include "tst_styles.moc"
