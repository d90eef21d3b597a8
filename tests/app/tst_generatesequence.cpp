// The order of a Generate run and how each kind of failure ends it, with
// the windows replaced by a recording front end.
#include "app/generatesequence.h"
#include "generator/testhost.h"
#include "model/constants.h"
#include "model/styles.h"
#include "platform/scriptedui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

class FrontEnd : public GenerateFrontEnd {
public:
    test::RecordingHost host;
    QStringList steps;
    QList<bool> colours; // true = red
    QString folder;
    bool commitOk = true;
    bool commitRaises = false;
    std::function<void()> duringFolder;

    GenerationHost &openLog() override
    {
        steps << "log";
        host.clear();
        return host;
    }
    void setLogChecking(bool checking) override { colours << checking; }
    bool commitPane() override
    {
        steps << "commit";
        if (commitRaises)
            raise(Err::TypeMismatch);
        return commitOk;
    }
    QString chooseOutputFolder() override
    {
        steps << "folder";
        if (duringFolder)
            duringFolder();
        return folder;
    }
    void setBusy(bool busy) override { steps << (busy ? "busy" : "idle"); }
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 10), QTime(10, 11, 50)); }
};

void smallProject()
{
    MyDB &db = *app().ProjectDB;
    ResetProject(db);
    db.DBName = QStringLiteral("shop");
    MyTable &t = *db.Tables.Add(QStringLiteral("Items"), QStringLiteral("items"));
    t.Fields.Add({}, {}, {}, {}, QStringLiteral("ID"), QStringLiteral("id"), true, true, Dt::Int, 11, 0, {}, false,
                 true, true, false, false);
    LoadDefaultStyles(app().Styles);
}

QString closingDate(const FrontEnd &fe)
{
    MyDB db;
    test::RecordingHost h;
    GenerationRun run(db, app().Styles, h);
    run.setClock(fe.now());
    return run.date + QStringLiteral(" at ") + run.time + QStringLiteral(".");
}

const QString kHelpLines = QStringLiteral("\r\nFor help on using the generated PHP application, please refer to\r\n"
                                          "the section \"Working with generated applications\" in Help.");

} // namespace

class TestGenerateSequence : public QObject {
    Q_OBJECT
private slots:
    void init() { smallProject(); }
    void noProject();
    void validationFails();
    void cancelled();
    void commitFails();
    void commitRaises();
    void success();
    void failedFileIsTold();
    void secondRunWaits();
};

void TestGenerateSequence::noProject()
{
    app().ProjectDB->DBName.clear();
    FrontEnd fe;
    RunGenerate(fe);
    QVERIFY(fe.steps.isEmpty());
}

void TestGenerateSequence::validationFails()
{
    app().ProjectDB->Tables.Clear();
    FrontEnd fe;
    ScriptedUi ui;
    RunGenerate(fe);
    QCOMPARE(fe.steps, QStringList({"log", "commit"}));
    QCOMPARE(fe.host.log, QStringLiteral("The database has no tables."));
    QCOMPARE(fe.colours, QList<bool>{true});
    QVERIFY(ui.shown.isEmpty());
}

void TestGenerateSequence::cancelled()
{
    FrontEnd fe;
    RunGenerate(fe);
    QCOMPARE(fe.steps, QStringList({"log", "commit", "folder"}));
    QCOMPARE(fe.host.log, QStringLiteral("Error checking: Ok.\r\nPHP application generation process cancelled by user."));
    QCOMPARE(fe.colours, QList<bool>({true, false}));
}

void TestGenerateSequence::commitFails()
{
    FrontEnd fe;
    fe.commitOk = false;
    ScriptedUi ui;
    RunGenerate(fe);
    QCOMPARE(fe.steps, QStringList({"log", "commit"}));
    QCOMPARE(fe.host.log, QString());
    QVERIFY(ui.shown.isEmpty());
}

void TestGenerateSequence::commitRaises()
{
    FrontEnd fe;
    fe.commitRaises = true;
    ScriptedUi ui;
    RunGenerate(fe);
    QCOMPARE(fe.steps, QStringList({"log", "commit"}));
    QCOMPARE(ui.messages(), QStringList{"Error 13: Type mismatch"});
    QCOMPARE(ui.shown[0].style, int(Mb::Exclamation));
}

void TestGenerateSequence::success()
{
    QTemporaryDir out;
    FrontEnd fe;
    fe.folder = out.path();
    ScriptedUi ui;
    RunGenerate(fe);
    QCOMPARE(fe.steps, QStringList({"log", "commit", "folder", "busy", "idle"}));
    QVERIFY(fe.host.log.startsWith(QStringLiteral("Error checking: Ok.\r\nOutput folder: ") + out.path()
                                   + QStringLiteral("\r\nGenerating items_view.php ... Done.")));
    QVERIFY2(fe.host.log.endsWith(QStringLiteral("\r\n\r\nPHP Application generated successfully on ")
                                  + closingDate(fe) + kHelpLines),
             qPrintable(fe.host.log.right(300)));
    QVERIFY(ui.shown.isEmpty());
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("datalist.php"))));
}

void TestGenerateSequence::failedFileIsTold()
{
    QTemporaryDir out;
    QVERIFY(QDir(out.path()).mkdir(QStringLiteral("lib.php"))); // a folder in the way
    FrontEnd fe;
    fe.folder = out.path();
    ScriptedUi ui;
    RunGenerate(fe);
    QVERIFY(fe.host.log.contains(QStringLiteral("Generating lib.php ... Failed.")));
    QVERIFY2(fe.host.log.endsWith(QStringLiteral("\r\n\r\nPHP Application generated with errors on ") + closingDate(fe)
                                  + QStringLiteral("\r\nFiles that failed: 1") + kHelpLines),
             qPrintable(fe.host.log.right(300)));
}

void TestGenerateSequence::secondRunWaits()
{
    FrontEnd fe;
    FrontEnd inner;
    fe.duringFolder = [&] {
        QVERIFY(generationRunning());
        RunGenerate(inner);
    };
    RunGenerate(fe);
    QVERIFY(inner.steps.isEmpty());
    QVERIFY(!generationRunning());
}

QTEST_GUILESS_MAIN(TestGenerateSequence)
#include "tst_generatesequence.moc"
