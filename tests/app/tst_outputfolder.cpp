// The folders Generate refuses to write into, by path and by what the
// path leads to.
#include "app/outputfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

class TestOutputFolder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void refusal_data();
    void refusal();

private:
    QTemporaryDir m_root;
    QString m_program;
};

void TestOutputFolder::initTestCase()
{
    QVERIFY(m_root.isValid());
    QDir root(m_root.path());
    QVERIFY(root.mkpath(QStringLiteral("prog/files")));
    QVERIFY(root.mkpath(QStringLiteral("prog/other")));
    QVERIFY(root.mkpath(QStringLiteral("out")));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("prog/files")), root.filePath(QStringLiteral("filesLink"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("prog")), root.filePath(QStringLiteral("progLink"))));
    QFile plain(root.filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    m_program = root.filePath(QStringLiteral("prog"));
}

void TestOutputFolder::refusal_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("message");
    const QString refused = QStringLiteral("You can't save output to this folder");
    QTest::newRow("other folder") << "out" << QString();
    QTest::newRow("program's subfolder") << "prog/other" << QString();
    QTest::newRow("program's parent") << "." << QString();
    QTest::newRow("program folder") << "prog" << refused;
    QTest::newRow("program folder, trailing slash") << "prog/" << refused;
    QTest::newRow("files folder") << "prog/files" << refused;
    QTest::newRow("files through ..") << "prog/other/../files" << refused;
    QTest::newRow("files through a link") << "filesLink" << refused;
    QTest::newRow("program through a link") << "progLink" << refused;
    QTest::newRow("missing") << "nowhere" << "The folder '%1/nowhere' does not exist.";
    QTest::newRow("a file") << "plain.txt" << "The folder '%1/plain.txt' does not exist.";
}

void TestOutputFolder::refusal()
{
    QFETCH(QString, relative);
    QFETCH(QString, message);
    const QString path = m_root.path() + u'/' + relative;
    if (message.contains(u'%'))
        message = message.arg(m_root.path());
    QCOMPARE(outputFolderRefusal(path, m_program), message);
    QCOMPARE(outputFolderRefusal(QString(), m_program), QStringLiteral("The folder '' does not exist."));
}

QTEST_GUILESS_MAIN(TestOutputFolder)
#include "tst_outputfolder.moc"
