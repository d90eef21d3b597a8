#pragma once
// The project editor: the one child window of the main window's MDI area,
// reached through forms().db(). This is the frame only; the tree and the
// panes come with the editor itself.
#include <QWidget>
#include <memory>

namespace Ui {
class frmDB;
}

namespace tess {

class frmDB : public QWidget {
    Q_OBJECT
public:
    explicit frmDB(QWidget *parent = nullptr);
    ~frmDB() override;

    // Closing the window (Exit asks it first): sets Cancel when the user
    // keeps the project open; the window then stays as it was.
    void Form_Unload(bool &Cancel);

private:
    std::unique_ptr<Ui::frmDB> ui;
};

} // namespace tess
