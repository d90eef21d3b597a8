// The output-folder dialog alone: where it opens, what it refuses, New
// Folder, the folder list, Cancel and the close box.
#include "app/forms.h"
#include "app/frmoutputfolder.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "support/guifixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

class TestGuiOutputFolder : public QObject {
    Q_OBJECT
    GuiFixture m_fixture;
    QTemporaryDir m_root;
    ScriptedUi &ui() { return m_fixture.ui(); }

    frmOutputFolder &dialog() { return forms().outputFolder(); }
    QLineEdit *text() { return dialog().findChild<QLineEdit *>(QStringLiteral("txtOutputFolder")); }
    QListWidget *list() { return dialog().findChild<QListWidget *>(QStringLiteral("Dir1")); }
    void click(const char *name) { m_fixture.click(&dialog(), QLatin1String(name)); }
    QString path(const QString &rel) const { return m_root.path() + u'/' + rel; }
    void open()
    {
        dialog().setModal(false);
        dialog().show();
    }

private slots:
    void init()
    {
        m_fixture.init();
        QDir root(m_root.path());
        QVERIFY(root.mkpath(QStringLiteral("prog/files")));
        QVERIFY(root.mkpath(QStringLiteral("out/sub")));
        setProgramFolder(path(QStringLiteral("prog")));
        QDir::setCurrent(path(QStringLiteral("out")));
    }
    void cleanup() { m_fixture.cleanup(); }

    void firstUse();
    void storedFolder_data();
    void storedFolder();
    void refusals_data();
    void refusals();
    void acceptTyped();
    void acceptListFolder();
    void folderList();
    void newFolder_data();
    void newFolder();
    void cancelAndCloseBox();
};

void TestGuiOutputFolder::firstUse()
{
    open();
    QCOMPARE(text()->text(), path(QStringLiteral("out")));
    QCOMPARE(dialog().Folder, path(QStringLiteral("out")));
    QCOMPARE(dialog().windowTitle(), QStringLiteral("Select Output Folder"));
    QCOMPARE(dialog().findChild<QPushButton *>(QStringLiteral("Command3"))->text(), QStringLiteral("Generate >>"));
    QVERIFY(dialog().findChild<QPushButton *>(QStringLiteral("Command3"))->isDefault());
    QVERIFY(dialog().findChild<QComboBox *>(QStringLiteral("Drive1"))->currentIndex() >= 0);
    GuiFixture::screenshot(&dialog(), QStringLiteral("outputfolder"));
}

void TestGuiOutputFolder::storedFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("existing") << "out/sub" << "out/sub";
    QTest::newRow("gone") << "nowhere" << "out";
}

void TestGuiOutputFolder::storedFolder()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    settings::set(QStringLiteral("LastOutputFolder"), path(stored));
    open();
    QCOMPARE(text()->text(), path(shown));
    QCOMPARE(dialog().listFolder(), path(shown));
}

void TestGuiOutputFolder::refusals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "out/nowhere" << "The folder '%1' does not exist.";
    QTest::newRow("program folder") << "prog" << "You can't save output to this folder";
    QTest::newRow("files folder") << "prog/files" << "You can't save output to this folder";
    QTest::newRow("files folder by ..") << "out/../prog/files" << "You can't save output to this folder";
}

void TestGuiOutputFolder::refusals()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    open();
    text()->setText(path(typed));
    click("Command3");
    QCOMPARE(ui().messages(), QStringList{message.contains(u'%') ? message.arg(path(typed)) : message});
    QVERIFY(dialog().isVisible());
    QCOMPARE(settings::get(QStringLiteral("LastOutputFolder")), QString());
}

void TestGuiOutputFolder::acceptTyped()
{
    open();
    text()->setText(path(QStringLiteral("out/sub")));
    QCOMPARE(dialog().listFolder(), path(QStringLiteral("out/sub")));
    click("Command3");
    QVERIFY(!dialog().isVisible());
    QCOMPARE(dialog().Folder, path(QStringLiteral("out/sub")));
    QCOMPARE(settings::get(QStringLiteral("LastOutputFolder")), path(QStringLiteral("out/sub")));
    QVERIFY(ui().messages().isEmpty());
}

