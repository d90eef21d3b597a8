#pragma once
// What the Generate flow tests share: dialogs answered from queues, the
// fixed clock, files read back, screenshots.
#include "app/forms.h"
#include "app/generatesequence.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QList>
#include <QWidget>
#include <functional>

namespace tess::test {

class ScriptedDialogs final : public CustomDialogs {
public:
    struct Answer {
        QString tag;
        qint16 mode = -1;
    };
    QStringList folders;          // output-folder answers ("" cancels)
    QList<Answer> answers;        // overwrite answers; none left: skip
    QList<OverwriteQuestion> questions;
    int folderCalls = 0;
    std::function<void()> whileFolderOpen;

    ScriptedDialogs() { setCustomDialogs(this); }
    ~ScriptedDialogs() override { setCustomDialogs(nullptr); }

    QString chooseOutputFolder() override
    {
        ++folderCalls;
        if (whileFolderOpen)
            whileFolderOpen();
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString askOverwrite(const OverwriteQuestion &q, qint16 &mode) override
    {
        questions << q;
        if (answers.isEmpty())
            return QStringLiteral("0");
        const Answer a = answers.takeFirst();
        if (a.mode >= 0)
            mode = a.mode;
        return a.tag;
    }
};

inline QDateTime fixedMoment() { return QDateTime(QDate(2026, 12, 10), QTime(10, 11, 50)); }

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

inline void screenshot(QWidget &w, const QString &name)
{
    const QString folder = QStringLiteral(TESSARON_BIN_DIR "/../tests/screenshots");
    QDir().mkpath(folder);
    w.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

} // namespace tess::test
