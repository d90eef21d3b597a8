#include "app/frmhelp.h"
#include "app/helpfile.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"
#include "ui_frmhelp.h"

#include <QResizeEvent>

namespace tess {

frmHelp::frmHelp(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::frmHelp>())
{
    ui->setupUi(this);
    // Designer files take whole points only.
    QFont font = ui->Text1->font();
    font.setPointSizeF(9.75);
    ui->Text1->setFont(font);
}

frmHelp::~frmHelp() = default;

void frmHelp::Display(const QString &HelpID)
{
    HelpTopic topic;
    try {
        topic = readHelpTopic(joinPath(programFolder(), QStringLiteral("con_help")), HelpID);
    } catch (const std::exception &) {
        tess::ui().messageBox(QStringLiteral("Error opening the help file 'con_help'. Please reinstall the file."),
                        Mb::Exclamation);
        return;
    }
    ui->Label1->setText(u' ' + topic.title);
    m_body = topic.body;
    ui->Text1->setPlainText(QString(m_body).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    show();
    raise();
}

QString frmHelp::titleText() const { return ui->Label1->text(); }

void frmHelp::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    // The outer size, as the layout was designed against it; a size that
    // would turn negative leaves that control as it is.
    const int W = frameGeometry().width();
    const int H = frameGeometry().height();
    QRect text = ui->Text1->geometry();
    const QRect label = ui->Label1->geometry();
    if (W - 4 * text.left() >= 0)
        text.setWidth(W - 4 * text.left());
    if (H - label.height() - 10 * label.top() >= 0)
        text.setHeight(H - label.height() - 10 * label.top());
    ui->Text1->setGeometry(text);
    ui->Label1->setGeometry(QRect(label.topLeft(), QSize(text.width(), label.height())));
}

} // namespace tess
