// A run as a whole: the one call that writes a generated file, and what a
// run changes in the project. The procedures only read it; GenerateAll
// widens the narrow columns before them and forgets the pending schema
// changes once setup.php carries them.
#include "converter/projectdump.h"
#include "fixtures.h"
#include "testhost.h"
#include "support/testfiles.h"

#include "generator/generators.h"
#include "platform/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <iterator>

using namespace tess;
using namespace tess::test;

namespace {

// The members whose value differs between two dumps of one project, with
// their value afterwards.
QStringList changes(const QStringList &before, const QStringList &after)
{
    if (before.size() != after.size())
        return {QStringLiteral("<members came or went>")};
    QStringList out;
    for (qsizetype i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            out << after[i];
    return out;
}

// The widths of the shop project's shown fields below 20, as GenerateAll
// leaves them.
QStringList shopWidened(int table)
{
    const QList<int> fields = table == 1 ? QList<int>{1, 3, 4} : QList<int>{1, 3, 4, 5, 7};
    QStringList out;
    for (int f : fields)
        out << QStringLiteral("table[%1].field[%2].ColumnWidth=150").arg(table).arg(f);
    return out;
}

struct Procedure {
    const char *name;
    void (*run)(GenerationRun &);
};
const Procedure kProcedures[] = {
    {"view scripts", GenerateViewScripts},   {"record scripts", GenerateDMLScripts},
    {"templates", GenerateTemplates},        {"lib.php", GenerateLibScript},
    {"style sheet", GenerateStyleSheet},     {"setup.php", GenerateSetupScript},
    {"index page", GenerateIndexPage},       {"datalist.php", GenerateDataListScript},
    {"support files", CopySupportFiles},
};

} // namespace

class TestGenerationRun : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    StyleTable m_styles = fixtureStyles();

    QString out(const QString &name = {}) const { return name.isEmpty() ? m_dir.path() : m_dir.filePath(name); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir d(out());
        for (const QString &n : d.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
            QFile::setPermissions(d.filePath(n), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(d.removeRecursively());
        QVERIFY(QDir().mkpath(out()));
    }

    void generateFile_data()
    {
        QTest::addColumn<QByteArray>("existing"); // "" for none
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("new file") << QByteArray() << false << int(Overwrite::Ask) << int(WriteOutcome::Done)
                                  << " Done." << QByteArray("caf\xe9\r\n");
        QTest::newRow("existing, overwrite all") << QByteArray("old") << false << int(Overwrite::All)
                                                 << int(WriteOutcome::Done) << " Done." << QByteArray("caf\xe9\r\n");
        QTest::newRow("existing, skip all") << QByteArray("old") << false << int(Overwrite::SkipAll)
                                            << int(WriteOutcome::Skipped) << " Skipped." << QByteArray("old");
        QTest::newRow("read-only") << QByteArray("old") << true << int(Overwrite::All) << int(WriteOutcome::Failed)
                                   << " Failed." << QByteArray("old");
    }
    // The log line opens before the text is built; the outcome completes it
    // and is returned.
    void generateFile()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, readOnly);
        QFETCH(int, mode);
        QFETCH(int, outcome);
        QFETCH(QString, word);
        QFETCH(QByteArray, bytes);
        if (!existing.isEmpty())
            writeBytes(out("a.php"), existing);
        if (readOnly)
            QFile::setPermissions(out("a.php"), QFile::ReadOwner);
        MyDB db;
        RecordingHost host;
        GenerationRun run(db, m_styles, host);
        prepareRun(run, out());
        run.overwriteMode = qint16(mode);
        QString logWhileBuilding;
        const WriteOutcome got = run.generateFile(QStringLiteral("a.php"), [&] {
            logWhileBuilding = host.log;
            return QStringLiteral("caf\u00e9\r\n");
        });
        QCOMPARE(logWhileBuilding, QStringLiteral("\r\nGenerating a.php ..."));
        QCOMPARE(int(got), outcome);
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating a.php ...") + word);
        QCOMPARE(readBytes(out("a.php")), bytes);
    }

    // An error while building rises after the log line; nothing is written.
    void generateFileBuildError()
    {
        MyDB db;
        RecordingHost host;
        GenerationRun run(db, m_styles, host);
        prepareRun(run, out());
        int number = 0;
        try {
            run.generateFile(QStringLiteral("a.php"), []() -> QString { raise(Err::Overflow); });
        } catch (const RuntimeError &e) {
            number = e.number();
        }
        QCOMPARE(number, int(Err::Overflow));
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating a.php ..."));
        QVERIFY(!QFileInfo::exists(out("a.php")));
        QCOMPARE(run.failedFiles, 0);
    }

