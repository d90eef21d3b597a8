// Generate through the command with the log window: every file written
// into an empty folder as the generators alone write it, each overwrite
// choice on a second run, the log window's colours, Save Log and Browse.
#include "app/frmgenerating.h"
#include "app/frmmain.h"
#include "app/frmoutputfolder.h"
#include "app/commands.h"
#include "app/forms.h"
#include "app/generatesequence.h"
#include "app/validateproject.h"
#include "support/guifixture.h"
#include "generator/fixtures.h"
#include "generator/generators.h"
#include "generator/testhost.h"
#include "model/xmlreader.h"
#include "platform/cp1252.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

QDateTime fixedMoment() { return QDateTime(QDate(2026, 12, 10), QTime(10, 11, 50)); }

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

frmGenerating &logWindow() { return forms().generating(); }

QString logText() { return logWindow().log().text(); }

QPlainTextEdit *logView() { return logWindow().findChild<QPlainTextEdit *>(QStringLiteral("txtLog")); }

QPushButton *logButton(const char *name) { return logWindow().findChild<QPushButton *>(QLatin1String(name)); }

void useProject(const DBPtr &source)
{
    MyDB &db = *app().ProjectDB;
    ResetProject(db);
    db.DBName = source->DBName;
    db.UserName = source->UserName;
    db.Password = source->Password;
    db.Server = source->Server;
    db.DateFormat = source->DateFormat;
    db.DateSeparator = source->DateSeparator;
    for (const auto &t : source->Tables) {
        const TablePtr copy = db.Tables.Add(t->Caption, t->Name);
        *copy = *t;
    }
    app().Styles = fixtureStyles();
}

// The generators alone on the project as the checks leave it.
QString referenceRun(const QString &folder)
{
    DBPtr db = shopProject();
    RecordingHost host;
    bool upload = false;
    if (!ValidateProject(*db, host, upload))
        return host.log;
    const StyleTable styles = fixtureStyles();
    GenerationRun run(*db, styles, host);
    prepareRun(run, folder, QStringLiteral(TESSARON_BIN_DIR));
    run.anyImageUpload = upload;
    GenerateAll(*db, run);
    return {};
}

// The run's date and time as the files carry them, put back to the
// fixture's texts.
QByteArray withFixedClock(QByteArray bytes)
{
    MyDB db;
    RecordingHost host;
    GenerationRun run(db, app().Styles, host);
    run.setClock(fixedMoment());
    bytes.replace(cp1252::encode(run.date), cp1252::encode(fixedDate()));
    bytes.replace(cp1252::encode(run.time), cp1252::encode(fixedTime()));
    return bytes;
}

QString closingDate()
{
    MyDB db;
    RecordingHost host;
    GenerationRun run(db, app().Styles, host);
    run.setClock(fixedMoment());
    return run.date + QStringLiteral(" at ") + run.time + QStringLiteral(".");
}

} // namespace

class TestGuiGenerate : public QObject {
    Q_OBJECT
    GuiFixture m_fixture;
    ScriptedUi &ui() { return m_fixture.ui(); }
    ScriptedDialogs &dialogs() { return m_fixture.dialogs(); }
    void generate() { m_fixture.trigger(QStringLiteral("miProjectGenerate")); }

private slots:
    void init()
    {
        m_fixture.init();
        setGenerationClock(&fixedMoment);
        useProject(shopProject());
        forms().main().show();
    }
    void cleanup()
    {
        setGenerationClock(nullptr);
        m_fixture.cleanup();
    }

    void intoEmptyFolder();
    void secondRun_data();
    void secondRun();
    void exampleProject();
    void validationFailure();
    void cancelledFolder();
    void saveLogAndBrowse();
    void logWindowStaysWhileRunning();
    void logShownWhileAsking();
    void helpOnF1();
};

