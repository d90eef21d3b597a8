#include "model/columndefinition.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"

#include <QtTest>

using namespace tess;

namespace {
// Column flags of a test field, combined by "|".
constexpr int Unsigned = 1, ZeroFill = 2, Binary = 4, NotNull = 8, PrimaryKey = 16, AutoIncrement = 32;

MyField field(int type, int length, int precision, int flags, const QString &dflt = {})
{
    MyField f;
    f.pDataType = type;
    f.pLength = qint16(length);
    f.pPrecision = qint16(precision);
    f.pUnsigned = flags & Unsigned;
    f.pZeroFill = flags & ZeroFill;
    f.pBinary = flags & Binary;
    f.pNotNull = flags & NotNull;
    f.pPrimaryKey = flags & PrimaryKey;
    f.pAutoIncrement = flags & AutoIncrement;
    f.pDefault = dflt;
    return f;
}
} // namespace

class TestColumnDefinition : public QObject {
    Q_OBJECT
private slots:
    void definition_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("dflt");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("lengthAfter");

        const int all = Unsigned | ZeroFill | Binary | NotNull | PrimaryKey | AutoIncrement;
        QTest::newRow("int key") << int(Dt::Int) << 11 << 0 << (Unsigned | PrimaryKey | AutoIncrement) << ""
                                 << "INT(11) unsigned not null auto_increment " << 11;
        QTest::newRow("int every flag and default")
            << int(Dt::Int) << 11 << 3 << all << "7" << "INT(11) unsigned zerofill not null default '7' auto_increment " << 11;
        QTest::newRow("tinyint zerofill") << int(Dt::TinyInt) << 3 << 0 << ZeroFill << "" << "TINYINT(3) zerofill " << 3;
        QTest::newRow("bigint default") << int(Dt::BigInt) << 20 << 0 << NotNull << "0" << "BIGINT(20) not null default '0' " << 20;
        QTest::newRow("integer without length") << int(Dt::SmallInt) << 0 << 0 << 0 << "" << "SMALLINT " << 0;
        QTest::newRow("integer negative length") << int(Dt::MediumInt) << -4 << 0 << 0 << "" << "MEDIUMINT " << -4;
        QTest::newRow("integer binary ignored") << int(Dt::Int) << 5 << 0 << Binary << "" << "INT(5) " << 5;
        QTest::newRow("no type") << 0 << 5 << 0 << NotNull << "" << "(5) not null " << 5;
        QTest::newRow("no type auto increment") << 0 << 0 << 0 << AutoIncrement << "" << " auto_increment " << 0;
        QTest::newRow("primary key alone") << int(Dt::Int) << 0 << 0 << PrimaryKey << "" << "INT not null " << 0;
        QTest::newRow("auto increment") << int(Dt::Int) << 0 << 0 << AutoIncrement << "" << "INT auto_increment " << 0;

        QTest::newRow("decimal without length") << int(Dt::Decimal) << 0 << 2 << 0 << "" << "DECIMAL(1,2) " << 1;
        QTest::newRow("double zero") << int(Dt::Double) << 0 << 0 << 0 << "" << "DOUBLE(1,0) " << 1;
        QTest::newRow("decimal negative length") << int(Dt::Decimal) << -3 << 2 << 0 << "" << "DECIMAL(1,2) " << 1;
        QTest::newRow("decimal negative precision") << int(Dt::Decimal) << 10 << -1 << 0 << "" << "DECIMAL(10,-1) " << 10;
        QTest::newRow("float every flag")
            << int(Dt::Float) << 8 << 2 << all << "1.5" << "FLOAT(8,2) unsigned zerofill not null default '1.5' " << 8;

        QTest::newRow("varchar default quoted") << int(Dt::VarChar) << 40 << 0 << 0 << "it's"
                                                << "VARCHAR(40) default 'it\\'s' " << 40;
        QTest::newRow("char ignores numeric flags") << int(Dt::Char) << 10 << 0 << (Unsigned | ZeroFill | AutoIncrement) << ""
                                                   << "CHAR(10) " << 10;
        QTest::newRow("char numeric flags with not null and default")
            << int(Dt::Char) << 10 << 0 << (Unsigned | ZeroFill | AutoIncrement | NotNull) << "x"
            << "CHAR(10) not null default 'x' " << 10;
        QTest::newRow("char binary") << int(Dt::Char) << 4 << 0 << (Binary | NotNull) << "" << "CHAR(4) binary not null " << 4;
        QTest::newRow("varchar without length") << int(Dt::VarChar) << 0 << 0 << 0 << "" << "VARCHAR(1) " << 1;
        QTest::newRow("char precision ignored") << int(Dt::Char) << 2 << 5 << 0 << "" << "CHAR(2) " << 2;

        QTest::newRow("text not null") << int(Dt::Text) << 200 << 0 << NotNull << "" << "TEXT not null " << 200;
        QTest::newRow("date every flag") << int(Dt::Date) << 10 << 2 << all << "2004-12-31"
                                         << "DATE not null default '2004-12-31' " << 10;
        QTest::newRow("year") << int(Dt::Year) << 4 << 0 << 0 << "" << "YEAR " << 4;
        QTest::newRow("longblob") << int(Dt::LongBlob) << 0 << 0 << 0 << "" << "LONGBLOB " << 0;
        QTest::newRow("code 24 has no name") << 24 << 5 << 0 << NotNull << "" << " not null " << 5;
        QTest::newRow("code 30") << 30 << 0 << 0 << 0 << "" << " " << 0;

