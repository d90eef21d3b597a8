#include "app/frmconfirmoverwrite.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tess {

namespace {

QString shown(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(shown(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

frmConfirmOverwrite::frmConfirmOverwrite(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfirmOverwrite"));
    setWindowTitle(QStringLiteral("Confirm file overwriting"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    Image1->setAlignment(Qt::AlignTop);
    lblMain = label("lblMain", QString(), this);
    QFont bold = lblMain->font();
    bold.setBold(true);
    lblMain->setFont(bold);
    lblNewFile = label("lblNewFile", QString(), this);
    lblExistingFile = label("lblExistingFile", QString(), this);

    struct Button {
        const char *name;
        const char *caption;
        const char *tip;
        const char *tag;
        qint16 mode;
    };
    // In tab order; Skip answers Enter and Esc, so the quick answers
    // never replace a file.
    const Button buttons[] = {
        {"cmdSkip", "&Skip", "Skip this file only", "0", -1},
        {"cmdSkipAll", "S&kip All", "Skip all existing files without prompt", "0", Overwrite::SkipAll},
        {"cmdOverwrite", "&Overwrite", "Overwrite this file only", "1", -1},
        {"cmdOverwriteAll", "Overwrite &All", "Overwrite all existing files without prompt", "1", Overwrite::All},
    };
    QPushButton *made[4];
    for (int i = 0; i < 4; ++i) {
        const Button &b = buttons[i];
        auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QString::fromLatin1(b.tip));
        const QString tag = QString::fromLatin1(b.tag);
        const qint16 mode = b.mode;
        connect(button, &QPushButton::clicked, this, [this, tag, mode] { choose(tag, mode); });
        made[i] = button;
    }
    made[0]->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 3, 1);
    grid->addWidget(lblMain, 0, 1, 1, 2);
    grid->addWidget(lblNewFile, 1, 1);
    grid->addWidget(lblExistingFile, 1, 2);
    grid->setColumnMinimumWidth(1, 200);
    grid->setColumnMinimumWidth(2, 200);
    grid->setRowMinimumHeight(2, 8);
    auto *row = new QHBoxLayout;
    // Shown left to right in the order of the choices' weight.
    row->addWidget(made[2]);
    row->addWidget(made[3]);
    row->addWidget(made[0]);
    row->addWidget(made[1]);
    grid->addLayout(row, 3, 0, 1, 3);
    setTabOrder(made[0], made[1]);
    setTabOrder(made[1], made[2]);
    setTabOrder(made[2], made[3]);
    made[0]->setFocus();
}

void frmConfirmOverwrite::setQuestion(const OverwriteQuestion &question)
{
    lblMain->setText(shown(question.main));
    lblNewFile->setText(shown(question.newFile));
    lblExistingFile->setText(shown(question.existingFile));
    Tag = QStringLiteral("0");
    chosenMode = -1;
}

void frmConfirmOverwrite::choose(const QString &tag, qint16 mode)
{
    chosenMode = mode;
    Tag = tag;
    hide();
}

QString frmConfirmOverwrite::answer(qint16 &overwriteMode) const
{
    if (chosenMode >= 0)
        overwriteMode = chosenMode;
    return Tag;
}

} // namespace tess
