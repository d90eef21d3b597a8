#include "model/reporterror.h"
#include "model/scramble.h"
#include "model/maker.h"
#include "platform/cp1252.h"
#include "platform/scriptedui.h"

#include <QtTest>

using namespace tess;

class TestScramble : public QObject {
    Q_OBJECT
private slots:
    void emptyText() { QVERIFY(ScrambleText(QString()).isEmpty()); }

    void everyByteRoundTrips()
    {
        QString all;
        for (int b = 0; b < 256; ++b)
            all += cp1252::toChar(static_cast<unsigned char>(b));
        const QString scrambled = ScrambleText(all);
        QCOMPARE(scrambled.size(), all.size());
        for (int b = 0; b < 256; ++b)
            QCOMPARE(cp1252::toByte(scrambled[b]), b ^ 0xD5);
        QCOMPARE(ScrambleText(scrambled), all);
    }

    void knownValues_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("letters") << QStringLiteral("Ab") << QByteArray("\x94\xb7");
        QTest::newRow("crlf") << QStringLiteral("\r\n") << QByteArray("\xd8\xdf");
        QTest::newRow("quote") << QStringLiteral("\"") << QByteArray("\xf7");
        QTest::newRow("euro") << QStringLiteral("\u20AC") << QByteArray("\x55");
    }
    void knownValues()
    {
        QFETCH(QString, plain);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp1252::encode(ScrambleText(plain)), bytes);
    }

    void outsideCodePageIsQuestionMark()
    {
        // U+0100 has no Windows-1252 byte.
        QCOMPARE(ScrambleText(ScrambleText(QStringLiteral("a\u0100b"))), QStringLiteral("a?b"));
    }

    void longTextHasNoLimit()
    {
        QString text;
        for (int i = 0; i < 40000; ++i)
            text += cp1252::toChar(static_cast<unsigned char>(i % 256));
        const QString scrambled = ScrambleText(text);
        QCOMPARE(scrambled.size(), text.size());
        QVERIFY(scrambled != text);
        QCOMPARE(ScrambleText(scrambled), text);
    }

    void errorReport()
    {
        ScriptedUi ui;
        ReportError(QStringLiteral("frmDB.picDB_KeyDown"), RuntimeError(5));
        QCOMPARE(ui.shown.size(), 1);
        const auto &box = ui.shown.first();
        QCOMPARE(box.style, Mb::OkOnly | Mb::Information);
        QCOMPARE(box.title, programTitle());
        const QStringList lines = box.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("An error occured during program execution."));
        QCOMPARE(lines[1], QStringLiteral("Sub: frmDB.picDB_KeyDown"));
        QCOMPARE(lines[2], QStringLiteral("Error code: 5"));
        QCOMPARE(lines[3], QStringLiteral("Error text: Invalid procedure call or argument"));
        QCOMPARE(lines[4], QStringLiteral("If you don't know the cause of this error, please use the above data "
                                          "when reporting the error at ")
                               + supportAddress());
        QCOMPARE(box.text.count(u'\n'), 4); // no line end but the four CR LF
    }
};

QTEST_GUILESS_MAIN(TestScramble)
#include "tst_scramble.moc"
