// The overwrite dialog alone: each button's answer, and the keys.
#include "app/forms.h"
#include "app/frmconfirmoverwrite.h"
#include "support/guifixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

OverwriteQuestion question()
{
    return {QStringLiteral("New file data:\r\nSize: 1234 bytes"),
            QStringLiteral("Existing file data:\r\nSize: 980 bytes\r\nDate created: 12/10/2026 10:11:50"),
            QStringLiteral("The file 'customers_view.php' already exists.")};
}

} // namespace

class TestGuiConfirmOverwrite : public QObject {
    Q_OBJECT
    GuiFixture m_fixture;
    frmConfirmOverwrite &dialog() { return forms().confirmOverwrite(); }
    void open()
    {
        dialog().setQuestion(question());
        dialog().setModal(false);
        dialog().show();
    }

private slots:
    void init() { m_fixture.init(); }
    void cleanup() { m_fixture.cleanup(); }
    void labels();
    void buttons_data();
    void buttons();
    void keys_data();
    void keys();
};

void TestGuiConfirmOverwrite::labels()
{
    open();
    QCOMPARE(dialog().windowTitle(), QStringLiteral("Confirm file overwriting"));
    QCOMPARE(dialog().findChild<QLabel *>(QStringLiteral("lblMain"))->text(),
             QStringLiteral("The file 'customers_view.php' already exists."));
    QCOMPARE(dialog().findChild<QLabel *>(QStringLiteral("lblNewFile"))->text(),
             QStringLiteral("New file data:\nSize: 1234 bytes"));
    QCOMPARE(dialog().findChild<QLabel *>(QStringLiteral("lblExistingFile"))->text(),
             QStringLiteral("Existing file data:\nSize: 980 bytes\nDate created: 12/10/2026 10:11:50"));
    const struct {
        const char *name, *caption, *tip;
    } buttons[] = {
        {"cmdOverwrite", "&Overwrite", "Overwrite this file only"},
        {"cmdOverwriteAll", "Overwrite &All", "Overwrite all existing files without prompt"},
        {"cmdSkip", "&Skip", "Skip this file only"},
        {"cmdSkipAll", "S&kip All", "Skip all existing files without prompt"},
    };
    for (const auto &b : buttons) {
        auto *button = dialog().findChild<QPushButton *>(QLatin1String(b.name));
        QVERIFY(button);
        QCOMPARE(button->text(), QLatin1String(b.caption));
        QCOMPARE(button->toolTip(), QLatin1String(b.tip));
    }
    GuiFixture::screenshot(&dialog(), QStringLiteral("confirmoverwrite"));
}

void TestGuiConfirmOverwrite::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("mode");
    QTest::newRow("overwrite") << "cmdOverwrite" << "1" << 0;
    QTest::newRow("overwrite all") << "cmdOverwriteAll" << "1" << 1;
    QTest::newRow("skip") << "cmdSkip" << "0" << 0;
    QTest::newRow("skip all") << "cmdSkipAll" << "0" << 2;
}

void TestGuiConfirmOverwrite::buttons()
{
    QFETCH(QString, button);
    QFETCH(QString, tag);
    QFETCH(int, mode);
    open();
    m_fixture.click(&dialog(), button);
    QVERIFY(!dialog().isVisible());
    qint16 overwriteMode = 0;
    QCOMPARE(dialog().answer(overwriteMode), tag);
    QCOMPARE(int(overwriteMode), mode);
}

// The quick answers never replace a file; neither does the close box.
void TestGuiConfirmOverwrite::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("close box") << 0;
}

void TestGuiConfirmOverwrite::keys()
{
    QFETCH(int, key);
    open();
    if (key)
        QTest::keyClick(&dialog(), Qt::Key(key));
    else
        dialog().close();
    QVERIFY(!dialog().isVisible());
    qint16 overwriteMode = 0;
    QCOMPARE(dialog().answer(overwriteMode), QStringLiteral("0"));
    QCOMPARE(int(overwriteMode), 0);
}

QTEST_MAIN(TestGuiConfirmOverwrite)
#include "tst_gui_confirmoverwrite.moc"
