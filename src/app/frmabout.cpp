#include "app/frmabout.h"
#include "app/entrypoint.h"
#include "app/forms.h"
#include "model/maker.h"
#include "ui_frmabout.h"

namespace tess {

frmAbout::frmAbout(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    ui->Label1->setText(QStringLiteral("Version ") + programVersion());
    connect(ui->cmdClose, &QPushButton::clicked, this,
            [this] { runEntry(QStringLiteral("frmAbout.cmdClose_Click"), [this] { cmdClose_Click(); }); });
}

frmAbout::~frmAbout() = default;

void frmAbout::cmdClose_Click() { forms().unload(Form::About); }

} // namespace tess
