#include "app/frmstyles.h"
#include "model/appstate.h"
#include "model/styles.h"
#include "platform/focusreason.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>

namespace tess {

namespace {

const QString kStyleFilter = QStringLiteral("Tessaron Style (*.tzs) | *.tzs");
constexpr int kNoReadOnlyReturn = 0x8000;
constexpr int kOutOfMemoryDialog = 32768;

// The text box's text with the table's line ends (CR LF); the box itself
// knows only paragraph breaks.
QString boxText(const QPlainTextEdit *edit)
{
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

bool confirmed(const QString &question)
{
    return ui().messageBox(question + QStringLiteral("\r\nAre you sure you want to continue?"),
                           Mb::YesNo | Mb::Question | Mb::DefaultButton2)
        == Answer::Yes;
}

} // namespace

frmStyles::frmStyles(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmStyles"));
    setWindowTitle(QStringLiteral("Project Styles"));
    setAttribute(Qt::WA_DeleteOnClose);

    for (const QString &caption : {QStringLiteral("Styles"), QStringLiteral("Style description")}) {
        auto *label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("Label1"));
        label->setProperty("index", int(Label1.size()));
        Label1.append(label);
    }

    lstStyles = new QListWidget(this);
    lstStyles->setObjectName(QStringLiteral("lstStyles"));
    lstStyles->setProperty("tag", QStringLiteral("40"));

    txtStyle = new QPlainTextEdit(this);
    txtStyle->setObjectName(QStringLiteral("txtStyle"));
    txtStyle->setProperty("tag", QStringLiteral("41"));
    txtStyle->setLineWrapMode(QPlainTextEdit::NoWrap);

    cmdSaveStyles = new QPushButton(QStringLiteral("Save Styles"), this);
    cmdSaveStyles->setObjectName(QStringLiteral("cmdSaveStyles"));
    cmdSaveStyles->setProperty("tag", QStringLiteral("42"));

    cmdLoadStyles = new QPushButton(QStringLiteral("Load Styles"), this);
    cmdLoadStyles->setObjectName(QStringLiteral("cmdLoadStyles"));
    cmdLoadStyles->setProperty("tag", QStringLiteral("43"));