// After a Cancel the box is empty; Enter takes the list's folder and
// leaves the setting alone.
void TestGuiOutputFolder::acceptListFolder()
{
    settings::set(QStringLiteral("LastOutputFolder"), path(QStringLiteral("out")));
    open();
    click("Command1");
    open();
    QCOMPARE(text()->text(), QString());
    QTest::keyClick(&dialog(), Qt::Key_Return);
    QVERIFY(!dialog().isVisible());
    QCOMPARE(dialog().Folder, path(QStringLiteral("out")));
    QCOMPARE(settings::get(QStringLiteral("LastOutputFolder")), path(QStringLiteral("out")));
}

void TestGuiOutputFolder::folderList()
{
    open();
    // Ancestors from the root, the folder itself, then its subfolders.
    QStringList rows;
    for (int i = 0; i < list()->count(); ++i)
        rows << list()->item(i)->text().trimmed();
    QCOMPARE(rows.first(), QStringLiteral("/"));
    QCOMPARE(rows.last(), QStringLiteral("sub"));
    QCOMPARE(rows.at(rows.size() - 2), QStringLiteral("out"));
    QCOMPARE(list()->currentRow(), rows.size() - 2);

    // A click on the subfolder opens it, one on an ancestor goes up.
    QListWidgetItem *sub = list()->item(list()->count() - 1);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(sub).center());
    QCOMPARE(dialog().listFolder(), path(QStringLiteral("out/sub")));
    QCOMPARE(text()->text(), path(QStringLiteral("out/sub")));
    QListWidgetItem *top = list()->item(0);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(top).center());
    QCOMPARE(dialog().listFolder(), QStringLiteral("/"));
    QCOMPARE(text()->text(), QStringLiteral("/"));

    // A half-typed path keeps the list where it was and still is the answer.
    text()->setText(path(QStringLiteral("ou")));
    QCOMPARE(dialog().listFolder(), QStringLiteral("/"));
    QCOMPARE(dialog().Folder, path(QStringLiteral("ou")));
}

void TestGuiOutputFolder::newFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("made");
    QTest::newRow("new") << "fresh" << true;
    QTest::newRow("exists") << "sub" << false;
    QTest::newRow("empty or cancelled") << "" << false;
    QTest::newRow("a path") << "a/b" << false;
    QTest::newRow("parent") << ".." << false;
}

void TestGuiOutputFolder::newFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, made);
    open();
    ui().inputs << name;
    click("Command2");
    QCOMPARE(ui().shown.first().kind, QStringLiteral("input"));
    QCOMPARE(ui().shown.first().text, QStringLiteral("Enter new folder name:"));
    QCOMPARE(ui().shown.first().title, QStringLiteral("Create New Folder"));
    if (made) {
        QVERIFY(QFileInfo(path(QStringLiteral("out/") + name)).isDir());
        QCOMPARE(dialog().listFolder(), path(QStringLiteral("out/") + name));
        QCOMPARE(text()->text(), path(QStringLiteral("out/") + name));
        QVERIFY(ui().messages().isEmpty());
    } else {
        QCOMPARE(ui().messages(), QStringList{"Couldn't create folder"});
        QCOMPARE(dialog().listFolder(), path(QStringLiteral("out")));
        QVERIFY(!QDir(path(QStringLiteral("out/a"))).exists());
    }
}

void TestGuiOutputFolder::cancelAndCloseBox()
{
    open();
    click("Command1");
    QVERIFY(!dialog().isVisible());
    QCOMPARE(dialog().Folder, QString());
    QCOMPARE(text()->text(), QString());

    open();
    text()->setText(path(QStringLiteral("out/sub")));
    dialog().close(); // the window frame's close box
    QVERIFY(!dialog().isVisible());
    QCOMPARE(dialog().Folder, QString());

    open();
    text()->setText(path(QStringLiteral("out/sub")));
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    QCOMPARE(dialog().Folder, QString());
    QCOMPARE(settings::get(QStringLiteral("LastOutputFolder")), QString());
}

QTEST_MAIN(TestGuiOutputFolder)
#include "tst_gui_outputfolder.moc"
