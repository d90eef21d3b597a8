// Generate through the command with the log window: every file written
// into an empty folder as the generators alone write it, each overwrite
// choice on a second run, the log window's colours, Save Log and Browse.
#include "app/frmgenerating.h"
#include "app/generatecommand.h"
#include "app/validateproject.h"
#include "generateflow.h"
#include "generator/fixtures.h"
#include "generator/generators.h"
#include "generator/testhost.h"
#include "model/xmlreader.h"
#include "platform/cp1252.h"
#include "platform/scriptedui.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

QString logText() { return generatingForm().log().text(); }

QPlainTextEdit *logView() { return generatingForm().findChild<QPlainTextEdit *>(QStringLiteral("txtLog")); }

QPushButton *logButton(const char *name) { return generatingForm().findChild<QPushButton *>(QLatin1String(name)); }

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
    GenerateAll(run);
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
    ScriptedUi *m_ui = nullptr;

private slots:
    void init()
    {
        m_ui = new ScriptedUi;
        setGenerationClock(&fixedMoment);
        useProject(shopProject());
    }
    void cleanup()
    {
        unloadGenerateForms();
        setGenerationClock(nullptr);
        delete m_ui;
    }

    void intoEmptyFolder();
    void secondRun_data();
    void secondRun();
    void exampleProject();
    void validationFailure();
    void cancelledFolder();
    void saveLogAndBrowse();
    void logWindowStaysWhileRunning();
};

