// New, Open, Save and Save As through the menus, with the file dialogs
// and questions answered by script.
#include "app/forms.h"
#include "app/frmmain.h"
#include "converter/projectdump.h"
#include "model/appstate.h"
#include "model/styles.h"
#include "support/guifixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString kExample = QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx");

MyDB &project() { return *app().ProjectDB; }

} // namespace

class TestGuiFileCommands : public QObject {
    Q_OBJECT
    GuiFixture m_fixture;
    ScriptedUi &ui() { return m_fixture.ui(); }
    void trigger(const char *name) { m_fixture.trigger(QLatin1String(name)); }
    void open(const QString &path)
    {
        ui().files << path;
        trigger("miFileOpenXML");
    }

private slots:
    void init()
    {
        m_fixture.init();
        forms().main().show();
    }
    void cleanup() { m_fixture.cleanup(); }

    void openEditSaveReopen();
    void saveWithoutFileIsSaveAs();
    void failedSaveChangesNothing();
    void newForgetsTheFile();
    void newAsksOverUnsavedChanges();
    void noProjectNoSave();
    void openFailures_data();
    void openFailures();
    void openCancelled();
    void openFromCommandLine();
};

void TestGuiFileCommands::openEditSaveReopen()
{
    open(kExample);
    QCOMPARE(ui().shown.last().request.title, QStringLiteral("Open Tessaron Project"));
    QCOMPARE(ui().shown.last().request.filter, QStringLiteral("Tessaron XML Project (*.tzx) | *.tzx"));
    QCOMPARE(app().FileName, kExample);
    QVERIFY(app().ProjectSaved);
    QCOMPARE(project().DBName, QStringLiteral("shop_e2e"));
    QVERIFY(!forms().isLoaded(Form::PleaseWait));
    QVERIFY(forms().main().isEnabled());

    // Edits as the editor's commits make them.
    project().Tables.Item(1)->Caption = QStringLiteral("Kategorien \u00e4");
    project().Tables.Item(1)->Fields.Item(2)->pLength = 77;
    app().ProjectSaved = false;
    const QStringList edited = testing::dump(project());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copy.tzx"));
    ui().files << path;
    trigger("miFileSaveXMLAs");
    QCOMPARE(ui().shown.last().request.title, QStringLiteral("Save Tessaron Project"));
    QCOMPARE(ui().shown.last().request.fileName, kExample);
    QVERIFY(app().ProjectSaved);
    QCOMPARE(app().FileName, path);

    // Save goes to the same file again.
    project().Tables.Item(1)->Caption = QStringLiteral("Kategorien \u00e4\u00e4");
    const QStringList saved = testing::dump(project());
    const int dialogs = ui().shown.size();
    trigger("miFileSaveXML");
    QCOMPARE(ui().shown.size(), dialogs);

    trigger("miFileNew");
    QCOMPARE(project().Tables.Count(), 0);
    // The new project is unsaved: the editor asks before it closes.
    ui().answers << Answer::Ok;
    open(path);
    QCOMPARE(ui().messages().size(), 1);
    QCOMPARE(testing::dump(project()), saved);
    QVERIFY(edited != saved);
}

void TestGuiFileCommands::saveWithoutFileIsSaveAs()
{
    trigger("miFileNew");
    QCOMPARE(app().FileName, QString());
    QTemporaryDir dir;
    ui().files << dir.filePath(QStringLiteral("new_db.tzx"));
    trigger("miFileSaveXML");
    QCOMPARE(ui().shown.last().kind, QStringLiteral("save"));
    QCOMPARE(ui().shown.last().request.fileName, QStringLiteral("new_db.tzx"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("new_db.tzx"))));
    QCOMPARE(app().FileName, dir.filePath(QStringLiteral("new_db.tzx")));
    QVERIFY(app().ProjectSaved);

    // Cancelled: nothing written, nothing changed.
    app().ProjectSaved = false;
    ui().files << QString();
    trigger("miFileSaveXMLAs");
    QVERIFY(!app().ProjectSaved);
    QCOMPARE(app().FileName, dir.filePath(QStringLiteral("new_db.tzx")));
}

void TestGuiFileCommands::failedSaveChangesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.tzx"));
    QVERIFY(QFile::copy(kExample, path));
    open(path);
    const QByteArray before = testing::fileBytes(path);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    project().Tables.Item(1)->Caption = QStringLiteral("changed");
    app().ProjectSaved = false;
    trigger("miFileSaveXML");
    QCOMPARE(ui().messages(), QStringList{"Error 70: Permission denied"});
    QCOMPARE(ui().shown.last().style, int(Mb::Exclamation));
    QCOMPARE(testing::fileBytes(path), before);
    QVERIFY(!app().ProjectSaved);
    QCOMPARE(app().FileName, path);

    // Save As into a folder that is not there.
    ui().files << dir.filePath(QStringLiteral("gone/x.tzx"));
    trigger("miFileSaveXMLAs");
    QCOMPARE(ui().messages().last(), QStringLiteral("Error 76: Path not found"));
    QCOMPARE(app().FileName, path);
}

