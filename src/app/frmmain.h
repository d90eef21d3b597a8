#pragma once
// The main window: the frame of the program with its menus, the toolbar,
// the status bar and the MDI area that holds the editor. It runs the
// start-up sequence and Exit; the commands of its menus live in
// commands.h, the modal dialogs behind dialogs.h.
#include <QMainWindow>
#include <memory>

class QMdiArea;

namespace Ui {
class frmMain;
}

namespace tess {

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence, given the program's command line (the
    // arguments joined by single blanks).
    void MDIForm_Load(const QString &commandLine);
    // Puts or removes the check mark of "Show Startup screen" and stores
    // the "No Startup" setting to match.
    void ShowStartUp(bool Show = true);

    // Exit: asks the editor first, then closes the tool windows and the
    // main window. Cancelled by the editor, it leaves every window open.
    void miFileExit_Click();

    void miHelpContents_Click();
    void miHelpStartup_Click();
    void miHelpAbout_Click();
    void miFileOpen_Click();
    void miFileImport_Click();

    // A toolbar button by its key (the button's objectName).
    void Toolbar1_ButtonClick(const QString &key);
    // What's-this mode: the toolbar's buttons show their help topic
    // instead of running. On exactly while the pointer is the what's-this
    // arrow.
    bool whatsThisMode() const;
    // The default pointer again (ends what's-this mode; the button stays
    // pressed).
    void resetMousePointer();

    // The Tables and Project menus (with every item in them): off while no
    // project is open.
    void setProjectMenusEnabled(bool enabled);
    // The toolbar buttons that act on a project's tables and fields (New
    // Table to What's This): hidden while no project is open.
    void setProjectButtonsVisible(bool visible);

    QMdiArea *mdiArea() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectCommands();
    void nameSeparators();
    // Asks the editor and closes the tool windows; false when the editor
    // stays open.
    bool prepareExit();

    std::unique_ptr<Ui::frmMain> ui;
    bool m_exiting = false;
};

} // namespace tess
