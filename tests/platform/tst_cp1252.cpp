#include "platform/cp1252.h"
#include "platform/runtimeerror.h"

#include <QtTest>

using namespace tess;

class TestCp1252 : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1252::encode(text), all);
        for (int b = 0; b < 256; ++b) {
            const QChar c = cp1252::toChar(static_cast<unsigned char>(b));
            QCOMPARE(c, text[b]);
            QCOMPARE(cp1252::toByte(c), b);
        }
    }

    void mapping_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("NUL") << 0x00 << 0x0000;
        QTest::newRow("A") << 0x41 << 0x0041;
        QTest::newRow("DEL") << 0x7F << 0x007F;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x0081;
        QTest::newRow("low quote") << 0x82 << 0x201A;
        QTest::newRow("f hook") << 0x83 << 0x0192;
        QTest::newRow("ellipsis") << 0x85 << 0x2026;
        QTest::newRow("circumflex") << 0x88 << 0x02C6;
        QTest::newRow("S caron") << 0x8A << 0x0160;
        QTest::newRow("OE") << 0x8C << 0x0152;
        QTest::newRow("undefined 8D") << 0x8D << 0x008D;
        QTest::newRow("Z caron") << 0x8E << 0x017D;
        QTest::newRow("undefined 8F") << 0x8F << 0x008F;
        QTest::newRow("undefined 90") << 0x90 << 0x0090;
        QTest::newRow("left quote") << 0x91 << 0x2018;
        QTest::newRow("right double quote") << 0x94 << 0x201D;
        QTest::newRow("bullet") << 0x95 << 0x2022;
        QTest::newRow("en dash") << 0x96 << 0x2013;
        QTest::newRow("em dash") << 0x97 << 0x2014;
        QTest::newRow("small tilde") << 0x98 << 0x02DC;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("undefined 9D") << 0x9D << 0x009D;
        QTest::newRow("z caron") << 0x9E << 0x017E;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("e acute") << 0xE9 << 0x00E9;
        QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
    }
    void mapping()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(int(cp1252::toChar(static_cast<unsigned char>(byte)).unicode()), unicode);
        QCOMPARE(cp1252::toByte(QChar(char16_t(unicode))), byte);
        QCOMPARE(cp1252::encode(QString(QChar(char16_t(unicode)))), QByteArray(1, char(byte)));
    }

    void outsideTheTable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("C1 control not in the page") << QString(QChar(0x0080)) << QByteArray("?");
        QTest::newRow("C1 control 9F") << QString(QChar(0x009F)) << QByteArray("?");
        QTest::newRow("Greek") << QString::fromUtf8("a\u03A9b") << QByteArray("a?b");
        QTest::newRow("CJK") << QString::fromUtf8("\u4E2D\u6587") << QByteArray("??");
        QTest::newRow("beyond 16 bits is one character") << QString::fromUtf8("x\U0001F600y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
        QTest::newRow("mixed") << QString::fromUtf8("Caf\u00E9 \u20AC5 \u2013 \u0100") << QByteArray("Caf\xE9 \x80" "5 \x96 ?");
    }
    void outsideTheTable()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp1252::encode(text), bytes);
    }

    // Long texts go through in blocks of 16 characters. A character that is
    // not the same byte as in Latin-1 must come out right wherever it stands
    // in a block, and the blocks after it must still be copied.
    void specialCharacterAtEveryBlockPosition_data()
    {
        QTest::addColumn<QString>("special");
        QTest::addColumn<char>("byte");
        QTest::addColumn<QChar>("filler");
        const struct {
            const char *name;
            QString special;
            char byte;
        } kinds[] = {
            {"euro (0x80)", QString(QChar(0x20AC)), '\x80'},
            {"undefined 0x81 kept", QString(QChar(0x0081)), '\x81'},
            {"Y diaeresis (0x9F)", QString(QChar(0x0178)), '\x9F'},
            {"C1 control not in the page", QString(QChar(0x0085)), '?'},
            {"above 0xFF not in the page", QString(QChar(0x0100)), '?'},
            {"CJK", QString(QChar(0x4E2D)), '?'},
            {"beyond 16 bits", QString::fromUtf8("\U0001F600"), '?'},
        };
        for (const auto &k : kinds) {
            QTest::addRow("%s, ASCII around", k.name) << k.special << k.byte << QChar(u'a');
            QTest::addRow("%s, Latin-1 around", k.name) << k.special << k.byte << QChar(0x00E9);
        }
    }
    void specialCharacterAtEveryBlockPosition()
    {
        QFETCH(QString, special);
        QFETCH(char, byte);
        QFETCH(QChar, filler);
        const char fillerByte = char(filler.unicode());
        for (const int length : {16, 17, 31, 32, 33, 48}) {
            for (int at = 0; at + special.size() <= length; ++at) {
                // The filler varies, so that a misplaced byte shows.
                QString text;
                QByteArray expected;
                for (int i = 0; i < at; ++i) {
                    const QChar c = i % 3 == 0 ? QChar(u'A' + i % 26) : filler;
                    text += c;
                    expected += i % 3 == 0 ? char('A' + i % 26) : fillerByte;
                }
                text += special;
                expected += byte;
                for (int i = at + int(special.size()); i < length; ++i) {
                    const QChar c = i % 3 == 0 ? QChar(u'A' + i % 26) : filler;
                    text += c;
                    expected += i % 3 == 0 ? char('A' + i % 26) : fillerByte;
                }
                QVERIFY2(cp1252::encode(text) == expected,
                         qPrintable(QStringLiteral("length %1, at %2").arg(length).arg(at)));
            }
        }
        // Two in one block, one in each of two blocks, one in every block.
        const QString twice = QString(5, filler) + special + QString(4, filler) + special + QString(20, filler);
        const QByteArray twiceBytes = QByteArray(5, fillerByte) + byte + QByteArray(4, fillerByte) + byte
            + QByteArray(20, fillerByte);
        QCOMPARE(cp1252::encode(twice), twiceBytes);
        QString everyBlock;
        QByteArray everyBlockBytes;
        for (int block = 0; block < 4; ++block) {
            everyBlock += QString(block * 3 + 1, filler) + special + QString(14 - block * 3, filler);
            everyBlockBytes += QByteArray(block * 3 + 1, fillerByte) + byte + QByteArray(14 - block * 3, fillerByte);
        }
        QCOMPARE(cp1252::encode(everyBlock), everyBlockBytes);
    }

    void toByteOutside()
    {
        QCOMPARE(cp1252::toByte(QChar(0x0100)), -1);
        QCOMPARE(cp1252::toByte(QChar(0x0080)), -1);
        QCOMPARE(cp1252::toByte(QChar(0x20AC)), 0x80);
    }

    void lineEndsUntouched()
    {
        const QByteArray bytes("a\r\nb\nc\r");
        QCOMPARE(cp1252::decode(bytes), QStringLiteral("a\r\nb\nc\r"));
        QCOMPARE(cp1252::encode(QStringLiteral("a\r\nb\nc\r")), bytes);
        QCOMPARE(cp1252::decode(QByteArray()), QString());
        QCOMPARE(cp1252::encode(QString()), QByteArray());
    }

    void readFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("styles.tzs"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x80 caf\xE9\r\n\x81");
        f.close();
        QCOMPARE(cp1252::readFile(path), QString::fromUtf8("\u20AC caf\u00E9\r\n\u0081"));
    }

    void readMissingFile()
    {
        QTemporaryDir dir;
        try {
            cp1252::readFile(dir.filePath(QStringLiteral("missing.tzs")));
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), 53);
        }
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
