#pragma once
// User-interface services for tests: answers come from queues the test
// fills, and everything shown is recorded. An unanswered question gets the
// default button (or an empty text) and is recorded too, so nothing blocks.
#include "platform/ui.h"

#include <QList>
#include <QStringList>

namespace tess {

class ScriptedUi final : public UiServices {
public:
    struct Shown {
        QString kind;   // "message", "input", "open", "save", "external", "program"
        QString text;   // message or prompt text, or the dialog title, or the target
        QString title;
        int style = 0;
        FileDialogRequest request;
    };

    QList<int> answers;          // message box answers, in order
    QStringList inputs;          // input box answers
    QStringList files;           // file dialog answers
    QList<Shown> shown;
    int processEventsCalls = 0;

    ScriptedUi() { setUi(this); }
    ~ScriptedUi() override { setUi(nullptr); }

    int messageBox(const QString &text, int style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFileName(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
    bool openExternal(const QString &target) override;
    bool startProgram(const QString &path) override;
    void processEvents() override { ++processEventsCalls; }

    // The texts of the message boxes shown so far.
    QStringList messages() const;
};

} // namespace tess
