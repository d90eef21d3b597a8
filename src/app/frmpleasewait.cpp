#include "app/frmpleasewait.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tess {

frmPleaseWait::frmPleaseWait(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmPleaseWait"));
    setWindowTitle(QStringLiteral("Tessaron"));
    auto *label = new QLabel(QStringLiteral("Reading project file, please wait ...."), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(label);
    setCursor(Qt::WaitCursor);
}

} // namespace tess
