// The files every generated application has once: support files and the
// includes, the style sheet, the index page and datalist.php, the shipped
// support files themselves, and the guarded generation sequence.
#include "fixtures.h"
#include "testhost.h"
#include "support/testfiles.h"

#include "datalist/datalist.h"
#include "generator/generators.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString programFolder() { return QStringLiteral(TESSARON_BIN_DIR); }
const QString sourceFiles() { return QStringLiteral(TESSARON_SOURCE_DIR "/resources/files"); }

QStringList supportNames()
{
    QStringList names;
    for (const QString &n : SupportFiles)
        if (!n.isEmpty())
            names << n;
    return names;
}

// The log of a complete CopySupportFiles run whose every step has the same
// outcome word. The progress text ends with a blank and the word begins
// with one, so two blanks stand between them.
QString fullLog(const QString &word)
{
    QString log;
    for (const QString &n : supportNames())
        log += "\r\nCopying " + n + "... " + word;
    log += word; // images/blank.gif
    log += "\r\nCreating header.php and footer.php in output folder ..." + word;
    return log;
}

// A host that raises an error instead of answering the question about one
// file, as a failing dialog would.
class FailingHost : public RecordingHost {
public:
    QString failOn;
    int number = Err::DeviceIO;
    QString askOverwrite(const OverwriteQuestion &q, qint16 &mode) override
    {
        if (q.main.contains("'" + failOn + "'"))
            raise(number);
        return RecordingHost::askOverwrite(q, mode);
    }
};

} // namespace

class TestSupportFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_out;
    MyDB m_db;
    StyleTable m_styles;

    QString out(const QString &name = {}) const { return name.isEmpty() ? m_out.path() : m_out.filePath(name); }

    void prepare(GenerationRun &run, const QString &program = programFolder())
    {
        prepareRun(run, out(), program);
    }

