#pragma once
// A GenerationHost for tests: records everything a run shows and answers
// the overwrite dialog from a queue. Nothing blocks: an unanswered question
// is answered "0" (skip) and recorded like the others.
#include "generator/run.h"

#include <QList>
#include <QStringList>

namespace tess::test {

class RecordingHost : public GenerationHost {
public:
    // One answer of the overwrite dialog: the tag it returns ("1" overwrite,
    // "0" skip) and, when set, the mode it stores (Overwrite::All for the
    // overwrite-all button, Overwrite::SkipAll for skip-all; -1 leaves the
    // mode alone).
    struct Answer {
        QString tag;
        qint16 mode = -1;
    };

    QString log;                       // every appended piece, concatenated
    QStringList pieces;                // the appended pieces one by one
    QList<Answer> answers;             // consumed from the front
    QList<OverwriteQuestion> questions;
    QStringList errors;                // showError messages
    int processEventsCalls = 0;
    int focusLogCalls = 0;

    void appendLog(const QString &piece) override
    {
        log += piece;
        pieces << piece;
    }

    QString askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode) override
    {
        questions << question;
        if (answers.isEmpty())
            return QStringLiteral("0");
        const Answer a = answers.takeFirst();
        if (a.mode >= 0)
            overwriteMode = a.mode;
        return a.tag;
    }

    void processEvents() override { ++processEventsCalls; }
    void focusLog() override { ++focusLogCalls; }
    void showError(const QString &message) override { errors << message; }

    // Queue helpers for the dialog's four buttons.
    RecordingHost &overwrite() { answers << Answer{QStringLiteral("1"), -1}; return *this; }
    RecordingHost &skip() { answers << Answer{QStringLiteral("0"), -1}; return *this; }
    RecordingHost &overwriteAll() { answers << Answer{QStringLiteral("1"), Overwrite::All}; return *this; }
    RecordingHost &skipAll() { answers << Answer{QStringLiteral("0"), Overwrite::SkipAll}; return *this; }

    void clear()
    {
        log.clear();
        pieces.clear();
        questions.clear();
        errors.clear();
    }
};

} // namespace tess::test
