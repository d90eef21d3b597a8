// New, Open, Save and Save As through the menus, with the file dialogs
// and questions answered by script.
#include "app/forms.h"
#include "app/frmmain.h"
#include "converter/projectdump.h"
#include "editor/frmdb.h"
#include "model/appstate.h"
#include "model/styles.h"
#include "support/guifixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString kExample = QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx");

MyDB &project() { return *app().ProjectDB; }

// The project's members; the two date settings by value, whether the
// variant holds them as the number a pane commit stores or as the text
// the reader gives.
QStringList members()
{
    QStringList lines = testing::dump(project());
    for (QString &line : lines)
        if (line.startsWith(QStringLiteral("db.Date")))
            line.replace(QStringLiteral("=#"), QStringLiteral("='")).remove(QRegularExpression(QStringLiteral("'$"))).replace(QStringLiteral("='"), QStringLiteral("="));
    return lines;
}

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
    void projectSavedBeforeItsFirstTableOpens();
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
    const QStringList edited = members();

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
    const QStringList saved = members();
    const int dialogs = ui().shown.size();
    trigger("miFileSaveXML");
    QCOMPARE(ui().shown.size(), dialogs);

    trigger("miFileNew");
    QCOMPARE(project().Tables.Count(), 0);
    // The new project is unsaved: the editor asks before it closes.
    ui().answers << Answer::Ok;
    open(path);
    QCOMPARE(ui().messages().size(), 1);
    QCOMPARE(members(), saved);
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

void TestGuiFileCommands::projectSavedBeforeItsFirstTableOpens()
{
    trigger("miFileNew");
    frmDB &editor = forms().db();
    const auto type = [&editor](const char *name, const QString &text) {
        auto *box = editor.findChild<QLineEdit *>(QLatin1String(name));
        QVERIFY2(box, name);
        box->selectAll();
        QTest::keyClicks(box, text);
    };
    type("PicDB_txtDBName", QStringLiteral("shop"));
    type("PicDB_txtDBServer", QStringLiteral("db.local"));
    type("PicDB_txtUserName", QStringLiteral("admin"));
    type("PicDB_txtPassword", QStringLiteral("s3cret"));
    editor.findChild<QComboBox *>(QStringLiteral("PicDB_comboDateFormat"))->setCurrentIndex(1);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.tzx"));
    ui().files << path;
    trigger("miFileSaveXMLAs");
    QVERIFY(app().ProjectSaved);
    const QStringList saved = members();
    QVERIFY(saved.contains(QStringLiteral("db.DBName=shop")));
    QVERIFY(saved.contains(QStringLiteral("db.DateFormat=2")));

    // Closing the editor commits its pane again, which counts as a change:
    // its question is the only box, none about the file.
    ui().answers << Answer::Ok;
    open(path);
    QCOMPARE(ui().messages(),
             QStringList{"Do want to close the current project?\r\nAny unsaved changes will be lost."});
    QCOMPARE(members(), saved);
    QCOMPARE(app().FileName, path);
    QVERIFY(app().ProjectSaved);

    // The editor shows the database, its pane filled from the file.
    QVERIFY(forms().isLoaded(Form::DB));
    frmDB &reopened = forms().db();
    QVERIFY(reopened.isVisible());
    auto *tree = reopened.findChild<QTreeWidget *>(QStringLiteral("TreeView1"));
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("shop"));
    QCOMPARE(tree->topLevelItem(0)->childCount(), 0);
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QVERIFY(reopened.findChild<QWidget *>(QStringLiteral("picDB"))->isVisible());
    QCOMPARE(reopened.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("0 tables in database."));
    const std::pair<const char *, const char *> boxes[] = {
        {"PicDB_txtDBName", "shop"}, {"PicDB_txtDBServer", "db.local"}, {"PicDB_txtUserName", "admin"},
        {"PicDB_txtPassword", "s3cret"}};
    for (const auto &[name, text] : boxes)
        QCOMPARE(reopened.findChild<QLineEdit *>(QLatin1String(name))->text(), QLatin1String(text));
    QCOMPARE(reopened.findChild<QComboBox *>(QStringLiteral("PicDB_comboDateFormat"))->currentIndex(), 1);

    // Tables and Project are there to go on with.
    for (const char *menu : {"mTables", "mProject"})
        QVERIFY2(forms().main().findChild<QMenu *>(QLatin1String(menu))->menuAction()->isEnabled(), menu);
    QVERIFY(m_fixture.action(QStringLiteral("miTablesNew"))->isEnabled());
    QVERIFY(m_fixture.action(QStringLiteral("miProjectGenerate"))->isEnabled());
}

QTEST_MAIN(TestGuiFileCommands)
#include "tst_gui_filecommands.moc"
