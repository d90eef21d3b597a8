#include "platform/convert.h"
#include "platform/runtimeerror.h"
#include "platform/variant.h"

#include "support/errorof.h"

#include <QtTest>

#include <functional>

using namespace tess;
using tess::test::errorOf;

namespace {
} // namespace

class TestConvert : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("unit suffix") << "12px" << 12.0;
        QTest::newRow("leading blanks") << "  42 apples" << 42.0;
        QTest::newRow("tab") << "\t7" << 7.0;
        QTest::newRow("negative") << "-3abc" << -3.0;
        QTest::newRow("plus") << "+8" << 8.0;
        QTest::newRow("fraction") << "2.75m" << 2.75;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("second point stops") << "1.5.3" << 1.5;
        QTest::newRow("exponent") << "1e3x" << 1000.0;
        QTest::newRow("exponent without digits") << "4e" << 4.0;
        QTest::newRow("comma stops") << "1,5" << 1.0;
        QTest::newRow("letters first") << "px12" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("hex with suffix") << "&H1Fpx" << 31.0;
        QTest::newRow("hex 16-bit negative") << "&HFFFF" << -1.0;
        QTest::newRow("hex long mark") << "&HFFFF&" << 65535.0;
        QTest::newRow("hex 8 digits") << "&H00C0C0C0" << double(0xC0C0C0);
        QTest::newRow("hex 32-bit negative") << "&H80000005" << -2147483643.0;
        QTest::newRow("hex no digits") << "&Hzz" << 0.0;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(tess::leadingNumber(text), value);
    }

    void strictNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("integer") << "12" << 12.0 << 0;
        QTest::newRow("blanks around") << "  12 " << 12.0 << 0;
        QTest::newRow("negative fraction") << "-2.5" << -2.5 << 0;
        QTest::newRow("trailing point") << "1." << 1.0 << 0;
        QTest::newRow("exponent") << "1.5e2" << 150.0 << 0;
        QTest::newRow("hex") << "&HFF" << 255.0 << 0;
        QTest::newRow("hex 16-bit") << "&HFFFF" << -1.0 << 0;
        QTest::newRow("empty") << "" << 0.0 << 13;
        QTest::newRow("blanks") << "  " << 0.0 << 13;
        QTest::newRow("unit suffix") << "12px" << 0.0 << 13;
        QTest::newRow("word") << "abc" << 0.0 << 13;
        QTest::newRow("two numbers") << "1 2" << 0.0 << 13;
        QTest::newRow("exponent without digits") << "1e" << 0.0 << 13;
        QTest::newRow("hex without digits") << "&H" << 0.0 << 13;
        QTest::newRow("hex long mark only") << "&H&" << 0.0 << 13;
        QTest::newRow("hex long mark") << "&HFFFF&" << 65535.0 << 0;
        QTest::newRow("hex with suffix") << "&H1Fpx" << 0.0 << 13;
        QTest::newRow("hex with inner sign") << "&H-1" << 0.0 << 13;
        QTest::newRow("hex too long") << "&H123456789" << 0.0 << 6;
        QTest::newRow("beyond double") << "1e999" << 0.0 << 6;
        QTest::newRow("True is no number") << "True" << 0.0 << 13;
    }
    void strictNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, error);
        double got = 0;
        QCOMPARE(errorOf([&] { got = tess::strictNumber(text); }), error);
        if (error == 0)
            QCOMPARE(got, value);
    }

    void toBoolean_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("True") << "True" << true << 0;
        QTest::newRow("False") << "False" << false << 0;
        QTest::newRow("upper") << "TRUE" << true << 0;
        QTest::newRow("lower") << "false" << false << 0;
        QTest::newRow("mixed") << "tRuE" << true << 0;
        QTest::newRow("blanks") << " True " << true << 0;
        QTest::newRow("minus one") << "-1" << true << 0;
        QTest::newRow("one") << "1" << true << 0;
        QTest::newRow("zero") << "0" << false << 0;
        QTest::newRow("fraction") << "0.5" << true << 0;
        QTest::newRow("empty") << "" << false << 13;
        QTest::newRow("yes") << "yes" << false << 13;
        QTest::newRow("Truely") << "Truely" << false << 13;
    }
    void toBoolean()
    {
        QFETCH(QString, text);
        QFETCH(bool, value);
        QFETCH(int, error);
        bool got = false;
        QCOMPARE(errorOf([&] { got = tess::toBoolean(text); }), error);
        if (error == 0)
            QCOMPARE(got, value);
    }

    void booleanText()
    {
        QCOMPARE(tess::booleanText(true), QStringLiteral("True"));
        QCOMPARE(tess::booleanText(false), QStringLiteral("False"));
        QCOMPARE(tess::toBoolean(tess::booleanText(true)), true);
        QCOMPARE(tess::toBoolean(tess::booleanText(false)), false);
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("error");
        QTest::newRow("whole") << 7.0 << 7 << 0;
        QTest::newRow("below half") << 2.4 << 2 << 0;
        QTest::newRow("above half") << 2.6 << 3 << 0;
        QTest::newRow("2.5 to even") << 2.5 << 2 << 0;
        QTest::newRow("3.5 to even") << 3.5 << 4 << 0;
        QTest::newRow("0.5 to even") << 0.5 << 0 << 0;
        QTest::newRow("1.5 to even") << 1.5 << 2 << 0;
        QTest::newRow("-2.5 to even") << -2.5 << -2 << 0;
        QTest::newRow("-3.5 to even") << -3.5 << -4 << 0;
        QTest::newRow("-0.5 to even") << -0.5 << 0 << 0;
        QTest::newRow("-1.5 to even") << -1.5 << -2 << 0;
        QTest::newRow("just below half") << 2.4999999 << 2 << 0;
        QTest::newRow("-2.6") << -2.6 << -3 << 0;
        QTest::newRow("max") << 32767.0 << 32767 << 0;
        QTest::newRow("min") << -32768.0 << -32768 << 0;
        QTest::newRow("rounds down into range") << 32767.4 << 32767 << 0;
        QTest::newRow("min half to even") << -32768.5 << -32768 << 0;
        QTest::newRow("rounds up out of range") << 32767.5 << 0 << 6;
        QTest::newRow("above max") << 32768.0 << 0 << 6;
        QTest::newRow("below min") << -32769.0 << 0 << 6;
        QTest::newRow("infinity") << qInf() << 0 << 6;
        QTest::newRow("nan") << qQNaN() << 0 << 6;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(int, result);
        QFETCH(int, error);
        int got = 0;
        QCOMPARE(errorOf([&] { got = tess::toInt16(value); }), error);
        if (error == 0)
            QCOMPARE(got, result);
    }

    void toInt32_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("result");
        QTest::addColumn<int>("error");
        QTest::newRow("beyond 16 bits") << 100000.0 << qint64(100000) << 0;
        QTest::newRow("2.5 to even") << 2.5 << qint64(2) << 0;
        QTest::newRow("3.5 to even") << 3.5 << qint64(4) << 0;
        QTest::newRow("-2.5 to even") << -2.5 << qint64(-2) << 0;
        QTest::newRow("max") << 2147483647.0 << qint64(2147483647) << 0;
        QTest::newRow("min") << -2147483648.0 << qint64(-2147483647 - 1) << 0;
        QTest::newRow("max half rounds up") << 2147483647.5 << qint64(0) << 6;
        QTest::newRow("above max") << 2147483648.0 << qint64(0) << 6;
        QTest::newRow("below min") << -2147483649.0 << qint64(0) << 6;
        QTest::newRow("nan") << qQNaN() << qint64(0) << 6;
    }
    void toInt32()
    {
        QFETCH(double, value);
        QFETCH(qint64, result);
        QFETCH(int, error);
        qint64 got = 0;
        QCOMPARE(errorOf([&] { got = tess::toInt32(value); }), error);
        if (error == 0)
            QCOMPARE(got, result);
    }

    void textToInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("int16");
        QTest::addColumn<int>("error16");
        QTest::addColumn<int>("error32");
        QTest::newRow("plain") << "42" << 42 << 0 << 0;
        QTest::newRow("half to even") << "2.5" << 2 << 0 << 0;
        QTest::newRow("blanks") << " 10 " << 10 << 0 << 0;
        QTest::newRow("beyond 16 bits") << "40000" << 0 << 6 << 0;
        QTest::newRow("not a number") << "12px" << 0 << 13 << 13;
        QTest::newRow("empty") << "" << 0 << 13 << 13;
    }
    void textToInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, int16);
        QFETCH(int, error16);
        QFETCH(int, error32);
        int got = 0;
        QCOMPARE(errorOf([&] { got = tess::toInt16(text); }), error16);
        if (error16 == 0)
            QCOMPARE(got, int16);
        QCOMPARE(errorOf([&] { tess::toInt32(text); }), error32);
    }

    void variantKinds()
    {
        const Variant empty;
        QVERIFY(empty.isEmpty());
        QVERIFY(!empty.isText() && !empty.isInteger());
        QCOMPARE(empty.toText(), QString());
        QCOMPARE(empty.toNumber(), 0.0);
        QCOMPARE(empty.toInt(), 0);
        QVERIFY(empty.equalsNumber(0));

        const Variant number(4);
        QVERIFY(number.isInteger());
        QCOMPARE(number.toText(), QStringLiteral("4"));
        QCOMPARE(number.toInt(), 4);

        const Variant text(QStringLiteral("4"));
        QVERIFY(text.isText());
        QCOMPARE(text.toText(), QStringLiteral("4"));
        QCOMPARE(text.toInt(), 4);

        const Variant negative(-12);
        QCOMPARE(negative.toText(), QStringLiteral("-12"));
    }

    void variantComparesNumerically_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << "3" << 3.0 << true;
        QTest::newRow("blanks") << " 3 " << 3.0 << true;
        QTest::newRow("leading zero") << "03" << 3.0 << true;
        QTest::newRow("decimal form") << "3.0" << 3.0 << true;
        QTest::newRow("different") << "2" << 3.0 << false;
    }
    void variantComparesNumerically()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(bool, equal);
        QCOMPARE(Variant(text).equalsNumber(number), equal);
        QCOMPARE(Variant(int(number)).equalsNumber(number), true);
    }

    void variantErrors()
    {
        QCOMPARE(errorOf([] { Variant(QStringLiteral("abc")).toNumber(); }), 13);
        QCOMPARE(errorOf([] { Variant(QString()).toNumber(); }), 13);
        QCOMPARE(errorOf([] { Variant(QStringLiteral("abc")).equalsNumber(1); }), 13);
        QCOMPARE(errorOf([] { Variant(QStringLiteral("70000")).toInt(); }), 6);
        QCOMPARE(errorOf([] { Variant(70000).toInt(); }), 6);
        QCOMPARE(Variant(QStringLiteral("2.5")).toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
