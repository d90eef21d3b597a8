#include "platform/settings.h"

#include <QtTest>

using namespace tess;

// ctest gives every test program its own XDG_CONFIG_HOME, so the store
// written here is a scratch one.
class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QByteArray home = qgetenv("XDG_CONFIG_HOME");
        QVERIFY2(!home.isEmpty(), "run through ctest, which isolates the settings store");
        m_home = QString::fromLocal8Bit(home);
        // Start from an empty store, but never touch a real user's one.
        if (!m_home.contains(QLatin1String("/test-config/")))
            QSKIP("XDG_CONFIG_HOME is not a test folder");
        QDir(m_home + QStringLiteral("/Halvorn Corvane")).removeRecursively();
    }

    void missingKeyGivesDefault()
    {
        QCOMPARE(settings::get(QStringLiteral("Never Written")), QString());
        QCOMPARE(settings::get(QStringLiteral("Never Written"), QStringLiteral("0")), QStringLiteral("0"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("no startup") << "No Startup" << "1";
        QTest::newRow("folder") << "LastOutputFolder" << "/home/user/web/my app";
        QTest::newRow("folder with comma") << "LastOutputFolder" << "/srv/a, b;c=d";
        QTest::newRow("colour") << "FormsBackground" << "&H00C0FFFF";
        QTest::newRow("colour system") << "TextBoxesBackground" << "&H80000005";
        QTest::newRow("surrounding blanks") << "LastOutputFolder" << "  padded  ";
        QTest::newRow("quotes and at") << "LastOutputFolder" << "@\"quoted\"\\";
        QTest::newRow("non-ASCII") << "LastOutputFolder" << QString::fromUtf8("/home/j\u00F6rg/\u20AC");
        QTest::newRow("empty") << "No Startup" << "";
    }
    void roundTrip()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        settings::set(key, value);
        QCOMPARE(settings::get(key, QStringLiteral("default")), value);
    }

    void storedAsIniUnderOrganisation()
    {
        settings::set(QStringLiteral("No Startup"), QStringLiteral("1"));
        const QString path = m_home + QStringLiteral("/Halvorn Corvane/Tessaron.ini");
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QSettings ini(path, QSettings::IniFormat);
        QCOMPARE(ini.childGroups(), QStringList{QStringLiteral("Settings")});
        QCOMPARE(ini.value(QStringLiteral("Settings/No Startup")).toString(), QStringLiteral("1"));
    }

    void writtenAtOnce()
    {
        // Another instance of the store sees the value without any flush.
        settings::set(QStringLiteral("FormsBackground"), QStringLiteral("&H00FF00FF"));
        QSettings ini(m_home + QStringLiteral("/Halvorn Corvane/Tessaron.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Settings/FormsBackground")).toString(), QStringLiteral("&H00FF00FF"));
    }

private:
    QString m_home;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