    void proceduresOnlyRead_data()
    {
        QTest::addColumn<int>("procedure"); // in kProcedures
        for (int i = 0; i < int(std::size(kProcedures)); ++i)
            QTest::newRow(kProcedures[i].name) << i;
    }
    // Every procedure leaves the project as it found it, setup.php's
    // pending changes included: only the run notes that they were written.
    void proceduresOnlyRead()
    {
        QFETCH(int, procedure);
        const Procedure &p = kProcedures[procedure];
        DBPtr db = shopProject();
        const QStringList before = testing::dump(*db);
        // The upload folder, which setup.php's procedure makes.
        QVERIFY(QDir(out()).mkdir(QStringLiteral("images")));
        RecordingHost host;
        GenerationRun run(*db, m_styles, host);
        prepareRun(run, out(), QStringLiteral(TESSARON_BIN_DIR));
        p.run(run);
        QCOMPARE(host.errors, QStringList());
        QCOMPARE(run.failedFiles, 0);
        QCOMPARE(changes(before, testing::dump(*db)), QStringList());
        QCOMPARE(run.pendingChangesWritten, p.run == GenerateSetupScript);
    }

    void runChangesToTheProject_data()
    {
        QTest::addColumn<QString>("setup"); // what becomes of setup.php
        QTest::addColumn<bool>("forgotten");
        QTest::newRow("written") << "written" << true;
        QTest::newRow("failed") << "failed" << false;
        QTest::newRow("skipped") << "skipped" << false;
        QTest::newRow("error while building") << "error" << false;
    }
    // The widths are widened in every case; the pending changes are
    // forgotten only when setup.php was written.
    void runChangesToTheProject()
    {
        QFETCH(QString, setup);
        QFETCH(bool, forgotten);
        DBPtr db = shopProject();
        MyTable &orders = *db->Tables.Item(2);
        qint16 mode = Overwrite::Ask;
        if (setup == "failed") {
            writeBytes(out("setup.php"), "old");
            QFile::setPermissions(out("setup.php"), QFile::ReadOwner);
        } else if (setup == "skipped") {
            // Without pending statements setup.php follows the mode; the
            // changed key alone is still pending.
            orders.AlterSQL.clear();
            writeBytes(out("setup.php"), "old");
            mode = Overwrite::SkipAll;
        } else if (setup == "error") {
            orders.Fields.Item(3)->pDataType = 99;
        }
        const QStringList before = testing::dump(*db);

        RecordingHost host;
        GenerationRun run(*db, m_styles, host);
        prepareRun(run, out(), QStringLiteral(TESSARON_BIN_DIR));
        run.overwriteMode = mode;
        GenerateAll(*db, run);

        QStringList expected = shopWidened(1);
        if (forgotten)
            expected << QStringLiteral("table[2].AlterSQL=") << QStringLiteral("table[2].pkChanged=False");
        expected << shopWidened(2);
        QCOMPARE(changes(before, testing::dump(*db)), expected);
        QCOMPARE(run.pendingChangesWritten, forgotten);
        const QByteArray golden = readBytes(QStringLiteral(TESSARON_SOURCE_DIR "/tests/generator/golden/shop/setup.php"));
        QCOMPARE(readBytes(out("setup.php")) == golden, setup == "written");
    }

    // The widening comes before every procedure: a list page that fails
    // keeps neither its own table nor the later ones from the widened
    // widths, in the model and in the templates.
    void widthsAreWidenedBeforeTheProcedures()
    {
        DBPtr db = std::make_shared<MyDB>();
        for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")}) {
            MyTable &t = *db->Tables.Add(name.toUpper(), name);
            t.Fields.Add({.Name = QStringLiteral("id"), .Caption = QStringLiteral("ID"), .pPrimaryKey = true,
                          .pDataType = Dt::Int, .pLength = 11, .pNotNull = true, .pAutoIncrement = true});
            t.Fields.Add({.Name = QStringLiteral("x"), .Caption = QStringLiteral("X"), .pDataType = Dt::Int,
                          .ColumnWidth = 7});
        }
        db->Tables.Item(1)->RecordsPerPage = 2185; // the list page's height overflows
        RecordingHost host;
        GenerationRun run(*db, m_styles, host);
        prepareRun(run, out(), QStringLiteral(TESSARON_BIN_DIR));
        GenerateAll(*db, run);
        QCOMPARE(host.errors, QStringList{QStringLiteral("Error 6: Overflow")});
        QVERIFY(!QFileInfo::exists(out("a_view.php")));
        QVERIFY(!QFileInfo::exists(out("b_view.php")));
        for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")}) {
            const QString tv = QString::fromLatin1(readBytes(out(name + QStringLiteral("_templateTV.html"))));
            QCOMPARE(tv.count(QStringLiteral("<td valign=\"top\" width=150 ")), 2);
        }
        for (const TablePtr &t : db->Tables)
            for (const FieldPtr &f : t->Fields)
                QCOMPARE(f->ColumnWidth, qint16(150));
    }
};

QTEST_GUILESS_MAIN(TestGenerationRun)
#include "tst_generationrun.moc"
