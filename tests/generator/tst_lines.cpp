// The text builder: what it hands out is the text alone, never its room,
// and a text handed out stays as it was while the builder goes on.
#include "generator/lines.h"

#include <QtTest>

using namespace tess;

class TestLines : public QObject {
    Q_OBJECT
private slots:
    void pieces()
    {
        Lines l;
        l.raw(u"a", QStringLiteral("b"), QLatin1StringView("c"), u'd', QChar(u'e'), 42, -7, qint16(0));
        l.blank().raw(u"x");
        QCOMPARE(l.text(), QStringLiteral("abcde42-70\r\nx"));
        QCOMPARE(l.size(), l.text().size());
    }

    // Room given or grown never shows in the text.
    void roomStaysOut_data()
    {
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("pieces");
        QTest::newRow("no room, empty") << 0 << 0;
        QTest::newRow("room, empty") << 100 << 0;
        QTest::newRow("less than the room") << 1000 << 10;
        QTest::newRow("growing past the first room") << 10 << 5000;
    }
    void roomStaysOut()
    {
        QFETCH(int, room);
        QFETCH(int, pieces);
        Lines l(room);
        QString expected;
        for (int i = 0; i < pieces; ++i) {
            l.raw(u"ab", i);
            expected += QStringLiteral("ab") + QString::number(i);
        }
        QCOMPARE(l.text(), expected);
        QCOMPARE(l.view(), QStringView(expected));
        QCOMPARE(l.isEmpty(), pieces == 0);
        QCOMPARE(l.take(), expected);
    }

    // text() is a copy: later changes do not reach it.
    void textIsAValue()
    {
        Lines l;
        l.raw(u"select a, b, ");
        const QString before = l.text();
        l.chop(2);
        l.raw(u" from t");
        QCOMPARE(before, QStringLiteral("select a, b, "));
        QCOMPARE(l.text(), QStringLiteral("select a, b from t"));
        l.clear();
        l.raw(u"x");
        QCOMPARE(before, QStringLiteral("select a, b, "));
        QCOMPARE(l.text(), QStringLiteral("x"));
    }

    void chopBeyondTheText()
    {
        Lines l;
        l.raw(u"abc");
        l.chop(5);
        QVERIFY(l.isEmpty());
        QCOMPARE(l.text(), QString());
        l.raw(u"d");
        QCOMPARE(l.text(), QStringLiteral("d"));
    }

    // take() hands the text over and the builder starts again empty.
    void takeStartsOver()
    {
        Lines l(64);
        l.raw(u"first").blank();
        const QString first = l.take();
        QVERIFY(l.isEmpty());
        QCOMPARE(l.text(), QString());
        l.raw(u"second").blank();
        QCOMPARE(first, QStringLiteral("first\r\n"));
        QCOMPARE(l.take(), QStringLiteral("second\r\n"));
        QCOMPARE(l.take(), QString());
    }
};

QTEST_GUILESS_MAIN(TestLines)
#include "tst_lines.moc"
