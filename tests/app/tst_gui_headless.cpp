// The headless generation program against Project > Generate: the same
// project file opened and generated once through the command (offscreen)
// and once by the program writes the same files and the same log; a
// project the checks refuse is refused by both with the same message, and
// the program then writes nothing.
#include "app/forms.h"
#include "app/frmgenerating.h"
#include "app/frmmain.h"
#include "app/generatesequence.h"
#include "app/startup.h"
#include "generator/testhost.h"
#include "support/guifixture.h"
#include "support/testfiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;
using namespace tess::test;

namespace {

QDateTime fixedMoment() { return QDateTime(QDate(2026, 12, 10), QTime(10, 11, 50)); }

const QString kExample = QStringLiteral(TESSARON_SOURCE_DIR "/examples/shop.tzx");

QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

// A copy of a project file with one piece of its text replaced.
QString editedProject(const QTemporaryDir &dir, const QString &source, const QString &from, const QString &to)
{
    QString text = QString::fromUtf8(readBytes(source));
    if (!from.isEmpty() && !text.contains(from))
        return QStringLiteral("<%1 not in the project>").arg(from);
    text.replace(from, to);
    const QString path = dir.filePath(QStringLiteral("project.tzx"));
    writeBytes(path, text.toUtf8());
    return path;
}

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

Finished runHeadless(const QString &project, const QString &folder)
{
    QProcess p;
    p.start(QStringLiteral(TESSARON_BIN_DIR "/tessaron-generate"), {project, folder});
    Finished f;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return f;
    f.exitCode = p.exitCode();
    f.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    f.err = QString::fromLocal8Bit(p.readAllStandardError());
    return f;
}

// The texts the fixed moment of the command's run gives in the files.
QStringList fixedClockTexts()
{
    MyDB db;
    StyleTable styles;
    RecordingHost host;
    GenerationRun run(db, styles, host);
    run.setClock(fixedMoment());
    return {run.time, run.date};
}

// Empty when the two texts have the same lines, but for the run's date and
// time: a line of the command's run that carries them matches any line of
// the other with other ones in their places. Otherwise the first line
// that differs.
QString differenceApartFromClock(const QByteArray &command, const QByteArray &headless)
{
    const QList<QByteArray> a = command.split('\n');
    const QList<QByteArray> b = headless.split('\n');
    const QStringList clock = fixedClockTexts();
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QByteArray left = a.value(i, "<end>").chopped(a.value(i).endsWith('\r') ? 1 : 0);
        const QByteArray right = b.value(i, "<end>").chopped(b.value(i).endsWith('\r') ? 1 : 0);
        if (left == right)
            continue;
        QString pattern = QRegularExpression::escape(QString::fromLatin1(left));
        bool carriesClock = false;
        for (const QString &piece : clock) {
            const QString escaped = QRegularExpression::escape(piece);
            carriesClock = carriesClock || pattern.contains(escaped);
            pattern.replace(escaped, QStringLiteral(".+"));
        }
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
        if (!carriesClock || !re.match(QString::fromLatin1(right)).hasMatch())
            return QStringLiteral("line %1:\n  Generate: %2\n  headless: %3")
                .arg(i + 1)
                .arg(QString::fromLatin1(left), QString::fromLatin1(right));
    }
    return {};
}

QString logText() { return forms().generating().log().text(); }

QString asPrinted(QString log) { return log.replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + u'\n'; }

} // namespace

class TestGuiHeadless : public QObject {
    Q_OBJECT
    GuiFixture m_fixture;
    ScriptedUi &ui() { return m_fixture.ui(); }
    ScriptedDialogs &dialogs() { return m_fixture.dialogs(); }

    // File > Open XML and Project > Generate into folder, as a user does.
    void generateThroughCommand(const QString &project, const QString &folder)
    {
        ui().files << project;
        m_fixture.trigger(QStringLiteral("miFileOpenXML"));
        QVERIFY2(ui().messages().isEmpty(), qPrintable(ui().messages().join(u'\n')));
        dialogs().outputFolders << folder;
        m_fixture.trigger(QStringLiteral("miProjectGenerate"));
    }

private slots:
    void init()
    {
        m_fixture.init();
        setGenerationClock(&fixedMoment);
        forms().main().show();
    }
    void cleanup()
    {
        setGenerationClock(nullptr);
        m_fixture.cleanup();
    }

    void sameAsGenerate_data();
    void sameAsGenerate();
    void refusedProject_data();
    void refusedProject();
    void projectNotAFile_data();
    void projectNotAFile();
};

