// The output routines: the overwrite policy in every mode, the dialog texts,
// the log words, logIt, and what stays on disk when a write or copy fails.
#include "generator/run.h"
#include "platform/runtimeerror.h"
#include "testhost.h"
#include "support/testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tess;
using tess::test::readBytes;
using tess::test::writeBytes;
using tess::test::RecordingHost;

namespace {

void setModified(const QString &path, const QDateTime &moment)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(moment, QFileDevice::FileModificationTime));
}

QDateTime modified(const QString &path)
{
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

// Keeps the write size limit of the process below the given size while it
// lives, so that writing fails part-way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit l = m_saved;
        l.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    struct rlimit m_saved;
};

} // namespace

class TestOutput : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    MyDB m_db;
    StyleTable m_styles;

    QString file(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        // Each case starts with an empty folder.
        QDir d(m_dir.path());
        for (const QString &n : d.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
            QFile::setPermissions(d.filePath(n), QFile::ReadOwner | QFile::WriteOwner);
            d.remove(n);
        }
        for (const QString &n : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QDir(d.filePath(n)).removeRecursively();
    }

    void newTargetIsWrittenInEveryMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("ask") << 0;
        QTest::newRow("overwrite all") << 1;
        QTest::newRow("skip all") << 2;
        QTest::newRow("other value") << 3;
    }
    void newTargetIsWrittenInEveryMode()
    {
        QFETCH(int, mode);
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.overwriteMode = qint16(mode);
        const QString content = QStringLiteral("<?php\r\n\techo \"caf\u00e9 \u20ac\";\r\n?>");
        QCOMPARE(run.WriteOutputFile(file("a.php"), "a.php", content, true), WriteOutcome::Done);
        QCOMPARE(host.log, QStringLiteral(" Done."));
        QVERIFY(host.questions.isEmpty());
        // Windows-1252, CR LF kept, no BOM, nothing added.
        QCOMPARE(readBytes(file("a.php")), QByteArray("<?php\r\n\techo \"caf\xe9 \x80\";\r\n?>"));
        QCOMPARE(run.overwriteMode, qint16(mode));
        QCOMPARE(host.processEventsCalls, 1);
    }

    void existingTargetFollowsTheMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("answer"); // "", "overwrite", "skip", "overwriteAll", "skipAll"
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("written");
        QTest::addColumn<int>("modeAfter");
        QTest::newRow("ask, overwrite") << 0 << "overwrite" << true << " Done." << true << 0;
        QTest::newRow("ask, skip") << 0 << "skip" << true << " Skipped." << false << 0;
        QTest::newRow("ask, overwrite all") << 0 << "overwriteAll" << true << " Done." << true << 1;
        QTest::newRow("ask, skip all") << 0 << "skipAll" << true << " Skipped." << false << 2;
        QTest::newRow("value 3 asks") << 3 << "overwrite" << true << " Done." << true << 3;
        QTest::newRow("value -1 asks") << -1 << "skip" << true << " Skipped." << false << -1;
        QTest::newRow("overwrite all") << 1 << "" << false << " Done." << true << 1;
        QTest::newRow("skip all") << 2 << "" << false << " Skipped." << false << 2;
    }
    void existingTargetFollowsTheMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, answer);
        QFETCH(bool, asked);
        QFETCH(QString, word);
        QFETCH(bool, written);
        QFETCH(int, modeAfter);

        writeBytes(file("index.html"), "old text, 17 b.\n");
        const QDateTime when(QDate(2025, 3, 4), QTime(5, 6, 7));
        setModified(file("index.html"), when);

        RecordingHost host;
        if (answer == "overwrite") host.overwrite();
        if (answer == "skip") host.skip();
        if (answer == "overwriteAll") host.overwriteAll();
        if (answer == "skipAll") host.skipAll();
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.overwriteMode = qint16(mode);

        run.WriteOutputFile(file("index.html"), "index.html", "new", true);
        QCOMPARE(host.log, word);
        QCOMPARE(readBytes(file("index.html")), written ? QByteArray("new") : QByteArray("old text, 17 b.\n"));
        QCOMPARE(run.overwriteMode, qint16(modeAfter));
        QCOMPARE(host.questions.size(), asked ? 1 : 0);
        if (asked) {
            const OverwriteQuestion &q = host.questions.first();
            QCOMPARE(q.newFile, QStringLiteral("New file data:\r\nSize: 3 bytes"));
            QCOMPARE(q.existingFile, QStringLiteral("Existing file data:\r\nSize: 16 bytes\r\nDate created: ")
                                         + GenerationRun::generalDateText(when));
            QCOMPARE(q.main, QStringLiteral("The file 'index.html' already exists."));
        }
        QCOMPARE(host.processEventsCalls, 1);
    }

    // An "all" answer holds for the later files of the run, copies included.
    void allAnswerHoldsForLaterFiles()
    {
        writeBytes(file("a"), "A");
        writeBytes(file("b"), "B");
        writeBytes(file("src"), "S");
        writeBytes(file("c"), "C");
        RecordingHost host;
        host.skipAll();
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.WriteOutputFile(file("a"), "a", "1", true);
        run.WriteOutputFile(file("b"), "b", "2", true);
        run.WriteOutputFile(file("new"), "new", "3", true);
        run.CopyOutputFile(file("src"), file("c"), true);
        QCOMPARE(host.questions.size(), 1);
        QCOMPARE(host.log, QStringLiteral(" Skipped. Skipped. Done. Skipped."));
        QCOMPARE(readBytes(file("a")), QByteArray("A"));
        QCOMPARE(readBytes(file("b")), QByteArray("B"));
        QCOMPARE(readBytes(file("new")), QByteArray("3"));
        QCOMPARE(readBytes(file("c")), QByteArray("C"));
    }

    void emptyContentOverwritesWithEmptyFile()
    {
        writeBytes(file("footer.php"), "user's footer");
        RecordingHost host;
        host.overwrite();
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.WriteOutputFile(file("footer.php"), "footer.php", QString(), true);
        QCOMPARE(host.questions.first().newFile, QStringLiteral("New file data:\r\nSize: 0 bytes"));
        QCOMPARE(host.log, QStringLiteral(" Done."));
        QCOMPARE(readBytes(file("footer.php")), QByteArray());
    }

    // logIt False silences success and skip; a failure is still reported.
    void logItFalse()
    {
        writeBytes(file("old"), "x");
        writeBytes(file("ro"), "keep");
        QFile::setPermissions(file("ro"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.overwriteMode = Overwrite::SkipAll;
        QCOMPARE(run.WriteOutputFile(file("new"), "new", "n", false), WriteOutcome::Done);
        QCOMPARE(run.WriteOutputFile(file("old"), "old", "n", false), WriteOutcome::Skipped);
        QCOMPARE(host.log, QString());
        run.overwriteMode = Overwrite::All;
        QCOMPARE(run.WriteOutputFile(file("ro"), "ro", "n", false), WriteOutcome::Failed);
        QCOMPARE(host.log, QStringLiteral(" Failed."));
        QCOMPARE(run.CopyOutputFile(file("missing"), file("copy"), false), WriteOutcome::Failed);
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed."));
        QCOMPARE(run.CopyOutputFile(file("old"), file("copy"), false), WriteOutcome::Done);
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed."));
    }

    // A target without any write bit is not replaced, even by the super-user.
    void readOnlyTargetFails()
    {
        writeBytes(file("style.css"), "body {}\r\n");
        QFile::setPermissions(file("style.css"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        writeBytes(file("asc.gif"), "GIF89a-old");
        QFile::setPermissions(file("asc.gif"), QFile::ReadOwner);
        writeBytes(file("src.gif"), "GIF89a-new");
        RecordingHost host;
        host.overwrite().overwrite();
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.WriteOutputFile(file("style.css"), "style.css", "new", true);
        run.CopyOutputFile(file("src.gif"), file("asc.gif"), true);
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed."));
        QCOMPARE(readBytes(file("style.css")), QByteArray("body {}\r\n"));
        QCOMPARE(readBytes(file("asc.gif")), QByteArray("GIF89a-old"));
        QCOMPARE(QFileInfo(file("style.css")).permissions() & QFile::WriteOwner, QFileDevice::Permissions());
    }

    // A write that breaks off part-way leaves the old file whole and no
    // scrap file beside it.
    void failedWriteKeepsContent()
    {
        const QByteArray good(100, 'g');
        writeBytes(file("lib.php"), good);
        writeBytes(file("big.gif"), QByteArray(4000, 'b'));
        writeBytes(file("blank.gif"), good);
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.overwriteMode = Overwrite::All;
        {
            FileSizeLimit limit(1024);
            QCOMPARE(run.WriteOutputFile(file("lib.php"), "lib.php", QString(3000, u'x'), true), WriteOutcome::Failed);
            QCOMPARE(run.CopyOutputFile(file("big.gif"), file("blank.gif"), true), WriteOutcome::Failed);
            QCOMPARE(run.WriteOutputFile(file("fresh.php"), "fresh.php", QString(3000, u'x'), true),
                     WriteOutcome::Failed);
        }
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed. Failed."));
        QCOMPARE(readBytes(file("lib.php")), good);
        QCOMPARE(readBytes(file("blank.gif")), good);
        QVERIFY(!QFileInfo::exists(file("fresh.php")));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void replacementKeepsPermissionsAndLeavesNoScrap()
    {
        writeBytes(file("x.php"), "old");
        QFile::setPermissions(file("x.php"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.overwriteMode = Overwrite::All;
        run.WriteOutputFile(file("x.php"), "x.php", "new", true);
        QCOMPARE(readBytes(file("x.php")), QByteArray("new"));
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(file("x.php")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0640));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"x.php"});
    }

    // Only regular files count as existing; a folder in the way is a new
    // target that cannot be written.
    void folderInTheWayFails()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("setup.php"));
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.WriteOutputFile(file("setup.php"), "setup.php", "x", true);
        QVERIFY(host.questions.isEmpty());
        QCOMPARE(host.log, QStringLiteral(" Failed."));
        run.WriteOutputFile(file("no/such/folder.php"), "folder.php", "x", true);
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed."));
    }

    // A link whose file is missing is no existing target: nothing is asked,
    // and the link gives way to the written file (the missing file is not
    // created behind it). A link to a file stands for that file.
    void symbolicLinkTargets()
    {
        QVERIFY(QFile::link("gone.php", file("a.php")));
        writeBytes(file("real.php"), "old");
        QVERIFY(QFile::link("real.php", file("b.php")));
        RecordingHost host;
        host.overwrite();
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        QCOMPARE(run.WriteOutputFile(file("a.php"), "a.php", "new", true), WriteOutcome::Done);
        QVERIFY(host.questions.isEmpty());
        QVERIFY(!QFileInfo(file("a.php")).isSymLink());
        QCOMPARE(readBytes(file("a.php")), QByteArray("new"));
        QVERIFY(!QFileInfo::exists(file("gone.php")));

        QCOMPARE(run.WriteOutputFile(file("b.php"), "b.php", "newer", true), WriteOutcome::Done);
        QCOMPARE(host.questions.size(), 1);
        QVERIFY(QFileInfo(file("b.php")).isSymLink());
        QCOMPARE(readBytes(file("real.php")), QByteArray("newer"));
        QCOMPARE(host.log, QStringLiteral(" Done. Done."));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
                 (QStringList{"a.php", "b.php", "real.php"}));
    }

    // Names from a project file can hold anything. A target that is no plain
    // file name in the output folder (for copies: or in its upload folder)
    // fails before anything is looked at or asked, and nothing is written.
    void targetMustBeAPlainNameInTheFolder_data()
    {
        QTest::addColumn<QString>("name"); // joined to the output folder
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("copied");
        QTest::newRow("plain name") << "a.php" << true << true;
        QTest::newRow("upload folder") << "images/blank.gif" << false << true;
        QTest::newRow("parent") << "../escaped.php" << false << false;
        QTest::newRow("two up") << "../../escaped_view.php" << false << false;
        QTest::newRow("subfolder") << "sub/a.php" << false << false;
        QTest::newRow("back out of the upload folder") << "images/../a.php" << false << false;
        QTest::newRow("below the upload folder") << "images/sub/a.gif" << false << false;
        QTest::newRow("dot") << "." << false << false;
        QTest::newRow("dot dot") << ".." << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("absolute") << "/abs.php" << false << false;
        QTest::newRow("backslash") << "..\\x.php" << false << false;
        QTest::newRow("NUL") << QString("a.php") + QChar(0) + "/../b.php" << false << false;
    }
    void targetMustBeAPlainNameInTheFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, written);
        QFETCH(bool, copied);
        const QString out = file("out/app");
        QVERIFY(QDir().mkpath(out + "/images"));
        QVERIFY(QDir().mkpath(out + "/sub"));
        writeBytes(file("src.gif"), "GIF");
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = out;
        const QString target = run.path(name);
        QCOMPARE(run.WriteOutputFile(target, name, "text", false) == WriteOutcome::Done, written);
        QCOMPARE(run.WriteTextFile(target, "text", false) == WriteOutcome::Done, written);
        run.overwriteMode = Overwrite::All;
        QCOMPARE(run.CopyOutputFile(file("src.gif"), target, false) == WriteOutcome::Done, copied);
        const int failures = (written ? 0 : 2) + (copied ? 0 : 1);
        QCOMPARE(host.log, QString(" Failed.").repeated(failures));
        QVERIFY(host.questions.isEmpty());
        QCOMPARE(host.processEventsCalls, 1);

        QStringList files;
        QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(m_dir.path()).relativeFilePath(it.next());
        files.sort();
        QStringList expected{"src.gif"};
        if (written || copied)
            expected << "out/app/" + name;
        expected.sort();
        QCOMPARE(files, expected);
        if (copied)
            QCOMPARE(readBytes(target), QByteArray("GIF"));
    }

    // The folder of a target is the run's output folder, not any other.
    void targetOutsideTheFolderFails()
    {
        QVERIFY(QDir().mkpath(file("out")));
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = file("out");
        QCOMPARE(run.WriteOutputFile(file("elsewhere.php"), "elsewhere.php", "x", true), WriteOutcome::Failed);
        QCOMPARE(run.WriteOutputFile(file("outside.php"), "outside.php", "x", true), WriteOutcome::Failed);
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed."));
        QVERIFY(!QFileInfo::exists(file("elsewhere.php")));
        QVERIFY(!QFileInfo::exists(file("outside.php")));
    }

    // What stands at the target is looked at again once the question is
    // answered: the write acts on what is there then.
    void targetChangesWhileTheQuestionIsOpen_data()
    {
        QTest::addColumn<QString>("change"); // "removed", "folder", "read-only file"
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("removed: written in place") << "removed" << int(WriteOutcome::Done) << QByteArray("new");
        QTest::newRow("a folder came") << "folder" << int(WriteOutcome::Failed) << QByteArray("<missing>");
        QTest::newRow("a read-only file came") << "read-only file" << int(WriteOutcome::Failed) << QByteArray("other");
    }
    void targetChangesWhileTheQuestionIsOpen()
    {
        QFETCH(QString, change);
        QFETCH(int, outcome);
        QFETCH(QByteArray, bytes);
        struct ChangingHost : RecordingHost {
            std::function<void()> meanwhile;
            QString askOverwrite(const OverwriteQuestion &q, qint16 &mode) override
            {
                meanwhile();
                return RecordingHost::askOverwrite(q, mode);
            }
        } host;
        host.overwrite();
        const QString target = file("a.php");
        host.meanwhile = [&] {
            QVERIFY(QFile::remove(target));
            if (change == "folder") {
                QVERIFY(QDir().mkdir(target));
            } else if (change == "read-only file") {
                writeBytes(target, "other");
                QFile::setPermissions(target, QFile::ReadOwner);
            }
        };
        writeBytes(target, "old");
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        QCOMPARE(int(run.WriteOutputFile(target, "a.php", "new", true)), outcome);
        QCOMPARE(host.questions.size(), 1);
        QCOMPARE(host.log, outcome == int(WriteOutcome::Done) ? QStringLiteral(" Done.") : QStringLiteral(" Failed."));
        QCOMPARE(readBytes(target), bytes);
        // No scrap beside it.
        const QStringList left = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(left, QStringList{"a.php"});
    }

    void copyNewDestination()
    {
        const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04", 20);
        writeBytes(file("src.gif"), gif);
        const QDateTime when(QDate(2020, 1, 2), QTime(3, 4, 5));
        setModified(file("src.gif"), when);
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        QCOMPARE(run.CopyOutputFile(file("src.gif"), file("asc.gif"), true), WriteOutcome::Done);
        QCOMPARE(host.log, QStringLiteral(" Done."));
        QCOMPARE(readBytes(file("asc.gif")), gif);
        QCOMPARE(modified(file("asc.gif")), when);
        QVERIFY(host.questions.isEmpty());
        QCOMPARE(host.processEventsCalls, 0);
    }

    void copyExistingDestination_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("copied");
        QTest::newRow("ask, overwrite") << 0 << "overwrite" << " Done." << true;
        QTest::newRow("ask, skip") << 0 << "skip" << " Skipped." << false;
        QTest::newRow("ask, skip all") << 0 << "skipAll" << " Skipped." << false;
        QTest::newRow("value 7 asks") << 7 << "overwriteAll" << " Done." << true;
        QTest::newRow("overwrite all") << 1 << "" << " Done." << true;
        QTest::newRow("skip all") << 2 << "" << " Skipped." << false;
    }
    void copyExistingDestination()
    {
        QFETCH(int, mode);
        QFETCH(QString, answer);
        QFETCH(QString, word);
        QFETCH(bool, copied);
        QVERIFY(QDir(m_dir.path()).mkdir("files"));
        writeBytes(file("files/print.gif"), "new-image");
        writeBytes(file("print.gif"), "old");
        const QDateTime srcWhen(QDate(2024, 12, 31), QTime(23, 59, 58));
        const QDateTime dstWhen(QDate(2001, 2, 3), QTime(4, 5, 6));
        setModified(file("files/print.gif"), srcWhen);
        setModified(file("print.gif"), dstWhen);

        RecordingHost host;
        if (answer == "overwrite") host.overwrite();
        if (answer == "skip") host.skip();
        if (answer == "overwriteAll") host.overwriteAll();
        if (answer == "skipAll") host.skipAll();
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        run.overwriteMode = qint16(mode);
        run.CopyOutputFile(file("files/print.gif"), file("print.gif"), true);
        QCOMPARE(host.log, word);
        QCOMPARE(readBytes(file("print.gif")), copied ? QByteArray("new-image") : QByteArray("old"));
        QCOMPARE(modified(file("print.gif")), copied ? srcWhen : dstWhen);
        QCOMPARE(host.questions.size(), answer.isEmpty() ? 0 : 1);
        if (!answer.isEmpty()) {
            const OverwriteQuestion &q = host.questions.first();
            QCOMPARE(q.newFile, QStringLiteral("Source file data:\r\nSize: 9 bytes\r\nDate created: ")
                                    + GenerationRun::generalDateText(srcWhen));
            QCOMPARE(q.existingFile, QStringLiteral("Destination file data:\r\nSize: 3 bytes\r\nDate created: ")
                                         + GenerationRun::generalDateText(dstWhen));
            QCOMPARE(q.main, QStringLiteral("The file 'print.gif' already exists."));
        }
    }

    void copyMissingSource()
    {
        writeBytes(file("old.gif"), "old");
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        // New destination, existing destination asked for, and skip-all.
        QCOMPARE(run.CopyOutputFile(file("none.gif"), file("new.gif"), true), WriteOutcome::Failed);
        QCOMPARE(run.CopyOutputFile(file("none.gif"), file("old.gif"), true), WriteOutcome::Failed);
        run.overwriteMode = Overwrite::SkipAll;
        QCOMPARE(run.CopyOutputFile(file("none.gif"), file("old.gif"), true), WriteOutcome::Skipped);
        QCOMPARE(host.log, QStringLiteral(" Failed. Failed. Skipped."));
        QVERIFY(host.questions.isEmpty());
        QVERIFY(!QFileInfo::exists(file("new.gif")));
        QCOMPARE(readBytes(file("old.gif")), QByteArray("old"));
    }

    // An error of the dialog reaches the generator from WriteOutputFile but
    // ends only the copy in CopyOutputFile.
    void dialogErrors()
    {
        struct ThrowingHost : RecordingHost {
            QString askOverwrite(const OverwriteQuestion &, qint16 &) override { tess::raise(Err::DeviceIO); }
        } host;
        writeBytes(file("a"), "A");
        writeBytes(file("src"), "S");
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        bool raised = false;
        try {
            run.WriteOutputFile(file("a"), "a", "new", true);
        } catch (const RuntimeError &e) {
            raised = e.number() == Err::DeviceIO;
        }
        QVERIFY(raised);
        QCOMPARE(host.log, QString());
        QCOMPARE(run.CopyOutputFile(file("src"), file("a"), true), WriteOutcome::Failed);
        QCOMPARE(host.log, QStringLiteral(" Failed."));
        QCOMPARE(readBytes(file("a")), QByteArray("A"));
    }

    void clockAndLogLine()
    {
        RecordingHost host;
        GenerationRun run(m_db, m_styles, host);
        run.folder = m_dir.path();
        const QDateTime moment(QDate(2026, 12, 10), QTime(10, 11, 50));
        run.setClock(moment);
        const QLocale locale = QLocale::system();
        QCOMPARE(run.date, locale.toString(moment.date(), QLocale::ShortFormat));
        QVERIFY(!run.time.isEmpty());
        QVERIFY(run.time.contains(QStringLiteral("11")));
        QVERIFY(!run.time.contains(moment.timeZoneAbbreviation()));
        QCOMPARE(run.time, run.time.trimmed());
        QCOMPARE(GenerationRun::generalDateText(moment), run.date + u' ' + run.time);

        run.folder = QStringLiteral("/out/app");
        QCOMPARE(run.path("lib.php"), QStringLiteral("/out/app/lib.php"));
        run.logGenerating("lib.php");
        QCOMPARE(host.log, QStringLiteral("\r\nGenerating lib.php ..."));
    }

    void constructorDerivesDateSettings()
    {
        MyDB db;
        db.DateFormat = Variant(1);
        db.DateSeparator = Variant(3);
        RecordingHost host;
        GenerationRun run(db, m_styles, host);
        QCOMPARE(run.datePartSeparator, QStringLiteral("."));
        QCOMPARE(run.mySQLDateFormat, QStringLiteral("%Y.%m.%d"));
        QCOMPARE(run.overwriteMode, qint16(Overwrite::Ask));
        QVERIFY(!run.date.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOutput)
#include "tst_output.moc"
