// The start dialog, the About box and the help window, each driven by
// clicking its own controls; and the help-text file reader.
#include "app/forms.h"
#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "app/helpfile.h"
#include "app/startup.h"
#include "model/appstate.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "support/errorof.h"
#include "support/guifixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tess;

namespace {

const QString kNoStartup = QStringLiteral("No Startup");
const QString kHelpError = QStringLiteral("Error opening the help file 'con_help'. Please reinstall the file.");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestGuiDialogs : public QObject {
    Q_OBJECT
    test::GuiFixture f;
    QTemporaryDir m_dir;

    QString helpPath() const { return m_dir.filePath(QStringLiteral("con_help")); }

private slots:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }

    // --- start dialog -------------------------------------------------

    // The dialog as it shows: every control whole inside it.
    void startDialogControls()
    {
        frmStart &start = forms().start();
        start.setModal(false);
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        for (QWidget *control : start.findChildren<QWidget *>()) {
            QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
            QVERIFY2(start.rect().contains(QRect(control->mapTo(&start, QPoint()), control->size())),
                     qPrintable(control->objectName()));
        }
        test::GuiFixture::screenshot(&start, QStringLiteral("start_dialog"));
        QCOMPARE(start.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("How do you want to begin your work?"));
        QCOMPARE(start.findChild<QRadioButton *>(QStringLiteral("optHelp"))->text(), QStringLiteral("Read the online help"));
        QCOMPARE(start.findChild<QRadioButton *>(QStringLiteral("optNew"))->text(), QStringLiteral("Start with a new project"));
        QCOMPARE(start.findChild<QRadioButton *>(QStringLiteral("optOpen"))->text(), QStringLiteral("Open an existing project"));
        QVERIFY(start.findChild<QRadioButton *>(QStringLiteral("optNew"))->isChecked());
        QVERIFY(!start.findChild<QRadioButton *>(QStringLiteral("optHelp"))->isChecked());
        auto *chk = start.findChild<QCheckBox *>(QStringLiteral("chkShow"));
        QCOMPARE(chk->text(), QStringLiteral("Always show this box on start up."));
        QVERIFY(chk->isChecked());
        auto *ok = start.findChild<QPushButton *>(QStringLiteral("Command1"));
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QVERIFY(ok->isDefault());
        QCOMPARE(start.findChild<QPushButton *>(QStringLiteral("Command2"))->text(), QStringLiteral("Cancel"));
    }

