// Conversion of old project files into XML project files: the file written
// and read back, the output path proposed, and the conversions refused.
#include "oldfile.h"
#include "support/errorof.h"

#include "converter/convertproject.h"
#include "platform/scriptedui.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace tess;
using namespace tess::testing;

namespace {

QStringList projectTokens()
{
    QStringList t = oldDatabase("shop") + QStringList{"49", "", "0", "3", "4"};
    t << oldTable("orders") << QStringList{"0", "Order <detail> & more", "2"};
    t << oldField("id") << QStringList{"49", "0", "0", "0", "0", "1024"};
    t << oldField("total", "8");
    t << oldTable("empty");
    return t;
}

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files | QDir::System))
            QFile::remove(path(name));
    }

    void writesTheProjectAsXml()
    {
        ScriptedUi ui;
        const QString source = path("shop.tzp");
        QVERIFY(writeBytes(source, oldFile(projectTokens())));
        const QString target = DefaultOutputPath(source);
        QCOMPARE(target, path("shop.tzx"));

        QVERIFY(ConvertProject(source, target));
        QVERIFY(ui.shown.isEmpty());

        const QByteArray xml = fileBytes(target);
        QVERIFY(xml.startsWith("<database><databaseName>shop</databaseName><databaseUser>admin</databaseUser>"
                               "<databasePassword>secret</databasePassword>"
                               "<databaseServer>localhost</databaseServer><hideNavMenu>True</hideNavMenu>"
                               "<styleSheetFile/><scrollStyle>0</scrollStyle><dateFormat>3</dateFormat>"
                               "<dateSeparator>4</dateSeparator><table><name>orders</name>"));
        QVERIFY(xml.contains("<detailViewLabel>Order &lt;detail&gt; &amp; more</detailViewLabel>"));
        QVERIFY(xml.contains("<name>total</name><dataType>8</dataType>"));
        QVERIFY(xml.contains("<maxUploadSize>1024</maxUploadSize>"));
        QVERIFY(xml.endsWith("</table></database>"));
        QCOMPARE(xml.count("<table>"), 2);
        QCOMPARE(xml.count("<field>"), 2);

        // Read back, it is the project the old file holds.
        QVERIFY(!xmlDump(target).isEmpty());
        QCOMPARE(xmlDump(target), convertedDump(source));
        // The source stays as it was.
        QCOMPARE(fileBytes(source), oldFile(projectTokens()));
    }

    // An old project that holds its database settings and no table yet
    // converts into a file the main program opens.
    void databaseOnlyProjectOpens_data()
    {
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("fixed tokens only") << oldDatabase("shop");
        QTest::newRow("with every setting") << oldDatabase("shop") + QStringList{"49", "/p/shop.tzs", "1", "2", "5"};
    }
    void databaseOnlyProjectOpens()
    {
        QFETCH(QStringList, tokens);
        ScriptedUi ui;
        const QString source = path("shop.tzp");
        QVERIFY(writeBytes(source, oldFile(tokens)));
        QVERIFY(ConvertProject(source, path("shop.tzx")));

        MyDB db;
        QVERIFY(ReadXmlProject(path("shop.tzx"), db));
        QVERIFY(ui.shown.isEmpty());
        QCOMPARE(db.Tables.Count(), 0);
        QCOMPARE(dump(db), convertedDump(source));
    }

    void defaultOutputPath_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("lower case") << "/p/shop.tzp" << "/p/shop.tzx";
        QTest::newRow("folder named like a project") << "/p.tzp/shop.tzp" << "/p.tzp/shop.tzx";
        QTest::newRow("upper case kept") << "/p/shop.TZP" << "/p/shop.TZP";
        QTest::newRow("not at the end") << "/p/shop.tzp.bak" << "/p/shop.tzp.bak";
        QTest::newRow("empty") << "" << "";
    }
    void defaultOutputPath()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QCOMPARE(DefaultOutputPath(source), target);
    }

    // Whatever spelling leads to the source, the source is not written over.
    void neverWritesOverItsSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("upper-case extension") << "shop.TZP" << "shop.TZP";
        QTest::newRow("other spelling") << "shop.tzp" << "./sub/../shop.tzp";
        QTest::newRow("symbolic link") << "shop.tzp" << "link.tzx";
        QTest::newRow("hard link") << "shop.tzp" << "hard.tzx";
    }
    void neverWritesOverItsSource()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        ScriptedUi ui;
        const QByteArray bytes = oldFile(projectTokens());
        QVERIFY(writeBytes(path(source), bytes));
        QVERIFY(QDir(m_dir.path()).mkpath("sub"));
        QVERIFY(QFile::link(path(source), path("link.tzx")));
        QVERIFY(::link(QFile::encodeName(path(source)).constData(), QFile::encodeName(path("hard.tzx")).constData())
                == 0);

        QVERIFY(!ConvertProject(path(source), m_dir.path() + '/' + target));
        QCOMPARE(fileBytes(path(source)), bytes);
        QVERIFY(ui.shown.isEmpty());
    }

    void failedReadingWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("messages");
        QTest::newRow("ends inside fixed tokens") << oldFile(oldDatabase().mid(0, 2)) << 0;
        QTest::newRow("bad flag") << oldFile(oldDatabase() + QStringList{"yes"}) << 1;
    }
    void failedReadingWritesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, messages);
        ScriptedUi ui;
        QVERIFY(writeBytes(path("bad.tzp"), bytes));
        QVERIFY(!ConvertProject(path("bad.tzp"), path("bad.tzx")));
        QVERIFY(!QFile::exists(path("bad.tzx")));
        QCOMPARE(ui.shown.size(), messages);
    }

    // A write that fails raises its error and leaves no file of its own.
    void failedWrite()
    {
        ScriptedUi ui;
        QVERIFY(writeBytes(path("shop.tzp"), oldFile(projectTokens())));
        QCOMPARE(test::errorOf([&] { ConvertProject(path("shop.tzp"), path("missing/shop.tzx")); }),
                 int(Err::PathNotFound));
        QVERIFY(!QFile::exists(path("missing")));

        QVERIFY(writeBytes(path("locked.tzx"), "old"));
        QVERIFY(QFile::setPermissions(path("locked.tzx"), QFileDevice::ReadOwner));
        QCOMPARE(test::errorOf([&] { ConvertProject(path("shop.tzp"), path("locked.tzx")); }),
                 int(Err::PermissionDenied));
        QCOMPARE(fileBytes(path("locked.tzx")), QByteArray("old"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
