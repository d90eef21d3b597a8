#include "app/entrypoint.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "app/startup.h"
#include "model/appstate.h"
#include "platform/settings.h"
#include "support/guifixture.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace tess;

class TestGuiMain : public QObject {
    Q_OBJECT
    test::GuiFixture f;

private slots:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }

    void menuItemsReachTheirCommands_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("command");
        for (const char *name : {"miFileNew", "miFileOpenXML", "miFileSaveXML", "miFileSaveXMLAs", "miTablesNew",
                                 "miTablesDelete", "miFieldsNew", "miFieldsDelete", "miFieldsFirstField",
                                 "miFieldsLastField", "miProjectGenerate", "miProjectProperties", "miProjectStyles"})
            QTest::newRow(name) << name << QString::fromLatin1(name) + QStringLiteral("_Click");
    }
    void menuItemsReachTheirCommands()
    {
        QFETCH(QString, item);
        QFETCH(QString, command);
        settings::set(QStringLiteral("No Startup"), QStringLiteral("1"));
        startProgram(QString());
        forms().main().setProjectMenusEnabled(true);
        f.trigger(item);
        QCOMPARE(f.commands(), QStringList{command});
    }
};

QTEST_MAIN(TestGuiMain)
#include "tst_gui_main.moc"
