#pragma once
// The user-interface services the program asks for: message boxes, the
// input box, file dialogs, opening documents, starting programs, and letting the message loop
// run. The program installs the Qt implementation; tests install a
// scripted one that answers from a queue and records what was shown.
#include <QString>
#include <QStringList>

namespace tess {

// Message box style: buttons + icon + default button, combined by "|".
namespace Mb {
enum : int {
    OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5,
    Critical = 16, Question = 32, Exclamation = 48, Information = 64,
    DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512,
};
}
// Message box answers.
namespace Answer {
enum : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
}

// File dialog flags that change behaviour here.
namespace Fd {
enum : int {
    OverwritePrompt = 0x2,
    FileMustExist = 0x1000,
    PathMustExist = 0x800,
};
}

struct FileDialogRequest {
    QString title;
    QString filter;       // "Text (*.txt)|*.txt|All (*.*)|*.*" pairs, as the callers write them
    int filterIndex = 1;
    QString initialDir;
    QString fileName;     // proposed name
    QString defaultExt;
    int flags = 0;
};

class UiServices {
public:
    virtual ~UiServices() = default;
    // Returns one of Answer::*. An empty title means the program's title.
    virtual int messageBox(const QString &text, int style = Mb::OkOnly, const QString &title = {}) = 0;
    // Returns the entered text, or the empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title = {}, const QString &defaultText = {}) = 0;
    // Return the chosen path, or the empty text when cancelled.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    virtual QString saveFileName(const FileDialogRequest &request) = 0;
    // Opens a document, folder or address with the desktop's handler.
    virtual bool openExternal(const QString &target) = 0;
    // Starts a program file without arguments and without waiting for it.
    virtual bool startProgram(const QString &) { return false; }
    // Lets windows repaint without starting another command.
    virtual void processEvents() = 0;
};

// The answer of a message box's default button (DefaultButton1..3 of the
// buttons the style names).
int defaultAnswer(int style);

// The program's title, used when a message box names none.
inline QString programTitle() { return QStringLiteral("Tessaron"); }

UiServices &ui();
// Installs the services (not owned); nullptr restores the default, which
// answers every question with its default button and shows nothing.
void setUi(UiServices *services);

} // namespace tess