    cmdDefaultStyles = new QPushButton(QStringLiteral("Restore Default Styles"), this);
    cmdDefaultStyles->setObjectName(QStringLiteral("cmdDefaultStyles"));
    cmdDefaultStyles->setProperty("tag", QStringLiteral("44"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1[0], 0, 0);
    grid->addWidget(Label1[1], 0, 1);
    grid->addWidget(lstStyles, 1, 0);
    grid->addWidget(txtStyle, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveStyles);
    buttons->addWidget(cmdLoadStyles);
    buttons->addWidget(cmdDefaultStyles);
    buttons->addStretch();
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    resize(600, 400);

    for (QWidget *w : {static_cast<QWidget *>(lstStyles), static_cast<QWidget *>(txtStyle),
                       static_cast<QWidget *>(cmdSaveStyles), static_cast<QWidget *>(cmdLoadStyles),
                       static_cast<QWidget *>(cmdDefaultStyles)})
        w->installEventFilter(this);

    connect(lstStyles, &QListWidget::currentRowChanged, this, [this] { lstStyles_Click(); });
    connect(txtStyle, &QPlainTextEdit::textChanged, this, [this] { txtStyle_Change(); });
    connect(cmdSaveStyles, &QPushButton::clicked, this, [this] { cmdSaveStyles_Click(); });
    connect(cmdLoadStyles, &QPushButton::clicked, this, [this] { cmdLoadStyles_Click(); });
    connect(cmdDefaultStyles, &QPushButton::clicked, this, [this] { cmdDefaultStyles_Click(); });
}

int frmStyles::slotOfRow(int row) const
{
    return (row >= 0 && row < m_rowSlot.size()) ? m_rowSlot[row] : 0;
}

void frmStyles::StylesDisplay()
{
    const StyleTable &table = app().Styles;
    {
        const QSignalBlocker block(lstStyles);
        lstStyles->clear();
        m_rowSlot.clear();
        for (int slot = 1; slot < int(table.StyleNames.size()); ++slot) {
            if (table.StyleNames[slot].isEmpty())
                continue;
            lstStyles->addItem(table.StyleNames[slot]);
            m_rowSlot.append(slot);
        }
    }
    if (lstStyles->count() > 0) {
        lstStyles->setCurrentRow(0);
    } else {
        const QSignalBlocker block(txtStyle);
        txtStyle->clear();
    }
    lstStyles->setFocus(Qt::OtherFocusReason);
}

void frmStyles::StylesUpdate()
{
    const int slot = slotOfRow(lstStyles->currentRow());
    if (slot == 0)
        return;
    QString &definitions = app().Styles.StyleDefinitions[slot];
    const QString text = txtStyle->document()->toRawText();
    // Unedited since it was shown: keep the slot's own line ends.
    definitions = StorableStyleText(text == m_shownText ? m_shownSource : boxText(txtStyle));
}

void frmStyles::lstStyles_Click()
{
    const int slot = slotOfRow(lstStyles->currentRow());
    if (slot == 0)
        return;
    m_shownSource = app().Styles.StyleDefinitions[slot];
    {
        const QSignalBlocker block(txtStyle);
        txtStyle->setPlainText(m_shownSource);
    }
    m_shownText = txtStyle->document()->toRawText();
    // What the box's change would do: quotes leave the table at once.
    txtStyle_Change();
}

void frmStyles::txtStyle_Change()
{
    if (lstStyles->currentRow() >= 0)
        StylesUpdate();
}

void frmStyles::cmdLoadStyles_Click()
{
    try {
        if (!confirmed(QStringLiteral("This will replace current styles with the styles you select to load "
                                      "from a file.")))
            return;
        FileDialogRequest request;
        request.title = QStringLiteral("Open Style");
        request.filter = kStyleFilter;
        request.flags = Fd::FileMustExist | kNoReadOnlyReturn;
        const QString path = ui().openFileName(request);
        if (path.isEmpty())
            return;
        LoadStylesFile(path);
        StylesDisplay();
    } catch (const RuntimeError &e) {
        if (e.number() == kOutOfMemoryDialog)
            ui().messageBox(QStringLiteral("Not enough memory. Please close one or more programs and try again"),
                            Mb::OkOnly);
        else
            ui().messageBox(e.message(), Mb::OkOnly);
    }
}

void frmStyles::cmdDefaultStyles_Click()
{
    if (!confirmed(QStringLiteral("This will reset ALL styles into initial styles.")))
        return;
    try {
        StyleTable defaults;
        LoadDefaultStyles(defaults);
        AppState &state = app();
        state.Styles = defaults;
        if (!state.ProjectDB->StyleSheetFile.isEmpty())
            state.ProjectSaved = false;
        state.ProjectDB->StyleSheetFile.clear();
        state.showStyleFileName(QString());
    } catch (const RuntimeError &e) {
        ui().messageBox(e.message(), Mb::OkOnly);
        return;
    }
    StylesDisplay();
}

void frmStyles::cmdSaveStyles_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save Style As");
    request.filter = kStyleFilter;
    request.flags = Fd::OverwritePrompt | Fd::PathMustExist | kNoReadOnlyReturn;
    const QString path = ui().saveFileName(request);
    if (path.isEmpty())
        return;
    AppState &state = app();
    try {
        SaveStylesFile(path, state.Styles);
    } catch (const RuntimeError &e) {
        // Nothing was saved: the project keeps its style file and state.
        ui().messageBox(e.message(), Mb::OkOnly);
        return;
    }
    state.ProjectSaved = false;
    state.ProjectDB->StyleSheetFile = path;
    state.showStyleFileName(path);
}

bool frmStyles::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1) {
            QWidget *active = focusWidget();
            app().requestHelp((active ? active : static_cast<QWidget *>(watched))->property("tag").toString());
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && watched == txtStyle) {
        if (isMoveBetweenControls(static_cast<QFocusEvent *>(event)))
            txtStyle->selectAll();
    }
    return QWidget::eventFilter(watched, event);
}

void frmStyles::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tess