void TestGuiGenerate::intoEmptyFolder()
{
    QTemporaryDir out, ref;
    dialogs().outputFolders << out.path();
    generate();
    QCOMPARE(m_fixture.commands(), QStringList{"miProjectGenerate_Click"});
    QVERIFY(logWindow().isVisible());
    QVERIFY(ui().shown.isEmpty());
    QVERIFY(dialogs().overwriteQuestions.isEmpty());
    QVERIFY2(logText().endsWith(QStringLiteral("\r\n\r\nPHP Application generated successfully on ") + closingDate()
                                + QStringLiteral("\r\nFor help on using the generated PHP application, please refer to\r\n"
                                                 "the section \"Working with generated applications\" in Help.")),
             qPrintable(logText().right(400)));
    QVERIFY(!logText().contains(QStringLiteral("Failed.")));
    QCOMPARE(logView()->toPlainText(), QString(logText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(logView()->palette().color(QPalette::Text), QColor(0, 0, 128));
    for (const char *b : {"cmdClose", "cmdBrowse", "cmdSave"})
        QVERIFY(logButton(b)->isEnabled());

    QCOMPARE(referenceRun(ref.path()), QString());
    const QStringList written = filesBelow(out.path());
    QCOMPARE(written, filesBelow(ref.path()));
    for (const QString &rel : written)
        QVERIFY2(withFixedClock(readAll(out.filePath(rel))) == readAll(ref.filePath(rel)), qPrintable(rel));

    // The generators' golden files, but for what the checks change: the
    // primary key is no longer marked as required in the detail view.
    const QString golden = QStringLiteral(TESSARON_SOURCE_DIR "/tests/generator/golden/shop");
    for (const QString &rel : filesBelow(golden)) {
        QByteArray expected = readAll(golden + u'/' + rel);
        for (const auto &t : app().ProjectDB->Tables) {
            if (rel != t->Name + QStringLiteral("_templateDV.html"))
                continue;
            for (const auto &f : t->Fields)
                if (f->pPrimaryKey)
                    expected.replace("<b class=\"Error\"><%%TRANSLATION(*)%%></b> " + f->Caption.toLatin1() + "</div>",
                                     f->Caption.toLatin1() + "</div>");
        }
        QVERIFY2(withFixedClock(readAll(out.filePath(rel))) == expected, qPrintable(rel));
    }
    GuiFixture::screenshot(&logWindow(), QStringLiteral("generating_success"));
}

void TestGuiGenerate::secondRun_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("word");
    QTest::newRow("ask each") << "ask" << 0 << "";
    QTest::newRow("overwrite all") << "all" << 1 << " Done.";
    QTest::newRow("skip all") << "skipall" << 1 << " Skipped.";
}

void TestGuiGenerate::secondRun()
{
    QFETCH(QString, choice);
    QFETCH(int, questions);
    QFETCH(QString, word);
    QTemporaryDir out;
    dialogs().outputFolders << out.path();
    generate();
    const QStringList files = filesBelow(out.path());
    QFile mark(out.filePath(QStringLiteral("lib.php")));
    QVERIFY(mark.open(QIODevice::WriteOnly | QIODevice::Truncate));
    mark.write("mine");
    mark.close();

    // The dialog keeps the folder of the first run: Enter takes it.
    if (choice == QStringLiteral("all"))
        dialogs().overwriteAnswers << QStringLiteral("cmdOverwriteAll");
    else if (choice == QStringLiteral("skipall"))
        dialogs().overwriteAnswers << QStringLiteral("cmdSkipAll");
    else
        for (int i = 0; i < 200; ++i)
            dialogs().overwriteAnswers << (i % 2 ? QStringLiteral("cmdSkip") : QStringLiteral("cmdOverwrite"));
    generate();

    const QString log = logText();
    QVERIFY(log.startsWith(QStringLiteral("Error checking: Ok.")));
    if (choice == QStringLiteral("ask")) {
        // Every existing file is asked about, one question each, and each
        // answer is followed.
        QVERIFY(dialogs().overwriteQuestions.size() > 20);
        QCOMPARE(dialogs().overwriteQuestions[0].main, QStringLiteral("The file 'customers_view.php' already exists."));
        QVERIFY(log.contains(QStringLiteral("Generating customers_view.php ... Done.")));
        QVERIFY(log.contains(QStringLiteral("Generating orders_view.php ... Skipped.")));
    } else {
        QCOMPARE(dialogs().overwriteQuestions.size(), questions);
        QVERIFY(!log.contains(word == QStringLiteral(" Done.") ? QStringLiteral(" Skipped.") : QStringLiteral(" Done.")));
        QCOMPARE(readAll(out.filePath(QStringLiteral("lib.php"))) == QByteArray("mine"), choice == QStringLiteral("skipall"));
    }
    QCOMPARE(filesBelow(out.path()), files);
    QVERIFY(log.contains(QStringLiteral("generated successfully")));
}

void TestGuiGenerate::exampleProject()
{
    MyDB &db = *app().ProjectDB;
    ResetProject(db);
    QVERIFY(ReadXmlProject(QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx"), db));
    QTemporaryDir out;
    dialogs().outputFolders << out.path();
    generate();
    QVERIFY2(logText().contains(QStringLiteral("generated successfully")), qPrintable(logText()));
    QStringList expected;
    for (const auto &t : db.Tables)
        for (const char *suffix : {"_view.php", "_dml.php", "_templateTV.html", "_templateTVS.html", "_templateDV.html"})
            expected << t->Name + QLatin1String(suffix);
    for (const char *once : {"lib.php", "datalist.php", "setup.php", "index.html", "style.css", "header.php", "footer.php",
                             "images/blank.gif"})
        expected << QLatin1String(once);
    for (const QString &name : SupportFiles)
        if (!name.isEmpty())
            expected << name;
    expected.sort();
    QCOMPARE(filesBelow(out.path()), expected);
}

void TestGuiGenerate::validationFailure()
{
    app().ProjectDB->Tables.Item(1)->Fields.Item(1)->pPrimaryKey = false;
    generate();
    QVERIFY(!dialogs().shown.contains(QStringLiteral("frmOutputFolder")));
    QCOMPARE(logText(), QStringLiteral("Table 'customers' has no primary keys. Please mark one of its fields as primary "
                                       "or create a new primary key."));
    QCOMPARE(logView()->toPlainText(), logText());
    QCOMPARE(logView()->palette().color(QPalette::Text), QColor(255, 0, 0));
    GuiFixture::screenshot(&logWindow(), QStringLiteral("generating_validation_failure"));

    // The next run starts with an empty log.
    app().ProjectDB->Tables.Item(1)->Fields.Item(1)->pPrimaryKey = true;
    dialogs().outputFolders << QString();
    generate();
    QCOMPARE(logText(), QStringLiteral("Error checking: Ok.\r\nPHP application generation process cancelled by user."));
}

void TestGuiGenerate::cancelledFolder()
{
    dialogs().outputFolders << QString();
    generate();
    QCOMPARE(logText(), QStringLiteral("Error checking: Ok.\r\nPHP application generation process cancelled by user."));
    QCOMPARE(logView()->toPlainText(), QStringLiteral("Error checking: Ok.\nPHP application generation process cancelled by user."));
    QCOMPARE(logView()->palette().color(QPalette::Text), QColor(0, 0, 128));
}

void TestGuiGenerate::saveLogAndBrowse()
{
    QTemporaryDir out;
    // No run yet: nothing to browse, the proposal has no folder.
    logWindow().cmdBrowse_Click();
    QVERIFY(ui().shown.isEmpty());
    ui().files << QString();
    logWindow().cmdSave_Click();
    QCOMPARE(ui().shown.last().request.fileName, QStringLiteral("/shop_db_log.txt"));

    dialogs().outputFolders << out.path();
    generate();
    ui().shown.clear();

    // Cancelled: nothing written, not even at the proposed name.
    ui().files << QString();
    QTest::mouseClick(logButton("cmdSave"), Qt::LeftButton);
    QCOMPARE(ui().shown.size(), 1);
    const FileDialogRequest request = ui().shown[0].request;
    QCOMPARE(request.title, QStringLiteral("Save Log As"));
    QCOMPARE(request.filter, QStringLiteral("Text files (*.txt) | *.txt"));
    QCOMPARE(request.fileName, out.filePath(QStringLiteral("shop_db_log.txt")));
    QVERIFY(!QFile::exists(request.fileName));

    const QString path = out.filePath(QStringLiteral("saved.txt"));
    ui().files << path;
    QTest::mouseClick(logButton("cmdSave"), Qt::LeftButton);
    QCOMPARE(readAll(path), cp1252::encode(logText() + QStringLiteral("\r\n")));
    QVERIFY(readAll(path).contains("\r\nGenerating customers_view.php ... Done.\r\n"));

    // A folder that went away: one message, nothing else.
    ui().files << out.filePath(QStringLiteral("gone/saved.txt"));
    QTest::mouseClick(logButton("cmdSave"), Qt::LeftButton);
    QCOMPARE(ui().messages().last(), QStringLiteral("Error 76: Path not found"));

    QTest::mouseClick(logButton("cmdBrowse"), Qt::LeftButton);
    QCOMPARE(ui().shown.last().kind, QStringLiteral("external"));
    QCOMPARE(ui().shown.last().text, out.path());

    // Esc closes the window.
    logWindow().activateWindow();
    QTest::keyClick(&logWindow(), Qt::Key_Escape);
    QVERIFY(!forms().isLoaded(Form::Generating));
}

void TestGuiGenerate::logWindowStaysWhileRunning()
{
    bool closed = true;
    bool second = false;
    dialogs().onOutputFolder = [&](frmOutputFolder &) {
        logWindow().close();
        QTest::keyClick(&logWindow(), Qt::Key_Escape);
        closed = !forms().isLoaded(Form::Generating) || !logWindow().isVisible();
        // Neither a second Generate nor a delete starts meanwhile.
        const int shown = dialogs().shown.size();
        generate();
        second = dialogs().shown.size() != shown;
    };
    generate();
    QVERIFY(!closed);
    QVERIFY(!second);
}

// While a dialog of the run waits for the user, the log window shows every
// line written so far, in its colour.
void TestGuiGenerate::logShownWhileAsking()
{
    QString shownAtFolder;
    QColor colourAtFolder;
    dialogs().onOutputFolder = [&](frmOutputFolder &) {
        QVERIFY(QTest::qWaitFor([] { return !logView()->toPlainText().isEmpty(); }));
        shownAtFolder = logView()->toPlainText();
        colourAtFolder = logView()->palette().color(QPalette::Text);
    };
    generate();
    QCOMPARE(shownAtFolder, QStringLiteral("Error checking: Ok."));
    QCOMPARE(colourAtFolder, QColor(0, 0, 128));

    QTemporaryDir out;
    dialogs().onOutputFolder = nullptr;
    dialogs().outputFolders << out.path() << out.path();
    generate();
    QString logAtQuestion;
    QString shownAtQuestion;
    dialogs().onOverwrite = [&](frmConfirmOverwrite &) {
        logAtQuestion = QString(logText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QVERIFY(QTest::qWaitFor([&] { return logView()->toPlainText() == logAtQuestion; }));
        shownAtQuestion = logView()->toPlainText();
    };
    dialogs().overwriteAnswers << QStringLiteral("cmdOverwriteAll");
    generate();
    QVERIFY(logAtQuestion.endsWith(QStringLiteral("\nGenerating customers_view.php ...")));
    QCOMPARE(shownAtQuestion, logAtQuestion);
}

void TestGuiGenerate::helpOnF1()
{
    dialogs().outputFolders << QString();
    generate();
    QStringList topics;
    connect(&app(), &AppState::helpRequested, this, [&](const QString &tag) { topics << tag; });
    logView()->setFocus();
    QTest::keyClick(logView(), Qt::Key_F1);
    logButton("cmdSave")->setFocus();
    QTest::keyClick(logButton("cmdSave"), Qt::Key_F1);
    disconnect(&app(), nullptr, this, nullptr);
    QCOMPARE(topics, QStringList({"50", "53"}));
}

QTEST_MAIN(TestGuiGenerate)
#include "tst_gui_generate.moc"
