#pragma once
// The user-interface services on Qt widgets, installed by the program.
#include "platform/ui.h"

class QWidget;

namespace tess {

class QtUi final : public UiServices {
public:
    int messageBox(const QString &text, int style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFileName(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
    bool openExternal(const QString &target) override;
    bool startProgram(const QString &path) override;
    void processEvents() override;
};

// "Name (*.x)|*.x|..." as the program writes filters -> Qt's ";;" form.
QString qtFileFilter(const QString &filter);

} // namespace tess