void TestGuiFileCommands::newForgetsTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.tzx"));
    QVERIFY(QFile::copy(kExample, path));
    open(path);
    const QByteArray before = testing::fileBytes(path);
    trigger("miFileNew");
    QCOMPARE(app().FileName, QString());
    QCOMPARE(project().DBName, QStringLiteral("new_db"));
    QVERIFY(!app().ProjectSaved);
    // Save asks where to, and the opened file stays as it was.
    ui().files << QString();
    trigger("miFileSaveXML");
    QCOMPARE(ui().shown.last().kind, QStringLiteral("save"));
    QCOMPARE(testing::fileBytes(path), before);
}

void TestGuiFileCommands::newAsksOverUnsavedChanges()
{
    open(kExample);
    app().ProjectSaved = false;
    ui().answers << Answer::Cancel;
    trigger("miFileNew");
    QCOMPARE(ui().messages(), QStringList{"Are you sure you want to create a new project?\r\nAny unsaved data will be lost!"});
    QCOMPARE(ui().shown.last().style, Mb::OkCancel | Mb::Exclamation);
    QCOMPARE(project().DBName, QStringLiteral("shop_e2e"));
    QVERIFY(project().Tables.Count() > 0);
    QCOMPARE(app().FileName, kExample);

    ui().answers << Answer::Ok;
    trigger("miFileNew");
    QCOMPARE(project().DBName, QStringLiteral("new_db"));
    QCOMPARE(project().Server, QStringLiteral("localhost"));
    QCOMPARE(project().Tables.Count(), 0);

    // A saved project is replaced without a question.
    open(kExample);
    const int shown = ui().shown.size();
    trigger("miFileNew");
    QCOMPARE(ui().shown.size(), shown);
}

void TestGuiFileCommands::noProjectNoSave()
{
    QCOMPARE(project().DBName, QString());
    trigger("miFileSaveXML");
    trigger("miFileSaveXMLAs");
    QVERIFY(ui().shown.isEmpty());
}

void TestGuiFileCommands::openFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("not xml") << QByteArray("this is no project") << "Error while opening the file '%1'.\r\nInvalid or corrupted file";
    QTest::newRow("no tables") << QByteArray("<database><databaseName>x</databaseName></database>")
                               << "Error while opening the file '%1'.\r\nInvalid or corrupted file";
    QTest::newRow("bad number") << QByteArray("<database><databaseName>x</databaseName><scrollStyle>zz</scrollStyle>"
                                              "<table><name>t</name></table></database>")
                                << "Error 13: Type mismatch";
}

void TestGuiFileCommands::openFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    open(kExample);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.tzx"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    open(path);
    QCOMPARE(ui().messages().last(), message.contains(u'%') ? message.arg(path) : message);
    QCOMPARE(project().DBName, QString());
    QCOMPARE(project().Tables.Count(), 0);
    QCOMPARE(app().FileName, QString());
    QVERIFY(app().ProjectSaved);
    QVERIFY(!forms().isLoaded(Form::DB));
    QVERIFY(!forms().isLoaded(Form::PleaseWait));
    QVERIFY(forms().main().isEnabled());
    // Nothing to save now.
    const int shown = ui().shown.size();
    trigger("miFileSaveXML");
    QCOMPARE(ui().shown.size(), shown);
}

void TestGuiFileCommands::openCancelled()
{
    open(kExample);
    app().ProjectSaved = false;
    open(QString());
    QCOMPARE(project().DBName, QStringLiteral("shop_e2e"));
    QCOMPARE(app().FileName, kExample);
    QVERIFY(!app().ProjectSaved);

    // The editor's question answered Cancel: the project stays.
    QTemporaryDir dir;
    const QString other = dir.filePath(QStringLiteral("other.tzx"));
    QVERIFY(QFile::copy(kExample, other));
    ui().answers << Answer::Cancel;
    open(other);
    QCOMPARE(ui().messages().size(), 1);
    QCOMPARE(app().FileName, kExample);
    QVERIFY(!app().ProjectSaved);
    QVERIFY(forms().isLoaded(Form::DB));
}

void TestGuiFileCommands::openFromCommandLine()
{
    app().CommandLine = kExample;
    trigger("miFileOpenXML");
    QVERIFY(ui().shown.isEmpty());
    QCOMPARE(app().CommandLine, QString());
    QCOMPARE(app().FileName, kExample);
    QCOMPARE(project().DBName, QStringLiteral("shop_e2e"));
}

QTEST_MAIN(TestGuiFileCommands)
#include "tst_gui_filecommands.moc"
