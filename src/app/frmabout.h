#pragma once
// The About box: the product picture and the version; modal.
#include <QDialog>
#include <memory>

namespace Ui {
class frmAbout;
}

namespace tess {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    void cmdClose_Click();

private:
    std::unique_ptr<Ui::frmAbout> ui;
};

} // namespace tess
