#pragma once
// The import notice: importing a MySQL database takes the separate import
// tool. Modeless; Esc or its close box unloads it.
#include <QWidget>
#include <memory>

namespace Ui {
class frmM2C;
}

namespace tess {

class frmM2C : public QWidget {
    Q_OBJECT
public:
    explicit frmM2C(QWidget *parent = nullptr);
    ~frmM2C() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::frmM2C> ui;
};

} // namespace tess
