// The main window: start-up, the menus and toolbar and what they reach,
// what's-this mode, the outside programs, and Exit.
#include "app/entrypoint.h"
#include "app/forms.h"
#include "app/frmhelp.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "app/frmstyles.h"
#include "app/startup.h"
#include "editor/frmdb.h"
#include "model/appstate.h"
#include "model/maker.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"
#include "platform/settings.h"
#include "support/guifixture.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QCheckBox>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace tess;

namespace {

const QString kNoStartup = QStringLiteral("No Startup");

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

class TestGuiMain : public QObject {
    Q_OBJECT
    test::GuiFixture f;
    QTemporaryDir m_dir;

    frmMain &main() { return forms().main(); }
    void startWithoutDialog()
    {
        settings::set(kNoStartup, QStringLiteral("1"));
        startProgram(QString());
    }
    bool enabled(const QString &name) { return f.action(name)->isEnabled(); }
    // What the menu bar shows of a menu, not only of its items.
    bool menuShownEnabled(const char *menu)
    {
        return main().findChild<QMenu *>(QLatin1String(menu))->menuAction()->isEnabled();
    }
    QString badProjectFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("bad.tzx"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write("not xml");
        return path;
    }

private slots:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }

    // --- start-up -----------------------------------------------------

    void startupOffersTheStartDialog_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("offered");
        QTest::newRow("first run") << QString() << true;
        QTest::newRow("0") << "0" << true;
        QTest::newRow("1") << "1" << false;
        QTest::newRow("other") << "yes" << true;
    }
    void startupOffersTheStartDialog()
    {
        QFETCH(QString, stored);
        QFETCH(bool, offered);
        if (!stored.isNull())
            settings::set(kNoStartup, stored);
        bool checkedWhileShown = false;
        f.dialogs().onStart = [&](frmStart &start) {
            checkedWhileShown = f.action(QStringLiteral("miHelpStartup"))->isChecked();
            f.click(&start, QStringLiteral("Command2"));
        };
        startProgram(QString());
        QCOMPARE(f.dialogs().shown, offered ? QStringList{"frmStart"} : QStringList{});
        QCOMPARE(checkedWhileShown, offered);
        QCOMPARE(f.action(QStringLiteral("miHelpStartup"))->isChecked(), offered);
        QVERIFY(!f.action(QStringLiteral("miHelpStartup"))->isVisible());
        QVERIFY(!f.action(QStringLiteral("miFileOpen"))->isVisible());
        QVERIFY(main().isVisible());
        QCOMPARE(main().windowTitle(), QStringLiteral("Tessaron"));
        QVERIFY(!main().findChild<QMenu *>(QStringLiteral("mTables"))->menuAction()->isEnabled());
        QVERIFY(!main().findChild<QMenu *>(QStringLiteral("mProject"))->menuAction()->isEnabled());
        QVERIFY(!enabled(QStringLiteral("miTablesNew")));
        QVERIFY(!enabled(QStringLiteral("miProjectGenerate")));
        QVERIFY(enabled(QStringLiteral("miFileNew")));
        // Cancel with the box left checked writes nothing.
        QCOMPARE(settings::get(kNoStartup), stored);
        QVERIFY(forms().isLoaded(Form::DB));
    }

    void commandLineOpensTheFile_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("path");
        const QString path = m_dir.filePath(QStringLiteral("my project.tzx"));
        QTest::newRow("quoted") << u'"' + path + u'"' << path;
        QTest::newRow("plain") << path << path;
        QTest::newRow("quotes inside") << u'"' + path.left(5) + QStringLiteral("\"\"") + path.mid(5) + u'"' << path;
    }
    void commandLineOpensTheFile()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, path);
        QFile::remove(path);
        QVERIFY(QFile::copy(QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx"), path));
        QString seenByOpen;
        connect(&entryPoints(), &EntryPoints::started, this, [&](const QString &name) {
            if (name == QLatin1String("miFileOpenXML_Click"))
                seenByOpen = app().CommandLine;
        });
        startProgram(commandLine);
        disconnect(&entryPoints(), nullptr, this, nullptr);
        QVERIFY(f.dialogs().shown.isEmpty());
        QCOMPARE(f.commands(), QStringList{"miFileOpenXML_Click"});
        QCOMPARE(seenByOpen, path);
        QVERIFY(f.ui().messages().isEmpty());
    }

    void commandLineNamesAMissingFile_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("path");
        const QString missing = m_dir.filePath(QStringLiteral("gone.tzx"));
        QTest::newRow("missing") << u'"' + missing + u'"' << missing;
        // A folder is no project file.
        QTest::newRow("folder") << m_dir.path() << m_dir.path();
    }
    void commandLineNamesAMissingFile()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, path);
        startProgram(commandLine);
        QVERIFY(f.dialogs().shown.isEmpty());
        QVERIFY(f.commands().isEmpty());
        QCOMPARE(f.ui().shown.size(), 1);
        QCOMPARE(f.ui().shown[0].text, QStringLiteral("Couldn't open '") + path + QStringLiteral("'.\r\nFile not found."));
        QCOMPARE(f.ui().shown[0].style, int(Mb::OkOnly | Mb::Information));
        QCOMPARE(f.ui().shown[0].title, QStringLiteral("Tessaron"));
        QVERIFY(app().CommandLine.isEmpty());
        QVERIFY(!main().findChild<QMenu *>(QStringLiteral("mTables"))->menuAction()->isEnabled());
    }

    void noProjectLeavesTheProjectMenusOff_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("start dialog cancelled") << "start cancelled";
        QTest::newRow("open from the start dialog cancelled") << "start open cancelled";
        QTest::newRow("new, then a failed open") << "failed open";
        QTest::newRow("failed open from the command line") << "failed command line";
        QTest::newRow("new, then the editor closed") << "editor closed";
        QTest::newRow("open from the menu cancelled") << "menu open cancelled";
    }
    void noProjectLeavesTheProjectMenusOff()
    {
        QFETCH(QString, path);
        const QString bad = badProjectFile();
        QVERIFY(!bad.isEmpty());
        const auto choose = [&](const char *option, const char *button) {
            f.dialogs().onStart = [=, this](frmStart &start) {
                start.findChild<QRadioButton *>(QLatin1String(option))->setChecked(true);
                f.click(&start, QLatin1String(button));
            };
        };
        if (path == QLatin1String("start cancelled")) {
            choose("optNew", "Command2");
            startProgram(QString());
        } else if (path == QLatin1String("start open cancelled")) {
            choose("optOpen", "Command1");
            startProgram(QString());
            QCOMPARE(f.commands().last(), QStringLiteral("miFileOpenXML_Click"));
        } else if (path == QLatin1String("failed command line")) {
            settings::set(kNoStartup, QStringLiteral("1"));
            startProgram(bad);
            QCOMPARE(f.ui().messages().last(),
                     QStringLiteral("Error while opening the file '") + bad
                         + QStringLiteral("'.\r\nInvalid or corrupted file"));
        } else if (path == QLatin1String("menu open cancelled")) {
            startWithoutDialog();
            f.trigger(QStringLiteral("miFileOpenXML"));
            QCOMPARE(f.ui().shown.last().kind, QStringLiteral("open"));
        } else {
            // Enter in the start dialog: a new project.
            startProgram(QString());
            QCOMPARE(app().ProjectDB->DBName, QStringLiteral("new_db"));
            QVERIFY(menuShownEnabled("mTables"));
            QVERIFY(menuShownEnabled("mProject"));
            if (path == QLatin1String("failed open")) {
                // OK to every box: closing the new project, the reader's
                // and the open command's.
                f.ui().files << bad;
                f.trigger(QStringLiteral("miFileOpenXML"));
                QCOMPARE(f.ui().messages().size(), 3);
            } else {
                forms().db().parentWidget()->close();
                QCOMPARE(f.ui().messages().size(), 1);
            }
        }
        QCOMPARE(app().ProjectDB->DBName, QString());
        QVERIFY(!menuShownEnabled("mTables"));
        QVERIFY(!menuShownEnabled("mProject"));
        QVERIFY(!menuShownEnabled("mTablesFields"));
        QVERIFY(!enabled(QStringLiteral("miTablesNew")));
        QVERIFY(!enabled(QStringLiteral("miProjectGenerate")));
        QVERIFY(enabled(QStringLiteral("miFileOpenXML")));
        QVERIFY(main().isEnabled());
    }

    void showStartUpStoresTheSetting()
    {
        startWithoutDialog();
        main().ShowStartUp();
        QVERIFY(f.action(QStringLiteral("miHelpStartup"))->isChecked());
        QCOMPARE(settings::get(kNoStartup), QStringLiteral("0"));
        f.trigger(QStringLiteral("miHelpStartup"));
        QVERIFY(!f.action(QStringLiteral("miHelpStartup"))->isChecked());
        QCOMPARE(settings::get(kNoStartup), QStringLiteral("1"));
        f.trigger(QStringLiteral("miHelpStartup"));
        QVERIFY(f.action(QStringLiteral("miHelpStartup"))->isChecked());
        QCOMPARE(settings::get(kNoStartup), QStringLiteral("0"));
    }

    // --- menus and toolbar --------------------------------------------

    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("command");
        const auto row = [](const char *name, const char *caption, const char *shortcut, bool visible,
                            const char *command) {
            QTest::newRow(name) << name << caption << shortcut << visible << command;
        };
        row("miFileNew", "New", "Ctrl+N", true, "miFileNew_Click");
        row("miFileOpenXML", "Open", "Ctrl+O", true, "miFileOpenXML_Click");
        row("miFileImport", "MySQL database", "", true, "miFileImport_Click");
        row("miFileOpen", "Tessaron old format file", "", false, "miFileOpen_Click");
        row("miFileSamples", "Download samples", "", false, "miFileSamples_Click");
        row("miFileSaveXML", "Save", "Ctrl+S", true, "miFileSaveXML_Click");
        row("miFileSaveXMLAs", "Save As", "", true, "miFileSaveXMLAs_Click");
        row("miFileSave", "Save As Corvane 2.x file", "", false, "miFileSave_Click");
        row("miFileSaveAs", "Save As", "Ctrl+A", false, "miFileSaveAs_Click");
        row("miFileRecent1", "", "", false, "");
        row("miFileRecent4", "", "", false, "");
        row("miFilePreferences", "Preferences", "", false, "miFilePreferences_Click");
        row("miFileExit", "Quit", "Ctrl+Q", true, "");
        row("miTablesNew", "New Table", "Ctrl+T", true, "miTablesNew_Click");
        row("miTablesDelete", "Delete Table", "", true, "miTablesDelete_Click");
        row("miFieldsNew", "New Field", "Ctrl+F", true, "miFieldsNew_Click");
        row("miFieldsDelete", "Delete Field", "", true, "miFieldsDelete_Click");
        row("miFieldsFirstField", "Move Up", "Ctrl+U", true, "miFieldsFirstField_Click");
        row("miFieldsLastField", "Move Down", "Ctrl+D", true, "miFieldsLastField_Click");
        row("miProjectGenerate", "Generate", "F5", true, "miProjectGenerate_Click");
        row("miProjectProperties", "Properties", "F3", true, "miProjectProperties_Click");
        row("miProjectStyles", "Styles", "Shift+F3", true, "miProjectStyles_Click");
        row("miHelpContents", "Contents", "Shift+F1", true, "miHelpContents_Click");
        row("miHelpStartup", "Show Startup screen", "", false, "miHelpStartup_Click");
        row("miWebLinksHalvorn", "Halvorn Corvane", "", true, "miWebLinksHalvorn_Click");
        row("miWebLinksCorvane", "Tessaron Home Page", "", true, "miWebLinksCorvane_Click");
        row("miGettingStarted", "Getting Started", "", false, "miGettingStarted_Click");
        row("miWebLinksSupport", "Support And Feedback", "", true, "miWebLinksSupport_Click");
        row("miWebLinksForum", "Community Forums", "", true, "miWebLinksForum_Click");
        row("miHelpAbout", "About", "", true, "miHelpAbout_Click");
    }
    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, visible);
        QFETCH(QString, command);
        startWithoutDialog();
        main().setProjectMenusEnabled(true);
        QAction *item = f.action(name);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), QKeySequence(shortcut));
        QCOMPARE(item->isVisible(), visible);
        if (command.isEmpty())
            return;
        setProgramFolder(m_dir.path()); // no outside program is there
        item->trigger();
        QCOMPARE(f.commands().value(0), command);
        forms().unload(Form::M2C);
    }

    void menuTree_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("visible");
        QTest::newRow("File") << "mFile" << "&File"
                              << QStringList{"miFileNew", "miFileOpenXML", "mImport", "miFileSamples", "miFileSep0",
                                             "miFileSaveXML", "miFileSaveXMLAs", "mExport", "miFileSep1",
                                             "miFileRecent1", "miFileRecent2", "miFileRecent3", "miFileRecent4",
                                             "miFileSep2", "miFilePreferences", "miFileExit"}
                              << true;
        QTest::newRow("Import") << "mImport" << "Import" << QStringList{"miFileOpen", "miFileImport"} << true;
        QTest::newRow("Export") << "mExport" << "Export" << QStringList{"miFileSave", "miFileSaveAs"} << false;
        QTest::newRow("Tables") << "mTables" << "&Tables"
                                << QStringList{"miTablesNew", "miTablesDelete", "mTablesFields"} << true;
        QTest::newRow("Fields") << "mTablesFields" << "Fields"
                                << QStringList{"miFieldsNew", "miFieldsDelete", "miFieldsSep1", "miFieldsFirstField",
                                               "miFieldsLastField"}
                                << true;
        QTest::newRow("Project") << "mProject" << "&Project"
                                 << QStringList{"miProjectGenerate", "miProjectProperties", "miProjectStyles"} << true;
        QTest::newRow("Help") << "mHelp" << "&Help"
                              << QStringList{"miHelpContents", "miHelpStartup", "mWebLinks", "miHelpSep1",
                                             "miHelpAbout"}
                              << true;
        QTest::newRow("Web Links") << "mWebLinks" << "Web Links"
                                   << QStringList{"miWebLinksHalvorn", "miWebLinksCorvane", "miGettingStarted",
                                                  "miWebLinksSupport", "miWebLinksForum"}
                                   << true;
    }
    void menuTree()
    {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        QFETCH(bool, visible);
        auto *m = main().findChild<QMenu *>(menu);
        QVERIFY(m);
        QCOMPARE(m->title(), title);
        QCOMPARE(m->menuAction()->isVisible(), visible);
        QStringList names;
        for (QAction *a : m->actions())
            names << (a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(names, items);
        QVERIFY(main().findChild<QWidget *>(QStringLiteral("StatusBar1")));
    }

    void toolbarButtons_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("command");
        const auto row = [](const char *key, const char *tag, const char *tip, const char *command) {
            QTest::newRow(key) << key << tag << tip << command;
        };
        row("NewProject", "101", "New Project", "miFileNew_Click");
        row("OpenProject", "102", "Open Project", "miFileOpenXML_Click");
        row("SaveProject", "103", "Save Project", "miFileSaveXML_Click");
        row("ProjectProperties", "105", "Project Properties", "miProjectProperties_Click");
        row("Generate", "106", "Generate PHP Code", "miProjectGenerate_Click");
        row("ProjectStyles", "107", "Project Styles", "miProjectStyles_Click");
        row("TableNew", "109", "New Table", "miTablesNew_Click");
        row("FieldNew", "110", "New Field", "miFieldsNew_Click");
        row("TableDelete", "111", "Delete Selected Table / Field", "miTablesDelete_Click");
        row("LastField", "112", "Move Field Down", "miFieldsLastField_Click");
        row("FirstField", "112", "Move Field Up", "miFieldsFirstField_Click");
        row("Help", "115", "Help", "miHelpContents_Click");
        row("About", "116", "About Tessaron", "miHelpAbout_Click");
        row("Exit", "117", "Exit", "miFileExit_Click");
    }
    void toolbarButtons()
    {
        QFETCH(QString, key);
        QFETCH(QString, tag);
        QFETCH(QString, tooltip);
        QFETCH(QString, command);
        startWithoutDialog();
        QAction *button = f.action(key);
        QVERIFY(button);
        QCOMPARE(button->property("tag").toString(), tag);
        QCOMPARE(button->toolTip(), tooltip);
        // Clicked like a user does, on the button itself.
        auto *widget = main().findChild<QToolButton *>(key);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton);
        QCOMPARE(f.commands().mid(0, 2), (QStringList{"Toolbar1_ButtonClick", command}));
    }

    void toolbarOrder()
    {
        QStringList keys;
        for (QAction *a : main().findChild<QToolBar *>(QStringLiteral("Toolbar1"))->actions())
            keys << a->objectName();
        QCOMPARE(keys, (QStringList{"NewProject", "OpenProject", "SaveProject", "Sep1", "ProjectProperties",
                                    "Generate", "ProjectStyles", "sep2", "TableNew", "FieldNew", "TableDelete",
                                    "LastField", "FirstField", "sep5", "WhatsThis", "Help", "About", "Exit"}));
        QCOMPARE(f.action(QStringLiteral("WhatsThis"))->toolTip(),
                 QStringLiteral("Activate / Deactivate help for tool bar icons"));
    }

    void whatsThisShowsTheTopicInstead_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("command");
        QTest::newRow("Generate") << "Generate" << "Generate PHP Code" << "miProjectGenerate_Click";
        QTest::newRow("LastField") << "LastField" << "Move Field" << "miFieldsLastField_Click";
        QTest::newRow("FirstField") << "FirstField" << "Move Field" << "miFieldsFirstField_Click";
        QTest::newRow("Exit") << "Exit" << "Exit" << "miFileExit_Click";
    }
    void whatsThisShowsTheTopicInstead()
    {
        QFETCH(QString, key);
        QFETCH(QString, topic);
        QFETCH(QString, command);
        startWithoutDialog();
        QAction *whatsThis = f.action(QStringLiteral("WhatsThis"));
        whatsThis->trigger();
        QVERIFY(main().whatsThisMode());
        QVERIFY(whatsThis->isChecked());
        QCOMPARE(main().cursor().shape(), Qt::WhatsThisCursor);
        f.trigger(key);
        QCOMPARE(f.commands(), (QStringList{"Toolbar1_ButtonClick", "Toolbar1_ButtonClick"}));
        QVERIFY(forms().isLoaded(Form::Help));
        QVERIFY(forms().help().isVisible());
        QCOMPARE(forms().help().titleText(), u' ' + topic);
        // The mode stays on until the button is clicked again.
        QVERIFY(main().whatsThisMode());
        whatsThis->trigger();
        QVERIFY(!main().whatsThisMode());
        QVERIFY(!whatsThis->isChecked());
        QCOMPARE(main().cursor().shape(), Qt::ArrowCursor);
        f.trigger(key);
        QCOMPARE(f.commands().value(4), command);
        QVERIFY(main().isVisible() == (key != QLatin1String("Exit")));
    }

    // A command that gives the main window its default pointer again ends
    // the mode; the button stays pressed and a click turns the mode on.
    void commandsThatEndWhatsThis_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("ends");
        QTest::newRow("open") << "open" << true;
        QTest::newRow("open of a bad file") << "open bad" << true;
        QTest::newRow("open cancelled") << "open cancelled" << false;
        QTest::newRow("generate") << "generate" << true;
        QTest::newRow("generate, folder cancelled") << "generate cancelled" << false;
    }
    void commandsThatEndWhatsThis()
    {
        QFETCH(QString, command);
        QFETCH(bool, ends);
        QTemporaryDir output;
        startWithoutDialog();
        if (command.startsWith(QLatin1String("generate"))) {
            f.ui().files << QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx");
            f.trigger(QStringLiteral("miFileOpenXML"));
            QCOMPARE(app().ProjectDB->DBName, QStringLiteral("shop_e2e"));
        }
        auto *whatsThis = main().findChild<QToolButton *>(QStringLiteral("WhatsThis"));
        QTest::mouseClick(whatsThis, Qt::LeftButton);
        QCOMPARE(main().cursor().shape(), Qt::WhatsThisCursor);

        if (command == QLatin1String("open"))
            f.ui().files << QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx");
        else if (command == QLatin1String("open bad"))
            f.ui().files << badProjectFile();
        if (command.startsWith(QLatin1String("open"))) {
            f.trigger(QStringLiteral("miFileOpenXML"));
        } else {
            f.dialogs().outputFolders << (command == QLatin1String("generate") ? output.path() : QString());
            f.trigger(QStringLiteral("miProjectGenerate"));
            QCOMPARE(f.dialogs().shown.last(), QStringLiteral("frmOutputFolder"));
            forms().unload(Form::Generating);
        }
        QCOMPARE(f.commands().last(), command.startsWith(QLatin1String("open")) ? QStringLiteral("miFileOpenXML_Click")
                                                                                : QStringLiteral("miProjectGenerate_Click"));
        QVERIFY(whatsThis->isChecked());
        QCOMPARE(main().cursor().shape(), ends ? Qt::ArrowCursor : Qt::WhatsThisCursor);

        // A toolbar click: the command, or only its help topic.
        QTest::mouseClick(main().findChild<QToolButton *>(QStringLiteral("About")), Qt::LeftButton);
        QCOMPARE(f.commands().last(), ends ? QStringLiteral("miHelpAbout_Click") : QStringLiteral("Toolbar1_ButtonClick"));
        QCOMPARE(forms().isLoaded(Form::Help), !ends);
        // A failed open hides the button with the other project buttons.
        const bool shown = f.action(QStringLiteral("WhatsThis"))->isVisible();
        QCOMPARE(shown, command != QLatin1String("open bad"));
        if (ends && shown) {
            // The pressed button turns the mode on again.
            QTest::mouseClick(whatsThis, Qt::LeftButton);
            QCOMPARE(main().cursor().shape(), Qt::WhatsThisCursor);
            QVERIFY(whatsThis->isChecked());
        }
    }

    void doubleClickOnTheEmptyAreaOpens()
    {
        startWithoutDialog();
        forms().unload(Form::DB);
        QTest::mouseDClick(main().mdiArea()->viewport(), Qt::LeftButton);
        QCOMPARE(f.commands(), (QStringList{"MDIForm_DblClick", "miFileOpenXML_Click"}));
    }

    void minimisingHidesTheStylesWindow()
    {
        startWithoutDialog();
        forms().styles().show();
        main().setWindowState(Qt::WindowMinimized);
        QVERIFY(!forms().styles().isVisible());
        QVERIFY(forms().isLoaded(Form::Styles));
        main().setWindowState(Qt::WindowNoState);
        QVERIFY(!forms().styles().isVisible());
    }

    // --- outside programs ---------------------------------------------

    void outsidePrograms_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("missingMessage");
        QTest::newRow("help file") << "miHelpContents" << "tessaron_help.chm" << "external"
                                   << " If the file is missing, reinstall the program. If the file exists, you "
                                      "probably need to install a newer version of Internet Explorer that supports "
                                      "HTML Help.";
        QTest::newRow("converter") << "miFileOpen" << "tzp2tzx" << "program"
                                   << " If the file is missing, reinstall the program.";
        QTest::newRow("import tool") << "miFileImport" << "mysql2tessaron" << "program" << "";
    }
    void outsidePrograms()
    {
        QFETCH(QString, item);
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(QString, missingMessage);
        startWithoutDialog();
        setProgramFolder(m_dir.path());
        const QString path = m_dir.filePath(file);
        QFile::remove(path);

        f.trigger(item);
        if (missingMessage.isEmpty()) {
            QVERIFY(f.ui().shown.isEmpty());
            QVERIFY(forms().isLoaded(Form::M2C));
            QVERIFY(forms().loaded(Form::M2C)->isVisible());
            forms().unload(Form::M2C);
        } else {
            QCOMPARE(f.ui().shown.size(), 1);
            QCOMPARE(f.ui().shown[0].text, QStringLiteral("Couldn't open '") + path + QStringLiteral("'.") + missingMessage);
            QCOMPARE(f.ui().shown[0].style, int(Mb::OkOnly | Mb::Exclamation));
        }

        touch(path);
        f.ui().shown.clear();
        f.trigger(item);
        QCOMPARE(f.ui().shown.size(), 1);
        QCOMPARE(f.ui().shown[0].kind, kind);
        QCOMPARE(f.ui().shown[0].text, path);
        QVERIFY(!forms().isLoaded(Form::M2C));
    }

    void importNoticeIsOneWindow()
    {
        startWithoutDialog();
        QTemporaryDir empty;
        setProgramFolder(empty.path());
        f.trigger(QStringLiteral("miFileImport"));
        QWidget *first = forms().loaded(Form::M2C);
        f.trigger(QStringLiteral("miFileImport"));
        QCOMPARE(forms().loaded(Form::M2C), first);
        int notices = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            notices += w->objectName() == QLatin1String("frmM2C") && w->isVisible();
        QCOMPARE(notices, 1);
        QTest::keyClick(first, Qt::Key_Escape);
        QVERIFY(!forms().isLoaded(Form::M2C));
    }

    void webLinks_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::newRow("maker") << "miWebLinksHalvorn" << webAddress();
        QTest::newRow("home") << "miWebLinksCorvane" << webAddress();
        QTest::newRow("support") << "miWebLinksSupport" << supportAddress();
        QTest::newRow("forum") << "miWebLinksForum" << forumAddress();
    }
    void webLinks()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        startWithoutDialog();
        f.trigger(item);
        QCOMPARE(f.ui().shown.size(), 1);
        QCOMPARE(f.ui().shown[0].kind, QStringLiteral("external"));
        QCOMPARE(f.ui().shown[0].text, address);
    }

    void aboutIsModalThroughTheDialogs()
    {
        startWithoutDialog();
        f.trigger(QStringLiteral("miHelpAbout"));
        QCOMPARE(f.dialogs().shown, QStringList{"frmAbout"});
        QVERIFY(forms().isLoaded(Form::About));
    }

    // --- errors -------------------------------------------------------

    void anErrorEndsTheCommandOnly_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("run-time error") << 0 << "Error 5: Invalid procedure call or argument";
        QTest::newRow("own error") << 1 << "Error 1000: File not found";
        QTest::newRow("other exception") << 2 << "Error 51: boom";
    }
    void anErrorEndsTheCommandOnly()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        bool after = false;
        const bool ok = runEntry(QStringLiteral("failing"), [&] {
            if (kind == 0)
                raise(Err::InvalidCall);
            if (kind == 1)
                raise(1000, QStringLiteral("File not found"));
            throw std::runtime_error("boom");
            after = true;
        });
        QVERIFY(!ok);
        QVERIFY(!after);
        QCOMPARE(f.ui().messages(), QStringList{message});
        QCOMPARE(f.ui().shown[0].style, int(Mb::OkOnly | Mb::Exclamation));
    }

    // --- Exit ---------------------------------------------------------

    void exitWithCancelKeepsEverything()
    {
        startWithoutDialog();
        // The editor asks only over an open project.
        app().ProjectDB->DBName = QStringLiteral("shop");
        app().ProjectSaved = false;
        forms().styles().show();
        forms().styles().StylesDisplay();
        forms().help().Display(QStringLiteral("106"));
        const QString helpText = forms().help().bodyText();
        f.ui().answers << Answer::Cancel;
        f.trigger(QStringLiteral("miFileExit"));
        QCOMPARE(f.ui().messages(),
                 QStringList{"Do want to close the current project?\r\nAny unsaved changes will be lost."});
        QCOMPARE(f.ui().shown[0].style, int(Mb::OkCancel | Mb::Exclamation));
        QVERIFY(forms().isLoaded(Form::Main));
        QVERIFY(main().isVisible());
        QVERIFY(forms().isLoaded(Form::DB));
        QVERIFY(forms().styles().isVisible());
        QVERIFY(forms().help().isVisible());
        QCOMPARE(forms().help().bodyText(), helpText);
    }

    void exitClosesEverything_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("saved");
        QTest::newRow("menu") << false << true;
        QTest::newRow("close box") << true << true;
        QTest::newRow("menu, unsaved, OK") << false << false;
        QTest::newRow("close box, unsaved, OK") << true << false;
    }
    void exitClosesEverything()
    {
        QFETCH(bool, closeBox);
        QFETCH(bool, saved);
        startWithoutDialog();
        app().ProjectDB->DBName = QStringLiteral("shop");
        app().ProjectSaved = saved;
        forms().styles().show();
        forms().help().Display(QStringLiteral("101"));
        f.ui().answers << Answer::Ok;
        if (closeBox)
            main().close();
        else
            f.trigger(QStringLiteral("miFileExit"));
        QCOMPARE(f.ui().messages().size(), saved ? 0 : 1);
        for (Form form : {Form::Main, Form::DB, Form::Styles, Form::Help, Form::Start})
            QVERIFY(!forms().isLoaded(form));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    // --- the editor in the main window ---------------------------------

    // A project opened at the program's own size and in a large window:
    // the editor fills the client area, the tree shows whole names, every
    // control of every pane can be scrolled out from under the bars, and a
    // pane smaller than its view fills it.
    void editorFitsTheMainWindow_data()
    {
        QTest::addColumn<QSize>("size"); // invalid: the size the program opens with
        QTest::addColumn<QString>("picture");
        QTest::newRow("default size") << QSize() << "main_window";
        QTest::newRow("large window") << QSize(1600, 1000) << "main_window_large";
    }
    void editorFitsTheMainWindow()
    {
        QFETCH(QSize, size);
        QFETCH(QString, picture);
        settings::set(kNoStartup, QStringLiteral("1"));
        startProgram(QStringLiteral("\"" TESSARON_SOURCE_DIR "/examples/shop.tzx\""));
        QCOMPARE(main().size(), QSize(900, 640));
        if (size.isValid())
            main().resize(size);
        QCoreApplication::processEvents();
        frmDB &editor = forms().db();
        QCOMPARE(editor.parentWidget()->geometry(), main().mdiArea()->viewport()->rect());

        auto *tree = editor.findChild<QTreeWidget *>(QStringLiteral("TreeView1"));
        tree->expandAll();
        QCoreApplication::processEvents();
        const QFontMetrics metrics(tree->font());
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const QRect place = tree->visualItemRect(*it);
            const QString name = (*it)->text(0);
            // The picture, the delegate's margins and the whole name.
            QVERIFY2(tree->iconSize().width() + 16 + metrics.horizontalAdvance(name) <= place.width(), qPrintable(name));
            QVERIFY2(place.right() < tree->viewport()->width(), qPrintable(name));
        }

        auto *view = editor.findChild<QWidget *>(QStringLiteral("Picture1"));
        auto *h = editor.findChild<QScrollBar *>(QStringLiteral("HScroll1"));
        auto *v = editor.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
        const struct {
            const char *node, *pane, *picture;
        } panes[] = {{"", "picDB", ""},
                     {"categories", "picTable", "_table"},
                     {"products/internal_code", "picField", "_field"}};
        for (const auto &p : panes) {
            tree->setCurrentItem(test::treeNode(editor.rootNode(), QLatin1String(p.node)));
            QCoreApplication::processEvents();
            auto *pane = editor.findChild<QWidget *>(QLatin1String(p.pane));
            QVERIFY(pane->isVisible());
            const QSize shown(view->width() - v->width(), view->height() - h->height());
            QVERIFY2(pane->width() >= shown.width() && pane->height() >= shown.height(), p.pane);
            if (!QByteArray(p.picture).isEmpty())
                test::GuiFixture::screenshot(&main(), picture + QLatin1String(p.picture));
            // Both bars dragged to their ends.
            h->setValue(h->maximum());
            v->setValue(v->maximum());
            for (QWidget *control : pane->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!control->isVisibleTo(pane))
                    continue;
                const QRect where(control->mapTo(view, QPoint()), control->size());
                QVERIFY2(where.right() < shown.width() && where.bottom() < shown.height(),
                         qPrintable(control->objectName()));
            }
        }
        tree->setCurrentItem(editor.rootNode());
        QCoreApplication::processEvents();
        test::GuiFixture::screenshot(&main(), picture);
    }
};

QTEST_MAIN(TestGuiMain)
#include "tst_gui_main.moc"
