#include "editor/frmdb.h"
#include "model/appstate.h"
#include "platform/ui.h"
#include "ui_frmdb.h"

namespace tess {

frmDB::frmDB(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::frmDB>())
{
    ui->setupUi(this);
}

frmDB::~frmDB() = default;

void frmDB::Form_Unload(bool &Cancel)
{
    Cancel = false;
    if (!app().ProjectSaved
        && tess::ui().messageBox(QStringLiteral("Do want to close the current project?\r\nAny unsaved changes will be lost."),
                                 Mb::OkCancel | Mb::Exclamation, programTitle())
               != Answer::Ok)
        Cancel = true;
}

} // namespace tess