        QTest::newRow("default backslash") << int(Dt::VarChar) << 10 << 0 << 0 << "\\" << "VARCHAR(10) default '\\\\' " << 10;
        QTest::newRow("default double quote") << int(Dt::VarChar) << 10 << 0 << 0 << "say \"hi\""
                                              << "VARCHAR(10) default 'say \\\"hi\\\"' " << 10;
        QTest::newRow("negative default") << int(Dt::Int) << 0 << 0 << 0 << "-1" << "INT default '-1' " << 0;
    }
    void definition()
    {
        QFETCH(int, type);
        QFETCH(int, length);
        QFETCH(int, precision);
        QFETCH(int, flags);
        QFETCH(QString, dflt);
        QFETCH(QString, expected);
        QFETCH(int, lengthAfter);
        MyField f = field(type, length, precision, flags, dflt);
        QCOMPARE(ColumnDefinition(f, false), expected);
        QCOMPARE(int(f.pLength), lengthAfter);
        // A second call sees the stored length and gives the same text.
        QCOMPARE(ColumnDefinition(f, false), expected);
        QCOMPARE(int(f.pLength), lengthAfter);
        QVERIFY(expected.endsWith(u' '));
    }

    void omitAutoIncrement()
    {
        MyField f = field(Dt::Int, 11, 0, Unsigned | PrimaryKey | AutoIncrement);
        QCOMPARE(ColumnDefinition(f, true), QStringLiteral("INT(11) unsigned not null "));
        QCOMPARE(ColumnDefinition(f, false), QStringLiteral("INT(11) unsigned not null auto_increment "));
    }

    void typeNamesByCode()
    {
        for (int code = 1; code <= 23; ++code) {
            MyField f = field(code, 0, 0, 0);
            const QString def = ColumnDefinition(f, false);
            const QString name = DataTypeNames[size_t(code)];
            QVERIFY2(def.startsWith(name + u' ') || def.startsWith(name + u'('), qPrintable(def));
        }
        QCOMPARE(DataTypeNames[Dt::Decimal], QStringLiteral("DECIMAL"));
        QCOMPARE(DataTypeNames[Dt::LongText], QStringLiteral("LONGTEXT"));
        QVERIFY(DataTypeNames[0].isEmpty());
        for (int code = 24; code <= 30; ++code)
            QVERIFY(DataTypeNames[size_t(code)].isEmpty());
    }

    void codeOutOfRange_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("-1") << -1;
        QTest::newRow("31") << 31;
        QTest::newRow("large") << 100000;
    }
    void codeOutOfRange()
    {
        QFETCH(int, type);
        MyField f = field(type, 0, 0, 0);
        try {
            ColumnDefinition(f, false);
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), int(Err::SubscriptOutOfRange));
        }
        QCOMPARE(int(f.pLength), 0);
    }

    void escapeQuoted_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("plain") << "plain text" << "plain text";
        QTest::newRow("single quote") << "it's" << "it\\'s";
        QTest::newRow("double quote") << "a\"b" << "a\\\"b";
        QTest::newRow("backslash") << "\\" << "\\\\";
        QTest::newRow("backslash before quote") << "\\'" << "\\\\\\'";
        QTest::newRow("all three") << "\\\"'" << "\\\\\\\"\\'";
        QTest::newRow("other characters untouched") << "%_\t\r\n`" << "%_\t\r\n`";
    }
    void escapeQuoted()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(EscapeQuoted(value), expected);
    }

    void typeHintsByCode_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("hint");
        QTest::newRow("integer") << QList<int>{1, 2, 3, 4, 5}
                                 << QStringLiteral("* Length property is optional -- if you specify a number here, data is left-padded with spaces.\r\n"
                                                   "* There is no need to specify a precision.\r\n"
                                                   "* You might check the Unsigned property to force this field to accept positive values only.\r\n"
                                                   "* If you check Zero Fill, data values in this field will be left-padded with zeros.\r\n"
                                                   "* This field can't be Binary.");
        QTest::newRow("fractional") << QList<int>{6, 7, 8}
                                    << QStringLiteral("* You should specify a length and a precision.\r\n"
                                                      "* If you check Unsigned, only positive values will be accepted in this field.\r\n"
                                                      "* If you check Zero Fill, data values in this field will be left-padded with zeros.\r\n"
                                                      "* You shouldn't check Auto Increment or Binary for this data type.");
        QTest::newRow("character") << QList<int>{14, 15}
                                   << QStringLiteral("* Specify a Length but leave the Precision property empty for this data type.\r\n"
                                                     "* Maximum Length is 255. If you need a larger size, use Text or Blob data types.\r\n"
                                                     "* Can't be Unsigned, Zero Filled or Auto Incremented.\r\n"
                                                     "* Check the Binary property if you want values to be treated as binary rather than text data.");
        QTest::newRow("no size") << QList<int>{9, 10, 11, 12, 13, 16, 17, 18, 19, 20, 21, 22, 23}
                                 << QStringLiteral("* Do not specify a Length or a Precision.\r\n"
                                                   "* Can't be Unsigned, Zero Filled, Binary or Auto Incremented.");
        QTest::newRow("none") << QList<int>{0, 24, 30} << QString();
    }
    void typeHintsByCode()
    {
        QFETCH(QList<int>, codes);
        QFETCH(QString, hint);
        for (int code : codes)
            QCOMPARE(DataTypeHints[size_t(code)], hint);
    }
};

QTEST_GUILESS_MAIN(TestColumnDefinition)
#include "tst_columndefinition.moc"