void TestGuiHeadless::sameAsGenerate_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("example project") << kExample << QString() << QString();
    QTest::newRow("end-to-end staff project")
        << QStringLiteral(TESSARON_SOURCE_DIR "/tests/e2e/staff/staff.tzx") << QString() << QString();
    // Generate puts the parent's ID field in its place.
    QTest::newRow("lookup without caption field")
        << kExample << QStringLiteral("<parentCaptionField>name</parentCaptionField>")
        << QStringLiteral("<parentCaptionField/>");
}

void TestGuiHeadless::sameAsGenerate()
{
    QFETCH(QString, source);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QTemporaryDir dir;
    const QString project = editedProject(dir, source, from, to);
    // Both runs write into the same folder, one after the other, so that
    // their logs name the same one.
    const QString folder = dir.filePath(QStringLiteral("app"));
    const QString commandFolder = dir.filePath(QStringLiteral("command"));
    QVERIFY(QDir().mkpath(folder));

    generateThroughCommand(project, folder);
    QVERIFY(!QTest::currentTestFailed());
    const QString log = logText();
    QVERIFY2(log.contains(QStringLiteral("PHP Application generated successfully")), qPrintable(log));
    QVERIFY2(ui().messages().isEmpty(), qPrintable(ui().messages().join(u'\n')));
    QVERIFY(QDir().rename(folder, commandFolder));
    QVERIFY(QDir().mkpath(folder));

    const Finished headless = runHeadless(project, folder);
    QCOMPARE(headless.err, QString());
    QCOMPARE(headless.exitCode, 0);
    const QString logDifference = differenceApartFromClock(asPrinted(log).toLocal8Bit(), headless.out.toLocal8Bit());
    QVERIFY2(logDifference.isEmpty(), qPrintable(logDifference));

    const QStringList files = filesBelow(commandFolder);
    QVERIFY(files.size() > 20);
    QCOMPARE(filesBelow(folder), files);
    for (const QString &rel : files) {
        const QString difference = differenceApartFromClock(readBytes(commandFolder + u'/' + rel),
                                                            readBytes(folder + u'/' + rel));
        QVERIFY2(difference.isEmpty(), qPrintable(rel + QStringLiteral(", ") + difference));
    }
}

void TestGuiHeadless::refusedProject_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("no primary key")
        << QStringLiteral("<primaryKey>True</primaryKey><unique>False</unique><unsigned>True</unsigned>")
        << QStringLiteral("<primaryKey>False</primaryKey><unique>False</unique><unsigned>True</unsigned>")
        << QStringLiteral("Table 'categories' has no primary keys. Please mark one of its fields as primary or "
                          "create a new primary key.");
    QTest::newRow("bad field name")
        << QStringLiteral("<name>description</name>") << QStringLiteral("<name>desc ription</name>")
        << QStringLiteral("The name 'desc ription' in table 'categories' is not valid. Database, table and field "
                          "names can only contain alphanumeric characters and underscores.");
    QTest::newRow("data type out of range")
        << QStringLiteral("<name>description</name><dataType>18</dataType>")
        << QStringLiteral("<name>description</name><dataType>99</dataType>")
        << QStringLiteral("Field 'categories.description' has no data type. Please choose a data type for that field");
}

void TestGuiHeadless::refusedProject()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString project = editedProject(dir, kExample, from, to);
    const QString folder = dir.filePath(QStringLiteral("app"));
    QVERIFY(QDir().mkpath(folder));

    generateThroughCommand(project, folder);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(logText(), message);
    QVERIFY(!dialogs().shown.contains(QStringLiteral("frmOutputFolder")));

    const Finished headless = runHeadless(project, folder);
    QCOMPARE(headless.err, asPrinted(message));
    QCOMPARE(headless.out, QString());
    QVERIFY(headless.exitCode > 0);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void TestGuiHeadless::projectNotAFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QStringLiteral("nope.tzx");
    QTest::newRow("folder") << QStringLiteral("project.tzx");
}

// A path that names no file is reported as the window program reports it
// on its command line, not as a corrupted project.
void TestGuiHeadless::projectNotAFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString project = dir.filePath(name);
    if (name == QLatin1String("project.tzx"))
        QVERIFY(QDir().mkpath(project));
    const QString folder = dir.filePath(QStringLiteral("app"));
    QVERIFY(QDir().mkpath(folder));

    startProgram(project);
    QCOMPARE(ui().shown.size(), 1);
    const QString message = ui().shown[0].text;
    QVERIFY2(message.endsWith(QStringLiteral("File not found.")), qPrintable(message));

    const Finished headless = runHeadless(project, folder);
    QCOMPARE(headless.err, asPrinted(message));
    QCOMPARE(headless.out, QString());
    QVERIFY(headless.exitCode > 0);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

QTEST_MAIN(TestGuiHeadless)
#include "tst_gui_headless.moc"
