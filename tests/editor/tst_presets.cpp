// The preset value lists and the file-type list beside the program.
#include "editor/filetypes.h"
#include "editor/quicklists.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

class TestPresets : public QObject {
    Q_OBJECT
private slots:
    void quickLists_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("countries") << 0 << "World countries list" << 242 << "Afghanistan" << "Zimbabwe";
        QTest::newRow("states") << 1 << "US states (non-abbreviated)" << 59 << "ALABAMA" << "WYOMING";
        QTest::newRow("codes") << 2 << "US states (abbreviated)" << 59 << "AL" << "WY";
        QTest::newRow("both") << 3 << "US states (both formats)" << 59 << "ALABAMA (AL)" << "WYOMING (WY)";
    }
    void quickLists()
    {
        QFETCH(int, slot);
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QuickLists q = FillQuickLists();
        QCOMPARE(q.names[size_t(slot)], name);
        const QStringList items = q.values[size_t(slot)].split(QStringLiteral(";;"));
        QCOMPARE(items.size(), count);
        QCOMPARE(items.first(), first);
        QCOMPARE(items.last(), last);
        QVERIFY(!items.contains(QString()));
    }
    void quickListsAgree()
    {
        const QuickLists q = FillQuickLists();
        const QStringList names = q.values[1].split(QStringLiteral(";;"));
        const QStringList codes = q.values[2].split(QStringLiteral(";;"));
        const QStringList both = q.values[3].split(QStringLiteral(";;"));
        for (qsizetype i = 0; i < names.size(); ++i)
            QCOMPARE(both[i], names[i] + QStringLiteral(" (") + codes[i] + u')');
        for (size_t s = 4; s < 31; ++s)
            QVERIFY(q.names[s].isEmpty() && q.values[s].isEmpty());
    }

    void fileTypes_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "missing" for no file
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QStringList>("groups");
        const QStringList builtIn = {"", "jpg|jpeg|gif|png", "csv|xls", "txt|doc|pdf|rtf", "mov|avi|swf|asf"};
        QTest::newRow("missing") << QByteArray("missing") << true << builtIn;
        QTest::newRow("empty") << QByteArray() << false << builtIn;
        QTest::newRow("a group and an empty line")
            << QByteArray("zip|rar\r\n\r\n") << false << QStringList{"", "jpg|jpeg|gif|png", "zip|rar", ""};
        QTest::newRow("the image group again")
            << QByteArray("jpg|jpeg|gif|png\r\n") << false << QStringList{"", "jpg|jpeg|gif|png", "jpg|jpeg|gif|png"};
        QTest::newRow("lines as they stand, last without line end")
            << QByteArray(" doc \r\nodt\ngz") << false << QStringList{"", "jpg|jpeg|gif|png", " doc ", "odt", "gz"};
        QTest::newRow("8-bit text") << QByteArray("\xe9t\xe9\r\n") << false
                                    << QStringList{"", "jpg|jpeg|gif|png", QStringLiteral("\u00e9t\u00e9")};
    }
    void fileTypes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, missing);
        QFETCH(QStringList, groups);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fileTypes.cfg"));
        if (bytes != "missing") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        const FileTypeList list = readFileTypeList(path);
        QCOMPARE(list.missing, missing);
        QCOMPARE(list.groups, groups);
    }

    void shippedList()
    {
        // The list installed beside the program: CR LF lines, no group twice,
        // none of the two that always come first.
        const FileTypeList list = readFileTypeList(QStringLiteral(TESSARON_BIN_DIR "/fileTypes.cfg"));
        QVERIFY(!list.missing);
        QFile f(QStringLiteral(TESSARON_SOURCE_DIR "/resources/fileTypes.cfg"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        const QStringList extra = list.groups.mid(2);
        QVERIFY(!extra.isEmpty());
        QCOMPARE(QSet<QString>(extra.begin(), extra.end()).size(), extra.size());
        QVERIFY(!extra.contains(QString()) && !extra.contains(QStringLiteral("jpg|jpeg|gif|png")));
    }
};

QTEST_GUILESS_MAIN(TestPresets)
#include "tst_presets.moc"
