// The log text as Save Log writes it.
#include "app/generationlog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

class TestGenerationLog : public QObject {
    Q_OBJECT
private slots:
    void save();
    void failedSaveKeepsFile();
    void proposedName();
};

void TestGenerationLog::save()
{
    QTemporaryDir dir;
    GenerationLog log;
    log.append(QStringLiteral("Error checking: Ok."));
    log.append(QStringLiteral("\r\nGenerating caf\u00e9_view.php ..."));
    log.append(QStringLiteral(" Done."));
    QCOMPARE(log.text(), QStringLiteral("Error checking: Ok.\r\nGenerating caf\u00e9_view.php ... Done."));
    const QString path = dir.filePath(QStringLiteral("shop_log.txt"));
    log.save(path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Error checking: Ok.\r\nGenerating caf\xe9_view.php ... Done.\r\n"));

    log.clear();
    QCOMPARE(log.text(), QString());
    log.save(path);
    f.close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("\r\n"));
}

void TestGenerationLog::failedSaveKeepsFile()
{
    QTemporaryDir dir;
    GenerationLog log;
    log.append(QStringLiteral("text"));
    bool raised = false;
    try {
        log.save(dir.filePath(QStringLiteral("gone/shop_log.txt")));
    } catch (const std::exception &) {
        raised = true;
    }
    QVERIFY(raised);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("gone/shop_log.txt"))));
}

void TestGenerationLog::proposedName()
{
    QCOMPARE(GenerationLog::proposedFileName(QStringLiteral("/out"), QStringLiteral("shop")), QStringLiteral("/out/shop_log.txt"));
    QCOMPARE(GenerationLog::proposedFileName(QStringLiteral("/"), QStringLiteral("shop")), QStringLiteral("/shop_log.txt"));
    QCOMPARE(GenerationLog::proposedFileName(QString(), QStringLiteral("shop")), QStringLiteral("/shop_log.txt"));
}

QTEST_GUILESS_MAIN(TestGenerationLog)
#include "tst_generationlog.moc"
