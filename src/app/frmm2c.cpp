#include "app/frmm2c.h"
#include "app/forms.h"
#include "ui_frmm2c.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace tess {

frmM2C::frmM2C(QWidget *parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::frmM2C>())
{
    ui->setupUi(this);
}

frmM2C::~frmM2C() = default;

void frmM2C::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        forms().unload(Form::M2C);
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmM2C::closeEvent(QCloseEvent *event)
{
    event->accept();
    forms().unload(Form::M2C);
}

} // namespace tess
