// The converter window offscreen: silent conversion from a command line,
// the Browse buttons, the focus checks, Convert with its messages, and the
// window's commands while a conversion runs.
#include "oldfile.h"

#include "app/forms.h"
#include "converter/converterstartup.h"
#include "converter/frmconverter.h"
#include "support/guifixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace tess;
using namespace tess::testing;

namespace {

const QString kDone = QStringLiteral("The conversion process is complete. You can now open the TZX file in Tessaron 3");
const QString kFailed = QStringLiteral("Couldn't perform the conversion process.");
const QString kSelectFirst = QStringLiteral("Please select the TZP file to convert and the TZX file first.");
const QString kInvalidTzp = QStringLiteral("Invalid TZP file name or the specified TZP file doesn't exist");
const QString kInvalidTzx = QStringLiteral("Invalid TZX file name");

QStringList projectTokens()
{
    return oldDatabase("shop") + QStringList{"49", "", "1"} + oldTable("orders") + QStringList{"49"}
           + oldField("id") + oldField("name", "15") + oldTable("customers") + oldField("c1");
}

// Services that hand everything to the scripted ones and run a step of the
// test's own the first time the message loop is let run: that is, in the
// middle of a conversion.
class DuringConversionUi final : public UiServices {
public:
    explicit DuringConversionUi(ScriptedUi &inner) : m_inner(inner) { setUi(this); }
    ~DuringConversionUi() override { setUi(&m_inner); }

    std::function<void()> step;

    int messageBox(const QString &text, int style, const QString &title) override
    {
        return m_inner.messageBox(text, style, title);
    }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        return m_inner.inputBox(prompt, title, defaultText);
    }
    QString openFileName(const FileDialogRequest &r) override { return m_inner.openFileName(r); }
    QString saveFileName(const FileDialogRequest &r) override { return m_inner.saveFileName(r); }
    bool openExternal(const QString &target) override { return m_inner.openExternal(target); }
    void processEvents() override
    {
        m_inner.processEvents();
        if (step)
            std::exchange(step, nullptr)();
    }

private:
    ScriptedUi &m_inner;
};

} // namespace

class TestGuiConverter : public QObject {
    Q_OBJECT

    test::GuiFixture f;
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString oldProject(const QString &name = QStringLiteral("shop.tzp"), const QStringList &tokens = projectTokens())
    {
        const QString p = path(name);
        if (!writeBytes(p, oldFile(tokens)))
            qFatal("cannot write the fixture");
        return p;
    }

    template <typename T>
    static T *control(const char *name)
    {
        T *c = forms().converter().findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    static QLineEdit *box(const char *name) { return control<QLineEdit>(name); }
    void click(const char *name) { f.click(&forms().converter(), QLatin1String(name)); }

    // The window as the user sees it, the focus in a place of its own.
    static frmConverter &shownForm()
    {
        frmConverter &form = forms().converter();
        form.Form_Load(QString());
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            qFatal("the window did not become active");
        return form;
    }

    static void moveFocus(QWidget *to)
    {
        to->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        f.init();
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(path(name));
    }

    void cleanup() { f.cleanup(); }

    void silentConversion()
    {
        ScriptedUi &ui = f.ui();
        const QString source = oldProject();
        QCOMPARE(startConverter('"' + source + '"'), std::optional<int>(0));

        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].text, kDone);
        QCOMPARE(ui.shown[0].title, QStringLiteral("Conversion Done"));
        QCOMPARE(ui.shown[0].style, int(Mb::Information));
        QVERIFY(!forms().isLoaded(Form::Converter));