void TestGuiGenerate::intoEmptyFolder()
{
    QTemporaryDir out, ref;
    ScriptedDialogs dialogs;
    dialogs.folders << out.path();
    GenerateCommand();
    QVERIFY(generatingForm().isVisible());
    QVERIFY(m_ui->shown.isEmpty());
    QVERIFY(dialogs.questions.isEmpty());
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
    screenshot(generatingForm(), QStringLiteral("generating_success"));
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
    {
        ScriptedDialogs first;
        first.folders << out.path();
        GenerateCommand();
    }
    const QStringList files = filesBelow(out.path());
    QFile mark(out.filePath(QStringLiteral("lib.php")));
    QVERIFY(mark.open(QIODevice::WriteOnly | QIODevice::Truncate));
    mark.write("mine");
    mark.close();

    ScriptedDialogs dialogs;
    dialogs.folders << out.path();
    if (choice == QStringLiteral("all"))
        dialogs.answers << ScriptedDialogs::Answer{QStringLiteral("1"), Overwrite::All};
    else if (choice == QStringLiteral("skipall"))
        dialogs.answers << ScriptedDialogs::Answer{QStringLiteral("0"), Overwrite::SkipAll};
    else
        for (int i = 0; i < 200; ++i)
            dialogs.answers << ScriptedDialogs::Answer{i % 2 ? QStringLiteral("0") : QStringLiteral("1")};
    GenerateCommand();

    const QString log = logText();
    QVERIFY(log.startsWith(QStringLiteral("Error checking: Ok.")));
    if (choice == QStringLiteral("ask")) {
        // Every existing file is asked about, one question each, and each
        // answer is followed.
        QVERIFY(dialogs.questions.size() > 20);
        QCOMPARE(dialogs.questions[0].main, QStringLiteral("The file 'customers_view.php' already exists."));
        QVERIFY(log.contains(QStringLiteral("Generating customers_view.php ... Done.")));
        QVERIFY(log.contains(QStringLiteral("Generating orders_view.php ... Skipped.")));
    } else {
        QCOMPARE(dialogs.questions.size(), questions);
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
    ScriptedDialogs dialogs;
    dialogs.folders << out.path();
    GenerateCommand();
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
    ScriptedDialogs dialogs;
    GenerateCommand();
    QCOMPARE(dialogs.folderCalls, 0);
    QCOMPARE(logText(), QStringLiteral("Table 'customers' has no primary keys. Please mark one of its fields as primary "
                                       "or create a new primary key."));
    QCOMPARE(logView()->palette().color(QPalette::Text), QColor(255, 0, 0));
    screenshot(generatingForm(), QStringLiteral("generating_validation_failure"));

    // The next run starts with an empty log.
    app().ProjectDB->Tables.Item(1)->Fields.Item(1)->pPrimaryKey = true;
    GenerateCommand();
    QCOMPARE(logText(), QStringLiteral("Error checking: Ok.\r\nPHP application generation process cancelled by user."));
}

void TestGuiGenerate::cancelledFolder()
{
    ScriptedDialogs dialogs;
    dialogs.folders << QString();
    GenerateCommand();
    QCOMPARE(logText(), QStringLiteral("Error checking: Ok.\r\nPHP application generation process cancelled by user."));
    QCOMPARE(logView()->palette().color(QPalette::Text), QColor(0, 0, 128));
}

void TestGuiGenerate::saveLogAndBrowse()
{
    QTemporaryDir out;
    // No run yet: nothing to browse, the proposal has no folder.
    generatingForm().cmdBrowse_Click();
    QVERIFY(m_ui->shown.isEmpty());
    m_ui->files << QString();
    generatingForm().cmdSave_Click();
    QCOMPARE(m_ui->shown.last().request.fileName, QStringLiteral("/shop_db_log.txt"));

    ScriptedDialogs dialogs;
    dialogs.folders << out.path();
    GenerateCommand();
    m_ui->shown.clear();

    // Cancelled: nothing written, not even at the proposed name.
    m_ui->files << QString();
    QTest::mouseClick(logButton("cmdSave"), Qt::LeftButton);
    QCOMPARE(m_ui->shown.size(), 1);
    const FileDialogRequest request = m_ui->shown[0].request;
    QCOMPARE(request.title, QStringLiteral("Save Log As"));
    QCOMPARE(request.filter, QStringLiteral("Text files (*.txt) | *.txt"));
    QCOMPARE(request.fileName, out.filePath(QStringLiteral("shop_db_log.txt")));
    QVERIFY(!QFile::exists(request.fileName));

    const QString path = out.filePath(QStringLiteral("saved.txt"));
    m_ui->files << path;
    QTest::mouseClick(logButton("cmdSave"), Qt::LeftButton);
    QCOMPARE(readAll(path), cp1252::encode(logText() + QStringLiteral("\r\n")));
    QVERIFY(readAll(path).contains("\r\nGenerating customers_view.php ... Done.\r\n"));

    // A folder that went away: one message, nothing else.
    m_ui->files << out.filePath(QStringLiteral("gone/saved.txt"));
    QTest::mouseClick(logButton("cmdSave"), Qt::LeftButton);
    QCOMPARE(m_ui->messages().last(), QStringLiteral("Error 76: Path not found"));

    QTest::mouseClick(logButton("cmdBrowse"), Qt::LeftButton);
    QCOMPARE(m_ui->shown.last().kind, QStringLiteral("external"));
    QCOMPARE(m_ui->shown.last().text, out.path());

    // Esc closes the window.
    generatingForm().activateWindow();
    QTest::keyClick(&generatingForm(), Qt::Key_Escape);
    QVERIFY(!loadedGeneratingForm() || !loadedGeneratingForm()->isVisible());
}

void TestGuiGenerate::logWindowStaysWhileRunning()
{
    ScriptedDialogs dialogs;
    dialogs.folders << QString();
    bool closed = true;
    dialogs.whileFolderOpen = [&] {
        generatingForm().close();
        QTest::keyClick(&generatingForm(), Qt::Key_Escape);
        closed = !loadedGeneratingForm() || !generatingForm().isVisible();
    };
    GenerateCommand();
    QVERIFY(!closed);
}

QTEST_MAIN(TestGuiGenerate)
#include "tst_gui_generate.moc"
