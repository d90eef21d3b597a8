#pragma once
// The fixture of the GUI tests. Call init() and cleanup() from the test
// class's slots of the same names. It installs the scripted UI services
// and dialogs, starts every test from a fresh shared state and a first
// run's settings (in a configuration folder of its own), unloads every
// form afterwards, and fails a test that leaves a modal window open.
#include "platform/scriptedui.h"
#include "support/scripteddialogs.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

class QAction;
class QTreeWidgetItem;
class QWidget;

namespace tess::test {

class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();

    void init();
    void cleanup();

    ScriptedUi &ui() { return *m_ui; }
    ScriptedDialogs &dialogs() { return *m_dialogs; }
    // The names of the commands started since init(), in order.
    const QStringList &commands() const { return m_commands; }

    // A menu item or toolbar button of the main window, by objectName
    // (fails the test when there is none).
    QAction *action(const QString &name);
    // Triggers it.
    void trigger(const QString &name);
    // Clicks a button of a form by objectName.
    void click(QWidget *form, const QString &name);

    // Saves a picture of a window as <build>/tests/screenshots/<name>.png
    // and returns it; a picture that could not be written fails the test.
    static QImage screenshot(QWidget *window, const QString &name);

private:
    QTemporaryDir m_config;
    std::unique_ptr<ScriptedUi> m_ui;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QStringList m_commands;
    QStringList m_modalLeft;
    QTimer m_watch;
};

// A node of the editor's tree by its path below the root: "orders" is a
// table, "orders/photo" a field; the empty path or the root's own text is
// the root. Null when there is none.
QTreeWidgetItem *treeNode(QTreeWidgetItem *root, const QString &path);

} // namespace tess::test