private slots:
    void init()
    {
        QVERIFY(m_out.isValid());
        QDirIterator it(out(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner);
        QDir(out()).removeRecursively();
        QVERIFY(QDir().mkpath(out("images")));
    }

    void copiesEverything()
    {
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        prepare(run);
        CopySupportFiles(run);
        QCOMPARE(host.log, fullLog(" Done."));
        for (const QString &n : supportNames())
            QVERIFY2(readBytes(out(n)) == readBytes(programFolder() + "/files/" + n), qPrintable(n));
        QCOMPARE(readBytes(out("images/blank.gif")), readBytes(programFolder() + "/files/blank.gif"));
        QCOMPARE(readBytes(out("header.php")), QByteArray("<!-- Add header template in this file -->"));
        QCOMPARE(readBytes(out("footer.php")), QByteArray("<!-- Add footer template in this file -->"));
        QCOMPARE(host.focusLogCalls, 1);
        QVERIFY(host.errors.isEmpty());
    }

    void skipAllLeavesEverything()
    {
        {
            RecordingHost first;
            GenerationRun run(m_db, m_styles, first);
            prepare(run);
            CopySupportFiles(run);
        }
        writeBytes(out("header.php"), "my header");
        writeBytes(out("asc.gif"), "my arrow");
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        prepare(run);
        run.overwriteMode = Overwrite::SkipAll;
        CopySupportFiles(run);
        QCOMPARE(host.log, fullLog(" Skipped."));
        QCOMPARE(readBytes(out("header.php")), QByteArray("my header"));
        QCOMPARE(readBytes(out("asc.gif")), QByteArray("my arrow"));
        QVERIFY(host.questions.isEmpty());
    }

    // Asking mode: the edited includes are asked for one by one.
    void editedIncludesAreAskedFor()
    {
        writeBytes(out("header.php"), "my header");
        writeBytes(out("footer.php"), "my footer");
        RecordingHost host;
        host.skip().overwrite();
        GenerationRun run(m_db, m_styles, host);
        prepare(run);
        CopySupportFiles(run);
        QCOMPARE(host.questions.size(), 2);
        QCOMPARE(host.questions[0].main, QStringLiteral("The file 'header.php' already exists."));
        QCOMPARE(host.questions[1].main, QStringLiteral("The file 'footer.php' already exists."));
        QVERIFY(host.log.endsWith("\r\nCreating header.php and footer.php in output folder ... Done."));
        QCOMPARE(readBytes(out("header.php")), QByteArray("my header"));
        QCOMPARE(readBytes(out("footer.php")), QByteArray("<!-- Add footer template in this file -->"));
    }

    void missingFilesFolder()
    {
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        prepare(run, out("nowhere"));
        CopySupportFiles(run);
        QString expected;
        for (const QString &n : supportNames())
            expected += "\r\nCopying " + n + "...  Failed.";
        expected += " Failed.\r\nCreating header.php and footer.php in output folder ... Done.";
        QCOMPARE(host.log, expected);
        QVERIFY(host.errors.isEmpty());
        QCOMPARE(readBytes(out("footer.php")), QByteArray("<!-- Add footer template in this file -->"));
        QCOMPARE(run.failedFiles, int(supportNames().size()) + 1);
        QCOMPARE(run.errorsShown, 0);
    }

    // An output folder that leads back to the files folder: no file is
    // copied onto itself, whatever the overwrite answer.
    void copyOntoItselfIsRefused()
    {
        QVERIFY(QDir().mkpath(out("prog/files")));
        writeBytes(out("prog/files/asc.gif"), "arrow");
        QVERIFY(QFile::link(out("prog/files"), out("filesLink")));
        RecordingHost host;
        host.overwrite();
        GenerationRun run(m_db, m_styles, host);
        prepareRun(run, out("filesLink"), out("prog"));
        QCOMPARE(run.CopyOutputFile(out("prog/files/asc.gif"), run.path("asc.gif"), true), WriteOutcome::Failed);
        QCOMPARE(host.log, QStringLiteral(" Failed."));
        QVERIFY(host.questions.isEmpty());
        QCOMPARE(run.failedFiles, 1);
        QCOMPARE(readBytes(out("prog/files/asc.gif")), QByteArray("arrow"));
    }

    void missingImagesFolderFailsTheSecondBlank()
    {
        QDir(out("images")).removeRecursively();
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        prepare(run);
        CopySupportFiles(run);
        QVERIFY(host.log.contains("\r\nCopying blank.gif...  Done. Failed.\r\nCreating header.php"));
    }

    // The header is written without a log word of its own, but its failure
    // still shows on the common line.
    void failedHeaderIsReported()
    {
        writeBytes(out("header.php"), "mine");
        QFile::setPermissions(out("header.php"), QFile::ReadOwner);
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        prepare(run);
        run.overwriteMode = Overwrite::All;
        CopySupportFiles(run);
        QVERIFY(host.log.endsWith("\r\nCreating header.php and footer.php in output folder ... Failed. Done."));
        QCOMPARE(readBytes(out("header.php")), QByteArray("mine"));
    }

    void errorsAreReportedAndTheNextStepRuns_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("other") << int(Err::DeviceIO)
                               << "Error 57: \r\nDevice I/O error\r\nThis error took place while copying image files "
                                  "from the folder '" + programFolder() + "/files'";
        QTest::newRow("exists") << int(Err::FileExists) << "Image files already exist and will be skipped.";
    }
    void errorsAreReportedAndTheNextStepRuns()
    {
        QFETCH(int, number);
        QFETCH(QString, message);
        writeBytes(out("header.php"), "mine");
        FailingHost host;
        host.failOn = "header.php";
        host.number = number;
        GenerationRun run(m_db, m_styles, host);
        prepare(run);
        CopySupportFiles(run);
        QCOMPARE(host.errors, QStringList{message});
        QVERIFY(host.log.endsWith("\r\nCreating header.php and footer.php in output folder ... Done."));
        QCOMPARE(readBytes(out("footer.php")), QByteArray("<!-- Add footer template in this file -->"));
        QCOMPARE(host.focusLogCalls, 1);
    }

    void styleSheet_data()
    {
        QTest::addColumn<bool>("used");
        QTest::newRow("slots 1 and 3") << true;
        QTest::newRow("no slot used") << false;
    }
    void styleSheet()
    {
        QFETCH(bool, used);
        StyleTable styles;
        if (used) {
            styles.StyleNames[1] = "TableHeader:hover";
            styles.StyleDefinitions[1] = "color: red;\r\nbackground: #fff;";
            styles.StyleNames[3] = "Error";
            styles.StyleDefinitions[3] = "color: red;";
            styles.StyleDefinitions[2] = "ignored: yes;";
        }
        RecordingHost host;
        GenerationRun run(m_db, styles, host);
        prepare(run);
        GenerateStyleSheet(run);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating style.css ... Done."));
        QCOMPARE(readBytes(out("style.css")),
                 used ? QByteArray(".TableHeader:hover {\r\ncolor: red;\r\nbackground: #fff;\r\n}\r\n\r\n"
                                   ".Error {\r\ncolor: red;\r\n}\r\n\r\n")
                      : QByteArray());
    }

    void indexPage()
    {
        MyDB db;
        db.Tables.Add("T <b>one</b>", "t1");
        db.Tables.Add("Second", "t2");
        RecordingHost host;
        GenerationRun run(db, m_styles, host);
        prepare(run);
        GenerateIndexPage(run);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating index.html ... Done."));
        QCOMPARE(QString::fromLatin1(readBytes(out("index.html"))),
                 QStringLiteral(
                     "<!-- This application was generated by Tessaron 3.0 on 12/10/2026 at 10:11:50\r\n"
                     "     Download Tessaron for free from https://www.tessaron.example/download -->\r\n\r\n"
                     "<style type=text/css><!--\r\n\r\n"
                     ".Caption {font-family:arial; font-weight:bold; font-size:18px; color:navy; "
                     "text-decoration:none;}\r\n\r\n"
                     ".Caption:hover {color:red; text-decoration:underline;}\r\n\r\n"
                     "--></style>\r\n\r\n\r\n\r\n"
                     "<html><div align=\"center\"><table>\r\n\r\n"
                     "<tr><td><a href=t1_view.php><img src=table.gif border=0></a></td><td class=Caption><a "
                     "href=t1_view.php class=Caption>T <b>one</b></a></td></tr>\r\n"
                     "<tr><td><a href=t2_view.php><img src=table.gif border=0></a></td><td class=Caption><a "
                     "href=t2_view.php class=Caption>Second</a></td></tr>\r\n"
                     "</table><br><font size=-1 color=silver><b><a href=https://www.tessaron.example/>Database "
                     "Software</a> - Powered by Tessaron 3.0</b></div></html>\r\n"));
    }

    void dataListFile()
    {
        MyDB db;
        db.HideNavMenu = true;
        db.ScrollStyle = 2;
        db.DateSeparator = Variant(1);
        RecordingHost host;
        GenerationRun run(db, m_styles, host);
        prepare(run);
        run.anyImageUpload = true;
        GenerateDataListScript(run);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating datalist.php ... Done."));
        DataListOptions o;
        o.anyImageUpload = true;
        o.hideNavMenu = true;
        o.scrollStyle = 2;
        o.datePartSeparator = "-";
        QCOMPARE(QString::fromLatin1(readBytes(out("datalist.php"))), GetDataListScript(o));
    }

    // The shipped images are GIF files of their own, with a size and an end.
    void shippedImages()
    {
        for (const QString &n : supportNames()) {
            if (!n.endsWith(".gif"))
                continue;
            const QByteArray gif = readBytes(sourceFiles() + "/" + n);
            QVERIFY2(gif.startsWith("GIF89a"), qPrintable(n));
            QVERIFY2(gif.endsWith('\x3b'), qPrintable(n));
            const int w = uchar(gif[6]) | uchar(gif[7]) << 8, h = uchar(gif[8]) | uchar(gif[9]) << 8;
            QVERIFY2(w > 0 && h > 0 && w <= 32 && h <= 32, qPrintable(n));
            if (n == "blank.gif")
                QVERIFY(w == 1 && h == 1);
        }
        // The build puts them beside the program.
        for (const QString &n : supportNames())
            QVERIFY2(readBytes(programFolder() + "/files/" + n) == readBytes(sourceFiles() + "/" + n), qPrintable(n));
    }

    // What the program ships in files/ is what it copies, and the other way
    // round: a file missing from the list would never reach an application.
    void filesFolderHoldsTheList()
    {
        const QStringList shipped = QDir(sourceFiles()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QStringList listed = supportNames();
        listed.sort();
        QCOMPARE(shipped, listed);
        QCOMPARE(supportNames().last(), QStringLiteral("blank.gif"));
    }

    // The compatibility file parses, and language.php, which every entry
    // point includes before anything else, includes it before anything else.
    void compatibilityFileComesFirst()
    {
        const QString compat = sourceFiles() + "/compat.php";
        QProcess lint;
        lint.start(QStringLiteral(PHP_EXECUTABLE), {"-n", "-l", compat});
        QVERIFY(lint.waitForFinished(30000));
        QVERIFY2(lint.exitCode() == 0, lint.readAllStandardOutput().constData());

        const QByteArray language = readBytes(sourceFiles() + "/language.php");
        QVERIFY(language.startsWith("<?php\n\tinclude_once(dirname(__FILE__).\"/compat.php\");\n"));
    }

    // language.php parses and defines every key that a generated
    // application reads.
    void languageFileHasEveryKey()
    {
        const QString language = sourceFiles() + "/language.php";
        QProcess p;
        p.start(QStringLiteral(PHP_EXECUTABLE),
                {"-n", "-r", "include '" + language + "'; foreach($Translation as $k => $v) echo $k, \"\\n\";"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList keyList = QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        const QSet<QString> keys(keyList.begin(), keyList.end());
        QVERIFY(keys.contains("ImageFolder"));
        QVERIFY(readBytes(language).contains("$Translation[\"ImageFolder\"] = \"images/\";"));

        QStringList missing;
        // $Translation["key"], $Translation['key'] (also with escaped
        // quotes inside generated strings) and <%%TRANSLATION(key)%%>
        const QRegularExpression used(QStringLiteral("\\$Translation\\[\\\\?([\"'])(.+?)\\\\?\\1\\]"
                                                     "|<%%TRANSLATION\\(([^)$]+)\\)%%>"));
        for (const Fixture &fixture : fixtures()) {
            DBPtr db = fixture.make();
            RecordingHost host;
            GenerationRun run(*db, m_styles, host);
            QTemporaryDir dir;
            prepareRun(run, dir.path(), programFolder());
            GenerateAll(*db, run);
            QDirIterator it(dir.path(), {"*.php", "*.html"}, QDir::Files);
            while (it.hasNext()) {
                const QString path = it.next();
                if (path.endsWith("/language.php"))
                    continue;
                const QString text = QString::fromLatin1(readBytes(path));
                for (auto m = used.globalMatch(text); m.hasNext();) {
                    const auto match = m.next();
                    const QString key = match.captured(2).isEmpty() ? match.captured(3) : match.captured(2);
                    if (!keys.contains(key) && !missing.contains(key))
                        missing << key;
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    // Every procedure runs once, in order; an error rising out of one is
    // reported and the next one runs.
    void generationSequence()
    {
        DBPtr db = minimalProject();
        writeBytes(out("style.css"), "old");
        FailingHost host;
        host.failOn = "style.css";
        host.number = Err::PathFileAccess;
        GenerationRun run(*db, m_styles, host);
        prepare(run);
        GenerateAll(*db, run);
        QCOMPARE(host.errors, QStringList{"Error 75: Path/File access error"});
        QStringList order;
        for (const QString &line : host.log.split("\r\n", Qt::SkipEmptyParts))
            order << line.section(" ...", 0, 0).section("... ", 0, 0);
        order.removeDuplicates();
        QStringList expected = {"Generating items_view.php", "Generating items_dml.php",
                                "Generating items_templateTV.html", "Generating items_templateTVS.html",
                                "Generating items_templateDV.html", "Generating lib.php", "Generating style.css",
                                "Generating setup.php", "Generating index.html", "Generating datalist.php"};
        for (const QString &n : supportNames())
            expected << "Copying " + n;
        expected << "Creating header.php and footer.php in output folder";
        QCOMPARE(order, expected);
        QVERIFY(host.log.contains("\r\nGenerating style.css ...\r\nGenerating setup.php ... Done."));
        QCOMPARE(readBytes(out("style.css")), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestSupportFiles)
#include "tst_supportfiles.moc"
