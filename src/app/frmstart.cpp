#include "app/frmstart.h"
#include "app/commands.h"
#include "app/entrypoint.h"
#include "app/forms.h"
#include "app/frmmain.h"
#include "ui_frmstart.h"

#include <QEvent>

namespace tess {

frmStart::frmStart(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::frmStart>())
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, [this] { runEntry(QStringLiteral("frmStart.Command1_Click"), [this] { Command1_Click(); }); });
    connect(ui->Command2, &QPushButton::clicked, this, [this] { runEntry(QStringLiteral("frmStart.Command2_Click"), [this] { Command2_Click(); }); });
    // The first click of a double click has already selected the option.
    for (QWidget *option : {ui->optHelp, ui->optNew, ui->optOpen})
        option->installEventFilter(this);
}

frmStart::~frmStart() = default;

void frmStart::Command1_Click()
{
    if (!ui->chkShow->isChecked())
        forms().main().ShowStartUp(false);
    if (ui->optHelp->isChecked()) {
        hide();
        runEntry(QStringLiteral("miHelpContents_Click"), [] { forms().main().miHelpContents_Click(); });
    } else if (ui->optNew->isChecked()) {
        hide();
        runEntry(QStringLiteral("miFileNew_Click"), commands::miFileNew_Click);
    } else if (ui->optOpen->isChecked()) {
        hide();
        runEntry(QStringLiteral("miFileOpenXML_Click"), commands::miFileOpenXML_Click);
    }
}

void frmStart::Command2_Click()
{
    if (!ui->chkShow->isChecked())
        forms().main().ShowStartUp(false);
    hide();
}

void frmStart::reject()
{
    runEntry(QStringLiteral("frmStart.Command2_Click"), [this] { Command2_Click(); });
}

bool frmStart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        runEntry(watched->objectName() + QStringLiteral("_DblClick"), [this] { Command1_Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tess