    void startDialogChoices_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("keepShowing");
        QTest::addColumn<QString>("button"); // Command1, Command2, "dblclick", "esc"
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("stored");
        const QStringList none;
        QTest::newRow("Ok, defaults") << "optNew" << true << "Command1"
                                      << QStringList{"frmStart.Command1_Click", "miFileNew_Click"} << QString();
        QTest::newRow("Ok, open") << "optOpen" << true << "Command1"
                                  << QStringList{"frmStart.Command1_Click", "miFileOpenXML_Click"} << QString();
        QTest::newRow("Ok, help") << "optHelp" << true << "Command1"
                                  << QStringList{"frmStart.Command1_Click", "miHelpContents_Click"} << QString();
        QTest::newRow("Ok, box cleared") << "optNew" << false << "Command1"
                                         << QStringList{"frmStart.Command1_Click", "miFileNew_Click"} << "1";
        QTest::newRow("Cancel") << "optOpen" << true << "Command2" << QStringList{"frmStart.Command2_Click"} << QString();
        QTest::newRow("Cancel, box cleared") << "optNew" << false << "Command2"
                                             << QStringList{"frmStart.Command2_Click"} << "1";
        QTest::newRow("Esc") << "optNew" << false << "esc" << QStringList{"frmStart.Command2_Click"} << "1";
        QTest::newRow("double click help") << "optHelp" << true << "dblclick"
                                           << QStringList{"optHelp_DblClick", "miHelpContents_Click"} << QString();
        QTest::newRow("double click open") << "optOpen" << false << "dblclick"
                                           << QStringList{"optOpen_DblClick", "miFileOpenXML_Click"} << "1";
    }
    void startDialogChoices()
    {
        QFETCH(QString, option);
        QFETCH(bool, keepShowing);
        QFETCH(QString, button);
        QFETCH(QStringList, commands);
        QFETCH(QString, stored);
        setProgramFolder(m_dir.path()); // no help file here
        f.dialogs().onStart = [&](frmStart &start) {
            auto *opt = start.findChild<QRadioButton *>(option);
            if (button == QLatin1String("dblclick")) {
                start.findChild<QCheckBox *>(QStringLiteral("chkShow"))->setChecked(keepShowing);
                // On the button's circle: the rest of its row takes no click.
                const QPoint circle(8, opt->height() / 2);
                QTest::mouseClick(opt, Qt::LeftButton, {}, circle);
                QTest::mouseDClick(opt, Qt::LeftButton, {}, circle);
                return;
            }
            opt->setChecked(true);
            start.findChild<QCheckBox *>(QStringLiteral("chkShow"))->setChecked(keepShowing);
            if (button == QLatin1String("esc"))
                QTest::keyClick(&start, Qt::Key_Escape);
            else
                f.click(&start, button);
        };
        startProgram(QString());
        QCOMPARE(f.dialogs().shown, QStringList{"frmStart"});
        QCOMPARE(f.commands(), commands);
        QCOMPARE(settings::get(kNoStartup), stored);
        QVERIFY(!forms().start().isVisible());
        // The dialog stays loaded, hidden, until Exit.
        QVERIFY(forms().isLoaded(Form::Start));
        QCOMPARE(forms().main().findChild<QAction *>(QStringLiteral("miHelpStartup"))->isChecked(), keepShowing);
        if (option == QLatin1String("optHelp") && button != QLatin1String("Command2"))
            // the help file is missing (and so is the file-type list)
            QCOMPARE(f.ui().messages().size() - f.ui().messages().filter(QStringLiteral("fileTypes.cfg")).size(), 1);
    }

    void aScreenshotNotWrittenFailsTheTest()
    {
        frmStart &start = forms().start();
        start.setModal(false);
        start.show();
        QEXPECT_FAIL("", "the folder of this picture is not there", Continue);
        test::GuiFixture::screenshot(&start, QStringLiteral("no such folder/start_dialog"));
    }

    // --- About box ----------------------------------------------------

    void aboutBox()
    {
        frmAbout &about = forms().about();
        about.show();
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Version 3.0"));
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("Label1"))->property("index").toInt(), 4);
        QTest::qWait(20);
        test::GuiFixture::screenshot(&about, QStringLiteral("about_box"));
        f.click(&about, QStringLiteral("cmdClose"));
        QVERIFY(!forms().isLoaded(Form::About));
        QVERIFY(!about.isVisible());
    }

    // --- help window --------------------------------------------------

    void helpWindowShowsATopic()
    {
        forms().main().show();
        frmHelp &help = forms().help();
        QCOMPARE(help.windowTitle(), QStringLiteral("Tessaron Help (Press Esc to hide me)"));
        help.Display(QStringLiteral("106"));
        QVERIFY(help.isVisible());
        QCOMPARE(help.titleText(), QStringLiteral(" Generate PHP Code"));
        QVERIFY(help.bodyText().contains(QStringLiteral("\r\n\r\n")));
        QVERIFY(f.ui().shown.isEmpty());
        QTest::qWait(20);
        test::GuiFixture::screenshot(&help, QStringLiteral("help_window"));
        // Esc, even from the body, hides without unloading.
        auto *body = help.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        body->setFocus();
        QTest::keyClick(body, Qt::Key_Escape);
        QVERIFY(!help.isVisible());
        QVERIFY(forms().isLoaded(Form::Help));
        help.Display(QStringLiteral("no such topic"));
        QVERIFY(help.isVisible());
        QCOMPARE(help.titleText(), QStringLiteral(" "));
        QCOMPARE(help.bodyText(), QStringLiteral("No help topics found for this item."));
        QCOMPARE(body->toPlainText(), QStringLiteral("No help topics found for this item."));
    }

    void helpWindowWithoutItsFile()
    {
        setProgramFolder(m_dir.path());
        QFile::remove(helpPath());
        frmHelp &help = forms().help();
        help.Display(QStringLiteral("1"));
        QCOMPARE(f.ui().messages(), QStringList{kHelpError});
        QCOMPARE(f.ui().shown[0].style, int(Mb::Exclamation));
        QVERIFY(!help.isVisible());
        // Put back, it works again.
        writeFile(helpPath(), "\"1\",\"One\",\"First\"\r\n");
        help.Display(QStringLiteral("1"));
        QVERIFY(help.isVisible());
        QCOMPARE(help.titleText(), QStringLiteral(" One"));
        // A broken file keeps the topic shown.
        writeFile(helpPath(), "\"1\",\"One\"");
        help.Display(QStringLiteral("1"));
        QCOMPARE(f.ui().messages().size(), 2);
        QVERIFY(help.isVisible());
        QCOMPARE(help.bodyText(), QStringLiteral("First"));
    }

    void helpWindowLayout()
    {
        frmHelp &help = forms().help();
        help.show();
        help.resize(700, 300);
        QTest::qWait(10);
        const int W = help.frameGeometry().width();
        const int H = help.frameGeometry().height();
        auto *body = help.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        auto *title = help.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(body->width(), W - 4 * body->x());
        QCOMPARE(title->width(), body->width());
        QCOMPARE(body->height(), H - title->height() - 10 * title->y());
    }

    void everyToolbarTagHasATopic()
    {
        // The help texts installed beside the program.
        const QString path = joinPath(QStringLiteral(TESSARON_BIN_DIR), QStringLiteral("con_help"));
        frmMain &main = forms().main();
        for (QAction *a : main.findChildren<QAction *>()) {
            const QString tag = a->property("tag").toString();
            if (!tag.isEmpty())
                QVERIFY2(readHelpTopic(path, tag).found, qPrintable(tag));
        }
        for (const char *tag : {"40", "41", "42", "43", "44"})
            QVERIFY2(readHelpTopic(path, QString::fromLatin1(tag)).found, tag);
    }

    // --- help-text file -----------------------------------------------

    void readsTopics_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        const QString none = QStringLiteral("No help topics found for this item.");
        QTest::newRow("one record") << QByteArray("\"60\",\"Title\",\"Body text\"\r\n") << "60" << true << "Title"
                                    << "Body text";
        QTest::newRow("paragraphs") << QByteArray("\"1\",\"T\",\"One.%%Two.\"\r\n") << "1" << true << "T"
                                    << "One.\r\n\r\nTwo.";
        QTest::newRow("CR LF in a body") << QByteArray("\"1\",\"T\",\"One\r\ntwo\ntree\"\r\n") << "1" << true << "T"
                                         << "One two tree";
        QTest::newRow("comma in quotes") << QByteArray("\"1\",\"A, B\",\"x, y\"\r\n") << "1" << true << "A, B"
                                         << "x, y";
        QTest::newRow("unquoted, trimmed") << QByteArray("d5 ,  Title one , body\r\n") << "d5" << true
                                           << "Title one" << "body";
        QTest::newRow("line break in id") << QByteArray("\"img\r\n1\",\"T\",\"B\"\r\n") << "img1" << true << "T"
                                          << "B";
        QTest::newRow("case counts") << QByteArray("\"D5\",\"T\",\"B\"\r\n") << "d5" << false << "" << none;
        QTest::newRow("first of two wins") << QByteArray("\"7\",\"First\",\"a\"\r\n\"7\",\"Second\",\"b\"\r\n") << "7"
                                           << true << "First" << "a";
        QTest::newRow("later record") << QByteArray("\"1\",\"A\",\"a\"\r\n\"2\",\"B\",\"b\"\r\n") << "2" << true << "B"
                                      << "b";
        QTest::newRow("missing topic") << QByteArray("\"1\",\"A\",\"a\"\r\n") << "3" << false << "" << none;
        QTest::newRow("trailing blank lines") << QByteArray("\"1\",\"A\",\"a\"\r\n\r\n\r\n  \r\n") << "2" << false << ""
                                              << none;
        QTest::newRow("no final line end") << QByteArray("\"1\",\"A\",\"a\"") << "1" << true << "A" << "a";
        QTest::newRow("LF line ends") << QByteArray("\"1\",\"A\",\"a\"\n\"2\",\"B\",\"b\"\n") << "2" << true << "B"
                                      << "b";
        QTest::newRow("8-bit text") << QByteArray("\"1\",\"Caf\xe9\",\"\x80 5\"\r\n") << "1" << true
                                    << QStringLiteral("Caf\u00e9") << QStringLiteral("\u20ac 5");
        QTest::newRow("empty file") << QByteArray() << "1" << false << "" << none;
        QTest::newRow("empty file, empty id") << QByteArray() << "" << true << "" << "";
        QTest::newRow("empty last field") << QByteArray("\"1\",\"A\",\r\n") << "1" << true << "A" << "";
    }
    void readsTopics()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, id);
        QFETCH(bool, found);
        QFETCH(QString, title);
        QFETCH(QString, body);
        writeFile(helpPath(), file);
        const HelpTopic topic = readHelpTopic(helpPath(), id);
        QCOMPARE(topic.found, found);
        QCOMPARE(topic.title, title);
        QCOMPARE(topic.body, body);
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("record cut short") << QByteArray("\"1\",\"A\",\"a\"\r\n\"2\",\"B\"\r\n");
        QTest::newRow("open quote") << QByteArray("\"1\",\"A\",\"a\r\n");
    }
    void brokenFiles()
    {
        QFETCH(QByteArray, file);
        writeFile(helpPath(), file);
        QCOMPARE(test::errorOf([&] { readHelpTopic(helpPath(), QStringLiteral("2")); }), int(Err::InputPastEnd));
        QFile::remove(helpPath());
        QVERIFY(test::errorOf([&] { readHelpTopic(helpPath(), QStringLiteral("2")); }) != 0);
    }
};

QTEST_MAIN(TestGuiDialogs)
#include "tst_gui_dialogs.moc"
