#include "model/appstate.h"
#include "app/forms.h"
#include "app/frmstyles.h"
#include "model/scramble.h"
#include "model/styles.h"
#include "platform/cp1252.h"
#include "platform/scriptedui.h"
#include "support/testfiles.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace tess;
using tess::test::readBytes;
using tess::test::writeBytes;

namespace {

QByteArray fileLine(const QString &text)
{
    return '"' + cp1252::encode(ScrambleText(text)) + "\"\r\n";
}

StyleTable defaultTable()
{
    StyleTable t;
    LoadDefaultStyles(t);
    return t;
}

QStringList listTexts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

const QString kYesNoLoad = QStringLiteral("This will replace current styles with the styles you select to load from "
                                          "a file.\r\nAre you sure you want to continue?");
const QString kYesNoRestore =
    QStringLiteral("This will reset ALL styles into initial styles.\r\nAre you sure you want to continue?");
const QString kFilter = QStringLiteral("Tessaron Style (*.tzs) | *.tzs");

} // namespace

class TestGuiStyles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_box;
    QStringList m_help;
    ScriptedUi *m_ui = nullptr;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    AppState &state() { return app(); }
    frmStyles &form()
    {
        frmStyles &f = forms().styles();
        return f;
    }

private slots:
    void init()
    {
        m_ui = new ScriptedUi;
        AppState &s = app();
        s.Styles = defaultTable();
        s.ProjectDB->StyleSheetFile.clear();
        s.ProjectSaved = true;
        m_box.clear();
        m_help.clear();
        s.disconnect(this);
        connect(&s, &AppState::styleFileNameShown, this, [this](const QString &text) { m_box << text; });
        connect(&s, &AppState::helpRequested, this, [this](const QString &tag) { m_help << tag; });
        form().StylesDisplay();
    }
    void cleanup()
    {
        forms().unload(Form::Styles);
        delete m_ui;
        m_ui = nullptr;
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("caption");
        QTest::newRow("list") << "lstStyles" << "40" << "";
        QTest::newRow("text") << "txtStyle" << "41" << "";
        QTest::newRow("save") << "cmdSaveStyles" << "42" << "Save Styles";
        QTest::newRow("load") << "cmdLoadStyles" << "43" << "Load Styles";
        QTest::newRow("restore") << "cmdDefaultStyles" << "44" << "Restore Default Styles";
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, tag);
        QFETCH(QString, caption);
        QCOMPARE(form().windowTitle(), QStringLiteral("Project Styles"));
        auto *w = form().findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->property("tag").toString(), tag);
        if (auto *button = qobject_cast<QPushButton *>(w))
            QCOMPARE(button->text(), caption);
    }

    void labels()
    {
        QCOMPARE(form().Label1.size(), 2);
        QCOMPARE(form().Label1[0]->text(), QStringLiteral("Styles"));
        QCOMPARE(form().Label1[1]->text(), QStringLiteral("Style description"));
        QCOMPARE(form().Label1[0]->objectName(), QStringLiteral("Label1"));
    }

    void displayShowsTheTableAndSelectsTheFirst()
    {
        QStringList names;
        for (int i = 1; i <= 14; ++i)
            names << state().Styles.StyleNames[i];
        QCOMPARE(listTexts(form().lstStyles), names);
        QCOMPARE(form().lstStyles->currentRow(), 0);
        QCOMPARE(form().txtStyle->toPlainText(),
                 QString(state().Styles.StyleDefinitions[1]).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void emptyTableShowsNothing()
    {
        form().txtStyle->setPlainText(QStringLiteral("left over"));
        state().Styles = StyleTable{};
        form().StylesDisplay();
        QCOMPARE(form().lstStyles->count(), 0);
        QVERIFY(form().txtStyle->toPlainText().isEmpty());
        QVERIFY(state().Styles == StyleTable{});
    }

    void selectingEverySlotChangesNothing()
    {
        // A file that leaves slot 2 without a selector: rows and slots part.
        const QString file = path(QStringLiteral("gap.tzs"));
        writeBytes(file, fileLine("A") + fileLine("a:1;\r\nb:2;") + fileLine("") + fileLine("orphan:1;")
                             + fileLine("C") + fileLine("c:3;") + fileLine("D") + fileLine("d\nlone:4;"));
        LoadStylesFile(file);
        form().StylesDisplay();
        const StyleTable before = state().Styles;
        QCOMPARE(form().lstStyles->item(1)->text(), QStringLiteral("C"));
        for (int round = 0; round < 2; ++round)
            for (int row = 0; row < form().lstStyles->count(); ++row) {
                form().lstStyles->setCurrentRow(row);
                QVERIFY(state().Styles == before);
            }
        QCOMPARE(form().slotOfRow(1), 3);
        QCOMPARE(form().slotOfRow(2), 4);
    }

    void editAfterAGapGoesToItsSlot()
    {
        const QString file = path(QStringLiteral("gap.tzs"));
        writeBytes(file, fileLine("A") + fileLine("a:1;") + fileLine("") + fileLine("orphan:1;") + fileLine("C")
                             + fileLine("c:3;"));
        LoadStylesFile(file);
        form().StylesDisplay();
        form().lstStyles->setCurrentRow(1);
        QCOMPARE(form().txtStyle->toPlainText(), QStringLiteral("c:3;"));
        form().txtStyle->setPlainText(QStringLiteral("c:30;"));
        QCOMPARE(state().Styles.StyleDefinitions[3], QStringLiteral("c:30;"));
        QCOMPARE(state().Styles.StyleDefinitions[2], QStringLiteral("orphan:1;"));
        QCOMPARE(state().Styles.StyleDefinitions[1], QStringLiteral("a:1;"));
    }

    void editingStoresCrLf()
    {
        form().show();
        form().lstStyles->setCurrentRow(2); // TableHeader:hover
        form().txtStyle->setFocus();
        form().txtStyle->selectAll();
        QTest::keyClicks(form().txtStyle, QStringLiteral("a:1;"));
        QTest::keyClick(form().txtStyle, Qt::Key_Return);
        QTest::keyClicks(form().txtStyle, QStringLiteral("b:2;"));
        QCOMPARE(state().Styles.StyleDefinitions[3], QStringLiteral("a:1;\r\nb:2;"));
        form().txtStyle->setPlainText(QStringLiteral("x:1;\ny:2;\nz:\u00A03;"));
        QCOMPARE(state().Styles.StyleDefinitions[3], QStringLiteral("x:1;\r\ny:2;\r\nz:\u00A03;"));
        QCOMPARE(state().Styles.StyleNames[3], QStringLiteral("TableHeader:hover"));
        QCOMPARE(state().Styles.StyleDefinitions[2], defaultTable().StyleDefinitions[2]);
    }

    void quotesNeverReachTheTable()
    {
        state().Styles.StyleDefinitions[5] = QStringLiteral("q:\"x\";");
        form().StylesDisplay();
        QCOMPARE(state().Styles.StyleDefinitions[5], QStringLiteral("q:\"x\";")); // not shown yet
        form().lstStyles->setCurrentRow(4);
        QCOMPARE(state().Styles.StyleDefinitions[5], QStringLiteral("q:x;"));
        form().txtStyle->setPlainText(QStringLiteral("w:\"1\u00F7\";"));
        QCOMPARE(state().Styles.StyleDefinitions[5], QStringLiteral("w:1;"));
    }

    void noSelectionNoChange()
    {
        form().lstStyles->setCurrentRow(-1);
        QCOMPARE(form().lstStyles->currentRow(), -1);
        form().txtStyle->setPlainText(QStringLiteral("typed:1;"));
        QVERIFY(state().Styles == defaultTable());
    }

    void focusSelectsTheText()
    {
        form().show();
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        form().lstStyles->setFocus(Qt::OtherFocusReason);
        form().txtStyle->setFocus(Qt::TabFocusReason);
        QCOMPARE(form().txtStyle->textCursor().selectedText(),
                 form().txtStyle->toPlainText().replace(u'\n', QChar::ParagraphSeparator));
    }

    void saveWritesAndNamesTheFile()
    {
        const QString file = path(QStringLiteral("saved.tzs"));
        m_ui->files << file;
        form().cmdSaveStyles->click();
        QCOMPARE(m_ui->shown.size(), 1);
        const auto &dialog = m_ui->shown[0];
        QCOMPARE(dialog.kind, QStringLiteral("save"));
        QCOMPARE(dialog.request.title, QStringLiteral("Save Style As"));
        QCOMPARE(dialog.request.filter, kFilter);
        QCOMPARE(dialog.request.flags, 0x8802);
        QVERIFY(dialog.request.fileName.isEmpty());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes, StylesFileBytes(defaultTable()));
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(!state().ProjectSaved);
        QCOMPARE(state().ProjectDB->StyleSheetFile, file);
        QCOMPARE(m_box, QStringList{file});
    }

    void saveCancelledChangesNothing()
    {
        form().cmdSaveStyles->click();
        QVERIFY(state().ProjectSaved);
        QVERIFY(state().ProjectDB->StyleSheetFile.isEmpty());
        QVERIFY(m_box.isEmpty());
    }

    void failedSaveReportsAndKeepsState()
    {
        state().ProjectDB->StyleSheetFile = QStringLiteral("old.tzs");
        m_ui->files << path(QStringLiteral("missing/x.tzs"));
        form().cmdSaveStyles->click();
        QCOMPARE(m_ui->messages(), QStringList{QStringLiteral("Error 76: Path not found")});
        QCOMPARE(m_ui->shown.last().style, Mb::OkOnly);
        QVERIFY(state().ProjectSaved);
        QCOMPARE(state().ProjectDB->StyleSheetFile, QStringLiteral("old.tzs"));
        QVERIFY(m_box.isEmpty());
        QVERIFY(forms().isLoaded(Form::Styles));
    }

    void loadAsksThenLoads()
    {
        const QString file = path(QStringLiteral("load.tzs"));
        writeBytes(file, fileLine("One") + fileLine("o:1;") + fileLine("Two") + fileLine("t:2;"));
        m_ui->answers << Answer::Yes;
        m_ui->files << file;
        form().cmdLoadStyles->click();
        QCOMPARE(m_ui->shown.size(), 2);
        QCOMPARE(m_ui->shown[0].text, kYesNoLoad);
        QCOMPARE(m_ui->shown[0].style, Mb::YesNo | Mb::Question | Mb::DefaultButton2);
        QCOMPARE(m_ui->shown[1].kind, QStringLiteral("open"));
        QCOMPARE(m_ui->shown[1].request.title, QStringLiteral("Open Style"));
        QCOMPARE(m_ui->shown[1].request.filter, kFilter);
        QCOMPARE(m_ui->shown[1].request.flags, 0x9000);
        QCOMPARE(form().lstStyles->item(0)->text(), QStringLiteral("One"));
        QCOMPARE(form().lstStyles->item(1)->text(), QStringLiteral("Two"));
        QCOMPARE(form().lstStyles->item(2)->text(), QStringLiteral("TableHeader:hover"));
        QCOMPARE(form().lstStyles->currentRow(), 0);
        QCOMPARE(state().ProjectDB->StyleSheetFile, file);
        QVERIFY(!state().ProjectSaved);
        QCOMPARE(m_box, QStringList{file});
    }

    void loadDeclinedOrCancelled_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("No") << int(Answer::No) << 1;
        QTest::newRow("Yes, then cancel") << int(Answer::Yes) << 2;
    }
    void loadDeclinedOrCancelled()
    {
        QFETCH(int, answer);
        QFETCH(int, dialogs);
        state().ProjectDB->StyleSheetFile = QStringLiteral("old.tzs");
        m_ui->answers << answer;
        form().cmdLoadStyles_Click();
        QCOMPARE(m_ui->shown.size(), dialogs);
        QVERIFY(state().Styles == defaultTable());
        QCOMPARE(state().ProjectDB->StyleSheetFile, QStringLiteral("old.tzs"));
        QVERIFY(state().ProjectSaved);
    }

    void loadErrorIsReported()
    {
        const QString file = path(QStringLiteral("many.tzs"));
        QByteArray bytes;
        for (int i = 1; i <= 31; ++i)
            bytes += fileLine(QStringLiteral("S%1").arg(i)) + fileLine("x:1;");
        writeBytes(file, bytes);
        m_ui->answers << Answer::Yes;
        m_ui->files << file;
        form().cmdLoadStyles_Click();
        QCOMPARE(m_ui->messages().last(), QStringLiteral("Error 9: Subscript out of range"));
        QCOMPARE(m_ui->shown.last().style, Mb::OkOnly);
        QCOMPARE(state().Styles.StyleNames[30], QStringLiteral("S30"));
        QVERIFY(state().ProjectDB->StyleSheetFile.isEmpty());
    }

    void restore_data()
    {
        QTest::addColumn<QString>("styleFile");
        QTest::addColumn<bool>("savedAfter");
        QTest::newRow("project names a file") << "old.tzs" << false;
        QTest::newRow("project names none") << "" << true;
    }
    void restore()
    {
        QFETCH(QString, styleFile);
        QFETCH(bool, savedAfter);
        state().ProjectDB->StyleSheetFile = styleFile;
        state().Styles.StyleNames[1] = QStringLiteral("Mine");
        state().Styles.StyleNames[20] = QStringLiteral("Extra");
        form().StylesDisplay();
        m_ui->answers << Answer::Yes;
        form().cmdDefaultStyles->click();
        QCOMPARE(m_ui->shown[0].text, kYesNoRestore);
        QCOMPARE(m_ui->shown[0].style, Mb::YesNo | Mb::Question | Mb::DefaultButton2);
        QVERIFY(state().Styles == defaultTable());
        QCOMPARE(state().ProjectSaved, savedAfter);
        QVERIFY(state().ProjectDB->StyleSheetFile.isEmpty());
        QCOMPARE(m_box, QStringList{QString()});
        QCOMPARE(form().lstStyles->item(0)->text(), QStringLiteral("TableTitle"));
        QCOMPARE(form().lstStyles->count(), 14);
    }

    void restoreDeclined()
    {
        state().ProjectDB->StyleSheetFile = QStringLiteral("old.tzs");
        state().Styles.StyleNames[1] = QStringLiteral("Mine");
        m_ui->answers << Answer::No;
        form().cmdDefaultStyles_Click();
        QCOMPARE(state().Styles.StyleNames[1], QStringLiteral("Mine"));
        QCOMPARE(state().ProjectDB->StyleSheetFile, QStringLiteral("old.tzs"));
        QVERIFY(state().ProjectSaved);
        QVERIFY(m_box.isEmpty());
    }

    void helpKey_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tag");
        QTest::newRow("list") << "lstStyles" << "40";
        QTest::newRow("text") << "txtStyle" << "41";
        QTest::newRow("save") << "cmdSaveStyles" << "42";
        QTest::newRow("load") << "cmdLoadStyles" << "43";
        QTest::newRow("restore") << "cmdDefaultStyles" << "44";
    }
    void helpKey()
    {
        QFETCH(QString, name);
        QFETCH(QString, tag);
        form().show();
        auto *w = form().findChild<QWidget *>(name);
        w->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(m_help, QStringList{tag});
        QVERIFY(state().Styles == defaultTable());
    }

    void escapeHidesWithoutUnloading()
    {
        frmStyles *before = &form();
        form().show();
        form().lstStyles->setCurrentRow(3);
        form().txtStyle->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(form().txtStyle, Qt::Key_Escape);
        QVERIFY(!form().isVisible());
        QVERIFY(forms().isLoaded(Form::Styles));
        QCOMPARE(&forms().styles(), before);
        QVERIFY(state().Styles == defaultTable());
        form().show();
        form().StylesDisplay();
        QCOMPARE(form().lstStyles->currentRow(), 0);
    }

    void oneInstance()
    {
        QCOMPARE(&forms().styles(), &forms().styles());
        forms().unload(Form::Styles);
        QVERIFY(!forms().isLoaded(Form::Styles));
        QVERIFY(&forms().styles());
        QVERIFY(forms().isLoaded(Form::Styles));
    }
};

QTEST_MAIN(TestGuiStyles)
#include "tst_gui_styles.moc"