        const QByteArray xml = fileBytes(path("shop.tzx"));
        QVERIFY(xml.startsWith("<database><databaseName>shop</databaseName>"));
        QCOMPARE(xml.count("<table>"), 2);
        QCOMPARE(xml.count("<field>"), 3);
        QVERIFY(!xmlDump(path("shop.tzx")).isEmpty());
        QCOMPARE(xmlDump(path("shop.tzx")), convertedDump(source));
    }

    // Whatever goes wrong in silent mode ends in a message and status 1,
    // and nothing is written.
    void silentFailures_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("upper-case extension: the source itself") << "UPPER.TZP" << QStringList{kFailed};
        QTest::newRow("other extension: the source itself") << "shop.txt" << QStringList{kFailed};
        QTest::newRow("missing file") << "missing.tzp" << QStringList{kFailed};
        QTest::newRow("path too short") << "\"a\"" << QStringList{kFailed};
        QTest::newRow("only quotes") << "\"\"" << QStringList{kFailed};
        QTest::newRow("flag not a number") << "bad.tzp" << QStringList{"Error 13: Type mismatch", kFailed};
        QTest::newRow("read-only output") << "locked.tzp" << QStringList{"Error 70: Permission denied", kFailed};
    }
    void silentFailures()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, messages);
        ScriptedUi &ui = f.ui();
        oldProject("UPPER.TZP");
        oldProject("shop.txt");
        oldProject("bad.tzp", oldDatabase() + QStringList{"no"});
        oldProject("locked.tzp");
        QVERIFY(writeBytes(path("locked.tzx"), "old"));
        QVERIFY(QFile::setPermissions(path("locked.tzx"), QFileDevice::ReadOwner));
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);

        QDir::setCurrent(m_dir.path());
        QCOMPARE(startConverter(commandLine), std::optional<int>(1));
        QCOMPARE(ui.messages(), messages);
        QCOMPARE(ui.shown.last().title, QStringLiteral("Conversion failed"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(fileBytes(path("UPPER.TZP")), oldFile(projectTokens()));
        QCOMPARE(fileBytes(path("locked.tzx")), QByteArray("old"));
        QVERIFY(!forms().isLoaded(Form::Converter));
    }

    void browseOldFile()
    {
        ScriptedUi &ui = f.ui();
        shownForm();
        ui.files << path("a.tzp") << QString() << path("b.tzp");
        click("cmdTZPFile");
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].kind, QStringLiteral("open"));
        QCOMPARE(ui.shown[0].request.filter, QStringLiteral("TZP File (TZP)|*.tzp"));
        QCOMPARE(ui.shown[0].request.flags, 0x1000);
        QCOMPARE(box("txtTZPFile")->text(), path("a.tzp"));
        QCOMPARE(box("txtTZXFile")->text(), path("a.tzx"));

        // A cancelled dialog hands back the name it held.
        box("txtTZPFile")->setText("typed.tzp");
        click("cmdTZPFile");
        QCOMPARE(ui.shown[1].request.fileName, path("a.tzp"));
        QCOMPARE(box("txtTZPFile")->text(), path("a.tzp"));

        // A destination already named stays.
        click("cmdTZPFile");
        QCOMPARE(box("txtTZPFile")->text(), path("b.tzp"));
        QCOMPARE(box("txtTZXFile")->text(), path("a.tzx"));
    }

    void browseNewFile()
    {
        ScriptedUi &ui = f.ui();
        shownForm();
        ui.files << path("out.tzx") << QString();
        click("cmdTZXFile");
        QCOMPARE(ui.shown[0].kind, QStringLiteral("save"));
        QCOMPARE(ui.shown[0].request.filter, QStringLiteral("TZX File (TZX)|*.tzx"));
        QCOMPARE(ui.shown[0].request.flags, 0x8806);
        QCOMPARE(box("txtTZXFile")->text(), path("out.tzx"));
        box("txtTZXFile")->clear();
        click("cmdTZXFile");
        QCOMPARE(box("txtTZXFile")->text(), path("out.tzx"));
    }

    void focusChecks_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("old file") << "txtTZPFile" << "shop.tzp" << "shop.tzp" << "shop.tzx" << QStringList();
        QTest::newRow("old file, upper case") << "txtTZPFile" << "UPPER.TZP" << "UPPER.TZP" << "UPPER.TZP"
                                              << QStringList();
        QTest::newRow("old file missing") << "txtTZPFile" << "missing.tzp" << "" << "" << QStringList{kInvalidTzp};
        QTest::newRow("old file of another kind") << "txtTZPFile" << "shop.txt" << "" << "" << QStringList{kInvalidTzp};
        QTest::newRow("new file") << "txtTZXFile" << "out.TZX" << "out.TZX" << "" << QStringList();
        QTest::newRow("new file of another kind") << "txtTZXFile" << "out.xml" << "" << "" << QStringList{kInvalidTzx};
    }
    void focusChecks()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QFETCH(QString, proposed);
        QFETCH(QStringList, messages);
        ScriptedUi &ui = f.ui();
        oldProject("shop.tzp");
        oldProject("UPPER.TZP");
        oldProject("shop.txt");
        auto full = [this](const QString &name) { return name.isEmpty() ? name : path(name); };

        shownForm();
        QLineEdit *checked = box(qPrintable(boxName));
        moveFocus(checked);
        checked->setText(full(text));
        moveFocus(control<QPushButton>("cmdConvert"));
        QCOMPARE(checked->text(), full(kept));
        if (boxName == "txtTZPFile")
            QCOMPARE(box("txtTZXFile")->text(), full(proposed));
        QCOMPARE(ui.messages(), messages);
        for (const auto &shown : ui.shown) {
            QCOMPARE(shown.title, QStringLiteral("Error"));
            QCOMPARE(shown.style, int(Mb::Information));
        }
    }

    void convertRefusesShortPaths_data()
    {
        QTest::addColumn<QString>("oldPath");
        QTest::addColumn<QString>("newPath");
        QTest::addColumn<QStringList>("messages");
        // Only the length counts here; what longer texts hold is the conversion's matter.
        QTest::newRow("old path of three") << "a.t" << "out.tzx" << QStringList{kSelectFirst};
        QTest::newRow("new path empty") << "shop.tzp" << "" << QStringList{kSelectFirst};
        QTest::newRow("four characters") << "abcd" << "efgh" << QStringList{kFailed};
    }
    void convertRefusesShortPaths()
    {
        QFETCH(QString, oldPath);
        QFETCH(QString, newPath);
        QFETCH(QStringList, messages);
        ScriptedUi &ui = f.ui();
        shownForm();
        box("txtTZPFile")->setText(oldPath);
        box("txtTZXFile")->setText(newPath);
        click("cmdConvert");
        QCOMPARE(ui.messages(), messages);
        if (messages.first() == kSelectFirst)
            QCOMPARE(ui.shown[0].title, QStringLiteral("Can't Convert"));
        QCOMPARE(control<QPushButton>("cmdCancel")->text(), QStringLiteral("&Cancel"));
    }

    void convertInTheWindow()
    {
        ScriptedUi &ui = f.ui();
        shownForm();
        box("txtTZPFile")->setText(oldProject());
        box("txtTZXFile")->setText(path("out.tzx"));
        click("cmdConvert");
        QCOMPARE(f.commands(), QStringList{"frmConverter.cmdConvert_Click"});
        QCOMPARE(ui.messages(), QStringList{kDone});
        QVERIFY(fileBytes(path("out.tzx")).startsWith("<database>"));
        QCOMPARE(control<QPushButton>("cmdCancel")->text(), QStringLiteral("Close"));
        QVERIFY(forms().isLoaded(Form::Converter));

        // The next old file resets the caption.
        ui.files << path("shop.tzp");
        click("cmdTZPFile");
        QCOMPARE(control<QPushButton>("cmdCancel")->text(), QStringLiteral("Cancel"));
    }

    void writeFailureIsReported()
    {
        ScriptedUi &ui = f.ui();
        shownForm();
        box("txtTZPFile")->setText(oldProject());
        box("txtTZXFile")->setText(path("missing/out.tzx"));
        click("cmdConvert");
        QCOMPARE(ui.messages(), (QStringList{"Error 76: Path not found", kFailed}));
        QCOMPARE(ui.shown[0].style, int(Mb::OkOnly));
        QCOMPARE(ui.shown[1].title, QStringLiteral("Conversion failed"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"shop.tzp"});
        QCOMPARE(control<QPushButton>("cmdCancel")->text(), QStringLiteral("&Cancel"));
    }

    // The window's commands wait while a conversion runs.
    void commandsWaitDuringConversion()
    {
        ScriptedUi &scripted = f.ui();
        DuringConversionUi ui(scripted);
        frmConverter &form = shownForm();
        box("txtTZPFile")->setText(oldProject());
        box("txtTZXFile")->setText(path("out.tzx"));
        bool stepRan = false;
        ui.step = [&] {
            click("cmdConvert");
            click("cmdTZPFile");
            click("cmdTZXFile");
            click("cmdCancel");
            QTest::keyClick(box("txtTZPFile"), Qt::Key_Escape);
            form.close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            stepRan = true;
        };
        click("cmdConvert");
        QVERIFY(stepRan);
        QCOMPARE(scripted.messages(), QStringList{kDone});
        QCOMPARE(scripted.shown.size(), 1);
        QVERIFY(forms().isLoaded(Form::Converter));
        QVERIFY(form.isVisible());
        QCOMPARE(box("txtTZPFile")->text(), path("shop.tzp"));
    }

    void helpAndAbout()
    {
        ScriptedUi &ui = f.ui();
        frmConverter &form = shownForm();
        click("cmdHelp");
        QTest::keyClick(box("txtTZXFile"), Qt::Key_F1);
        click("Command1");
        QCOMPARE(ui.shown.size(), 3);
        const QString help = QStringLiteral(
            "Use this tool to convert old Tessaron project files (TZP) to the new Tessaron 3 format (TZX).\r\n\r\n"
            "Step 1: Select the TZP file you want to convert.\r\n"
            "Step 2: (optional) Select the destination TZX file. If you leave this step, the TZX file will be "
            "saved to the same location as the TZP file.\r\n"
            "Step 3: Click the Convert button.");
        QCOMPARE(ui.shown[0].text, help);
        QCOMPARE(ui.shown[0].title, programTitle());
        QCOMPARE(ui.shown[0].style, int(Mb::Information));
        QCOMPARE(ui.shown[1].text, help);
        QCOMPARE(ui.shown[2].title, QStringLiteral("About TZP to TZX File Converter"));
        QVERIFY(ui.shown[2].text.contains("\r\n\r\nFor more information, please visit:\r\nhttps://"));

        // Nothing of either in silent mode.
        form.silentMode = true;
        click("cmdHelp");
        click("Command1");
        QCOMPARE(ui.shown.size(), 3);
    }

    void escapeAndCancelUnload_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("Cancel") << false;
    }
    void escapeAndCancelUnload()
    {
        QFETCH(bool, escape);
        ScriptedUi &ui = f.ui();
        shownForm();
        if (escape)
            QTest::keyClick(box("txtTZPFile"), Qt::Key_Escape);
        else
            click("cmdCancel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!forms().isLoaded(Form::Converter));
        QVERIFY(ui.shown.isEmpty());
    }

    void layout()
    {
        frmConverter &form = shownForm();
        QCOMPARE(form.objectName(), QStringLiteral("frmMain"));
        QCOMPARE(form.windowTitle(), QStringLiteral("TZP to TZX File Converter"));
        QCOMPARE(form.size(), QSize(543, 150));
        const QList<QLabel *> labels = form.findChildren<QLabel *>("Label1");
        QCOMPARE(labels.size(), 2);
        QCOMPARE(labels[0]->text(), QStringLiteral("STEP ONE: Select the TZP file you want to convert"));
        QCOMPARE(labels[1]->text(), QStringLiteral("STEP TWO: Select a location to save the converted TZX file"));
        // Tab order of the controls that take the focus.
        QStringList order;
        QWidget *const first = form.findChild<QLineEdit *>("txtTZPFile");
        QWidget *w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        QCOMPARE(order, (QStringList{"txtTZPFile", "cmdTZPFile", "txtTZXFile", "cmdTZXFile", "cmdConvert",
                                     "cmdCancel", "cmdHelp", "Command1"}));

        box("txtTZPFile")->setText("/home/user/projects/shop.tzp");
        box("txtTZXFile")->setText("/home/user/projects/shop.tzx");
        f.screenshot(&form, QStringLiteral("converter"));
    }
};

QTEST_MAIN(TestGuiConverter)
#include "tst_gui_converter.moc"
