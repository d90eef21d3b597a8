#include "editor/frmdb.h"
#include "ui_frmdb.h"

namespace tess {

frmDB::frmDB(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::frmDB>())
{
    ui->setupUi(this);
}

frmDB::~frmDB() = default;

void frmDB::Form_Unload(bool &Cancel) { Cancel = false; }

} // namespace tess
