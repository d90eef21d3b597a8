#include "platform/runtimeerror.h"

#include <QtTest>

#include <new>
#include <stdexcept>

using namespace tess;

class TestErrors : public QObject {
    Q_OBJECT
private slots:
    void standardDescriptions_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("5") << 5 << "Invalid procedure call or argument";
        QTest::newRow("6") << 6 << "Overflow";
        QTest::newRow("9") << 9 << "Subscript out of range";
        QTest::newRow("11") << 11 << "Division by zero";
        QTest::newRow("13") << 13 << "Type mismatch";
        QTest::newRow("53") << 53 << "File not found";
        QTest::newRow("62") << 62 << "Input past end of file";
        QTest::newRow("75") << 75 << "Path/File access error";
        QTest::newRow("76") << 76 << "Path not found";
        QTest::newRow("94") << 94 << "Invalid use of Null";
        QTest::newRow("457") << 457 << "This key is already associated with an element of this collection";
        QTest::newRow("unknown") << 1234 << "Application-defined or object-defined error";
    }
    void standardDescriptions()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        QCOMPARE(standardErrorText(number), description);
        const RuntimeError e(number);
        QCOMPARE(e.number(), number);
        QCOMPARE(e.description(), description);
        QCOMPARE(e.message(), QStringLiteral("Error ") + QString::number(number) + QStringLiteral(": ") + description);
        QCOMPARE(QString::fromUtf8(e.what()), e.message());
    }

    void ownDescription()
    {
        const RuntimeError e(1001, QStringLiteral("Größe unbekannt"));
        QCOMPARE(e.message(), QStringLiteral("Error 1001: Größe unbekannt"));
        QCOMPARE(QString::fromUtf8(e.what()), e.message());
    }

    void raiseThrows()
    {
        try {
            raise(Err::SubscriptOutOfRange);
            QFAIL("raise returned");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), 9);
            QCOMPARE(e.message(), QStringLiteral("Error 9: Subscript out of range"));
        }
        try {
            raise(Err::PathNotFound, QStringLiteral("No folder"));
            QFAIL("raise returned");
        } catch (const std::exception &e) {
            // Reachable as a standard exception too.
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Error 76: No folder"));
        }
    }

    // Every exception that reaches a report reads "Error n: desc".
    void messageOfAnyException()
    {
        QCOMPARE(errorMessage(RuntimeError(Err::PathNotFound)), QStringLiteral("Error 76: Path not found"));
        QCOMPARE(errorMessage(std::bad_alloc()), QStringLiteral("Error 7: Out of memory"));
        QCOMPARE(errorMessage(std::runtime_error("disk on fire")), QStringLiteral("Error 51: disk on fire"));
    }
};

QTEST_GUILESS_MAIN(TestErrors)
#include "tst_errors.moc"
