#include "app/frmgenerating.h"

#include "app/dialogs.h"
#include "app/generatesequence.h"
#include "app/forms.h"
#include "model/appstate.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

namespace tess {

namespace {

constexpr int kTwips = 15;
int px(int twips) { return twips / kTwips; }

const QColor kRed(255, 0, 0);
const QColor kDarkBlue(0, 0, 128);

// Adding the text, laying it out and repainting once per generated file
// cost as much as generating the files: the log takes the new lines in at
// this pace instead, four times a second.
constexpr int kShowEveryMs = 250;

QPushButton *button(const char *name, const char *caption, const char *tip, const char *tag, QWidget *parent)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(tip));
    b->setProperty("tag", QString::fromLatin1(tag));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmGenerating::frmGenerating(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmGenerating"));
    setWindowTitle(QStringLiteral("PHP Application Generator status"));

    txtLog = new QPlainTextEdit(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    txtLog->setProperty("tag", QStringLiteral("50"));
    txtLog->setReadOnly(true);
    txtLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog->setUndoRedoEnabled(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    txtLog->setFont(font);
    txtLog->installEventFilter(this);
    setChecking(false);

    m_flushTimer = new QTimer(this);
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(kShowEveryMs);
    connect(m_flushTimer, &QTimer::timeout, this, &frmGenerating::flushView);

    cmdClose = button("cmdClose", "Close", "Close this window", "51", this);
    cmdBrowse = button("cmdBrowse", "Browse ...", "Open the output folder", "52", this);
    cmdSave = button("cmdSave", "Save Log", "Save the above log to a file", "53", this);
    for (QPushButton *b : {cmdClose, cmdBrowse, cmdSave})
        b->installEventFilter(this);
    connect(cmdClose, &QPushButton::clicked, this, &frmGenerating::cmdClose_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmGenerating::cmdBrowse_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmGenerating::cmdSave_Click);

    txtLog->setGeometry(px(120), px(60), px(7635), px(4155));
    for (auto [b, left] : {std::pair{cmdClose, 1260}, {cmdBrowse, 2880}, {cmdSave, 4500}})
        b->setGeometry(px(left), px(4260), px(1575), px(315));
    setTabOrder(txtLog, cmdClose);
    setTabOrder(cmdClose, cmdBrowse);
    setTabOrder(cmdBrowse, cmdSave);
    resize(px(7875), px(4680));
}

void frmGenerating::clearLog()
{
    m_log.clear();
    m_pending.clear();
    txtLog->clear();
}

void frmGenerating::setChecking(bool checking)
{
    QPalette p = txtLog->palette();
    p.setColor(QPalette::Text, checking ? kRed : kDarkBlue);
    txtLog->setPalette(p);
}

void frmGenerating::setBusy(bool busy)
{
    flushView();
    for (QPushButton *b : {cmdBrowse, cmdClose, cmdSave})
        b->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmGenerating::appendLog(const QString &piece)
{
    m_log.append(piece);
    // The view receives the new pieces, never the whole text again: a run
    // of thousands of files stays linear.
    m_pending += piece;
    if (!m_flushTimer->isActive())
        m_flushTimer->start();
}

void frmGenerating::flushView()
{
    m_flushTimer->stop();
    if (m_pending.isEmpty())
        return;
    m_pending.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor end(txtLog->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_pending);
    m_pending.clear();
    QScrollBar *bar = txtLog->verticalScrollBar();
    bar->setValue(bar->maximum());
}

QString frmGenerating::askOverwrite(const OverwriteQuestion &question, qint16 &overwriteMode)
{
    return dialogs().askOverwrite(question, overwriteMode);
}

void frmGenerating::processEvents() { ui().processEvents(); }

void frmGenerating::focusLog() { txtLog->setFocus(); }

void frmGenerating::showError(const QString &message) { ui().messageBox(message, Mb::Exclamation); }

void frmGenerating::cmdBrowse_Click()
{
    const QString folder = chosenOutputFolder();
    if (!folder.isEmpty())
        ui().openExternal(folder);
}

void frmGenerating::cmdSave_Click()
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Text files (*.txt) | *.txt");
    request.title = QStringLiteral("Save Log As");
    request.flags = 0x8802;
    request.fileName = GenerationLog::proposedFileName(chosenOutputFolder(), app().ProjectDB->DBName);
    const QString path = ui().saveFileName(request);
    if (path.isEmpty())
        return;
    try {
        m_log.save(path);
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e), Mb::Exclamation);
    }
}

void frmGenerating::cmdClose_Click() { close(); }

void frmGenerating::closeEvent(QCloseEvent *event)
{
    // The run writes into this window until its last line.
    event->ignore();
    if (!generationRunning())
        forms().unload(Form::Generating);
}

void frmGenerating::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && cmdClose->isEnabled()) {
        cmdClose->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmGenerating::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        QWidget *active = focusWidget() ? focusWidget() : qobject_cast<QWidget *>(watched);
        app().requestHelp(active ? active->property("tag").toString() : QString());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmGenerating::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        layoutControls();
}

// The log fills the window; the buttons stand in one row under it, right-
// aligned with it, a margin apart.
void frmGenerating::layoutControls()
{
    const int W = width();
    const int H = height();
    const int L = txtLog->x();
    const int T = txtLog->y();
    const int logWidth = W - 2 * L;
    const int logHeight = H - 3 * T - cmdSave->height();
    if (logWidth <= 0 || logHeight <= 0)
        return;
    txtLog->resize(logWidth, logHeight);
    const int top = 2 * T + logHeight;
    const int w = cmdSave->width();
    cmdSave->move(L + logWidth - w, top);
    cmdBrowse->move(L + logWidth - 2 * w - L, top);
    cmdClose->move(L + logWidth - 3 * w - 2 * L, top);
}

} // namespace tess
