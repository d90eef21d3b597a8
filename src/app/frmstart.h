#pragma once
// The start dialog: asks once, at start-up, whether to read the help, start
// a new project or open one; hides itself and runs the chosen command.
#include <QDialog>
#include <memory>

namespace Ui {
class frmStart;
}

namespace tess {

class frmStart : public QDialog {
    Q_OBJECT
public:
    explicit frmStart(QWidget *parent = nullptr);
    ~frmStart() override;

    void Command1_Click(); // Ok
    void Command2_Click(); // Cancel

    // Esc is the Cancel button.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::frmStart> ui;
};

} // namespace tess
