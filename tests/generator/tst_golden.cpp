// Generates whole applications from the fixture projects and compares every
// produced file byte for byte with the reviewed copies under golden/. Copied
// support files are compared with their source instead. Every produced PHP
// script must also pass `php -l`.
//
// TESSARON_UPDATE_GOLDEN=1 rewrites the golden files from the output; review
// the difference before committing it.
#include "fixtures.h"
#include "testhost.h"

#include "generator/generators.h"
#include "model/constants.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace tess;
using namespace tess::test;

namespace {

const QString goldenRoot() { return QStringLiteral(TESSARON_SOURCE_DIR "/tests/generator/golden"); }
const QString programFolder() { return QStringLiteral(TESSARON_BIN_DIR); }

// Relative paths of every file below root, sorted.
QStringList filesBelow(const QString &root)
{
    QStringList out;
    if (!QDir(root).exists())
        return out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// A produced file that is one of the support files copied from the program
// folder (they are not kept under golden/).
QString supportSource(const QString &rel)
{
    if (rel == QStringLiteral("images/blank.gif"))
        return programFolder() + QStringLiteral("/files/blank.gif");
    for (const QString &name : SupportFiles)
        if (!name.isEmpty() && name == rel)
            return programFolder() + QStringLiteral("/files/") + name;
    return {};
}

// One line with its end and tabs made visible.
QString visible(const QByteArray &line)
{
    QString s = QString::fromLatin1(line);
    s.replace(u'\t', QStringLiteral("\\t"));
    s.replace(u'\r', QStringLiteral("\\r"));
    return s;
}

// Lines split after each LF, so that CR and a missing final line end show.
QList<QByteArray> splitKeepingEnds(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype lf = text.indexOf('\n', start);
        qsizetype end = lf < 0 ? text.size() : lf + 1;
        QByteArray line = text.mid(start, end - start);
        if (line.endsWith('\n'))
            line.chop(1);
        lines << line + (lf < 0 ? QByteArray("<no line end>") : QByteArray());
        start = end;
    }
    return lines;
}

// The first differing lines of two texts with a little context.
QString lineDiff(const QByteArray &expected, const QByteArray &actual)
{
    const QList<QByteArray> e = splitKeepingEnds(expected), a = splitKeepingEnds(actual);
    qsizetype i = 0;
    while (i < e.size() && i < a.size() && e[i] == a[i])
        ++i;
    QString out = QStringLiteral("  first difference at line %1 (expected %2 lines, got %3)\n")
                      .arg(i + 1).arg(e.size()).arg(a.size());
    for (qsizetype k = qMax<qsizetype>(0, i - 2); k < i; ++k)
        out += QStringLiteral("    %1   %2\n").arg(k + 1, 4).arg(visible(e[k]));
    for (qsizetype k = i; k < qMin(e.size(), i + 4); ++k)
        out += QStringLiteral("    %1 - %2\n").arg(k + 1, 4).arg(visible(e[k]));
    for (qsizetype k = i; k < qMin(a.size(), i + 4); ++k)
        out += QStringLiteral("    %1 + %2\n").arg(k + 1, 4).arg(visible(a[k]));
    return out;
}

bool updating() { return qEnvironmentVariable("TESSARON_UPDATE_GOLDEN") == QStringLiteral("1"); }

} // namespace

class TestGolden : public QObject {
    Q_OBJECT
private slots:
    void application_data();
    void application();
};

void TestGolden::application_data()
{
    QTest::addColumn<int>("index");
    const QList<Fixture> all = fixtures();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(qPrintable(all[i].name)) << i;
}

void TestGolden::application()
{
    QFETCH(int, index);
    const Fixture fixture = fixtures()[index];
    DBPtr db = fixture.make();
    const StyleTable styles = fixtureStyles();
    RecordingHost host;
    QTemporaryDir out;
    QVERIFY(out.isValid());
    GenerationRun run(*db, styles, host);
    prepareRun(run, out.path(), programFolder());
    GenerateAll(*db, run);

    QStringList failures;
    if (!host.errors.isEmpty())
        failures << QStringLiteral("errors shown: ") + host.errors.join(u'\n');
    if (host.log.contains(QStringLiteral(" Failed.")))
        failures << QStringLiteral("the log reports a failure:") + host.log;
    QVERIFY2(host.questions.isEmpty(), "a new folder must not ask about overwriting");

    const QString golden = goldenRoot() + u'/' + fixture.name;
    const QStringList produced = filesBelow(out.path());
    QVERIFY(!produced.isEmpty());
    QStringList generated;
    for (const QString &rel : produced) {
        const QString src = supportSource(rel);
        if (src.isEmpty()) {
            generated << rel;
            continue;
        }
        if (readAll(out.path() + u'/' + rel) != readAll(src))
            failures << QStringLiteral("%1: differs from its support file %2").arg(rel, src);
    }

    if (updating()) {
        QDir(golden).removeRecursively();
        for (const QString &rel : generated) {
            const QString target = golden + u'/' + rel;
            QVERIFY(QDir().mkpath(QFileInfo(target).path()));
            QFile::remove(target);
            QVERIFY(QFile::copy(out.path() + u'/' + rel, target));
            QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        qInfo("golden files of %s rewritten: review the difference", qPrintable(fixture.name));
    } else {
        const QStringList expected = filesBelow(golden);
        const QSet<QString> expectedSet(expected.begin(), expected.end());
        const QSet<QString> generatedSet(generated.begin(), generated.end());
        for (const QString &rel : expected)
            if (!generatedSet.contains(rel))
                failures << QStringLiteral("%1: in golden/ but not produced").arg(rel);
        for (const QString &rel : generated) {
            if (!expectedSet.contains(rel)) {
                failures << QStringLiteral("%1: produced but not in golden/").arg(rel);
                continue;
            }
            const QByteArray e = readAll(golden + u'/' + rel);
            const QByteArray a = readAll(out.path() + u'/' + rel);
            if (e != a)
                failures << QStringLiteral("%1: differs\n%2").arg(rel, lineDiff(e, a));
        }
    }

    // Every generated script parses.
    const QString php = QStringLiteral(PHP_EXECUTABLE);
    if (php.isEmpty()) {
        qWarning("no PHP interpreter: syntax check skipped");
    } else {
        for (const QString &rel : produced) {
            if (!rel.endsWith(QStringLiteral(".php")))
                continue;
            QProcess p;
            p.start(php, {QStringLiteral("-l"), out.path() + u'/' + rel});
            QVERIFY(p.waitForFinished(30000));
            if (p.exitCode() != 0)
                failures << QStringLiteral("%1: php -l failed\n%2").arg(rel, QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError()));
        }
    }

    // QtTest shortens long messages: the full report goes to stderr.
    for (const QString &failure : failures)
        fprintf(stderr, "%s: %s\n", qPrintable(fixture.name), qPrintable(failure));
    QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 file(s) or checks failed, see above").arg(failures.size())));
}

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
