// The editor window's frame: start-up lists and colours, the layout of
// tree, splitter and viewport, the scroll bars, help keys and closing.
#include "editor/frmdb.h"
#include "app/commits.h"
#include "editor/filetypes.h"
#include "editor/frmdb_controls.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "model/reporterror.h"
#include "platform/convert.h"
#include "platform/focusreason.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/ui.h"
#include "ui_frmdb.h"
#include <QApplication>
#include "ui_picdb.h"
#include "ui_picfield.h"
#include "ui_pictable.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tess {

namespace {

// Colours as the settings hold them: red in the low byte, blue in the
// third; values with the high bit set name a system colour.
QColor colourOf(qint32 value, const QPalette &palette)
{
    if (quint32(value) & 0x80000000u) {
        switch (value & 0xFF) {
        case 5: return palette.color(QPalette::Base);
        case 8: return palette.color(QPalette::Text);
        case 15: return palette.color(QPalette::Button);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 valueOf(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QString settingText(qint32 value)
{
    return QStringLiteral("&H") + QString::number(quint32(value), 16).toUpper();
}

// The designed colours: the panes and the entry fields.
const QColor designedPaneColour(240, 238, 228);
const QColor designedBoxColour(255, 255, 255);

void setBackground(QWidget *w, const QColor &c, QPalette::ColorRole role)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
    if (role == QPalette::Window)
        w->setAutoFillBackground(true);
}

int roundedChange(double v)
{
    return int(roundHalfEven(v));
}

} // namespace

QIcon frmDB::treePicture(int index)
{
    static std::array<QIcon, 7> icons;
    if (index < 1 || index > 6)
        return {};
    if (!icons[size_t(index)].isNull())
        return icons[size_t(index)];
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 1: // database: a cylinder
        p.setPen(QColor(30, 60, 120));
        p.setBrush(QColor(90, 140, 210));
        p.drawRect(QRectF(2.5, 4, 11, 9));
        p.drawEllipse(QRectF(2.5, 10, 11, 5));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(3, 4, 10, 9));
        p.setPen(QColor(30, 60, 120));
        p.setBrush(QColor(160, 195, 240));
        p.drawEllipse(QRectF(2.5, 1.5, 11, 5));
        break;
    case 2: // table: a grid
        p.setPen(QColor(70, 70, 70));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(2, 3, 12, 3), QColor(120, 150, 190));
        p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
        p.drawLine(QPointF(1.5, 10), QPointF(14.5, 10));
        p.drawLine(QPointF(6, 6.5), QPointF(6, 13.5));
        p.drawLine(QPointF(10.5, 6.5), QPointF(10.5, 13.5));
        break;
    case 3: // plain field: one cell
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(2.5, 5.5, 11, 5));
        break;
    case 4: { // primary key: a key
        p.setPen(QColor(130, 100, 0));
        p.setBrush(QColor(240, 200, 40));
        p.drawEllipse(QRectF(1.5, 4.5, 7, 7));
        p.drawRect(QRectF(8, 7, 7, 2));
        p.drawRect(QRectF(12, 9, 2, 3));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3.5, 6.5, 3, 3));
        break;
    }
    case 5: { // lookup field: a cell pointing on
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(1.5, 5.5, 7, 5));
        p.setPen(QPen(QColor(20, 130, 40), 2));
        p.drawLine(QPointF(9, 8), QPointF(14, 8));
        QPainterPath head;
        head.moveTo(15, 8);
        head.lineTo(11.5, 4.5);
        head.lineTo(11.5, 11.5);
        head.closeSubpath();
        p.fillPath(head, QColor(20, 130, 40));
        break;
    }
    case 6: // image field: a picture
        p.setPen(QColor(70, 70, 70));
        p.setBrush(QColor(190, 225, 250));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 150, 60));
        p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(7, 7), QPointF(11, 13)}));
        p.setBrush(QColor(240, 190, 30));
        p.drawEllipse(QRectF(9.5, 4.5, 3, 3));
        break;
    }
    p.end();
    icons[size_t(index)] = QIcon(pm);
    return icons[size_t(index)];
}

frmDB::frmDB(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::frmDB>()), db(std::make_unique<Ui::picDB>()),
      tb(std::make_unique<Ui::picTable>()), fl(std::make_unique<Ui::picField>())
{
    ui->setupUi(this);
    picDB = new QWidget(ui->Picture1);
    db->setupUi(picDB);
    picTable = new QWidget(ui->Picture1);
    tb->setupUi(picTable);
    picField = new QWidget(ui->Picture1);
    fl->setupUi(picField);
    m_paneWidths = {picDB->width(), picTable->width(), picField->width()};
    for (QWidget *pane : {picDB, picTable, picField}) {
        setBackground(pane, designedPaneColour, QPalette::Window);
        pane->setFocusPolicy(Qt::StrongFocus);
        pane->hide();
    }
    for (QLineEdit *box : findChildren<QLineEdit *>())
        setBackground(box, designedBoxColour, QPalette::Base);
    for (QComboBox *list : findChildren<QComboBox *>())
        setBackground(list, designedBoxColour, QPalette::Base);
    setBackground(fl->PicField_txtWarning, designedBoxColour, QPalette::Base);
    db->PicDB_cmdEditStyles->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    db->PicDB_cmdEditStyles->setIconSize(QSize(28, 28));
    db->PicDB_optScrollBar_0->setChecked(true);
    for (QLabel *tip : {db->lblDBNameTip, db->lblDateFormatTip, fl->picField_lblFileWarning})
        tip->setCursor(Qt::PointingHandCursor);
    ui->Command1->setCursor(Qt::SizeHorCursor);
    ui->Command1->setMouseTracking(true);
    ui->TreeView1->header()->hide();
    // Whole names, with a scroll bar for one longer than the tree is wide.
    ui->TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->TreeView1->header()->setStretchLastSection(false);
    QPalette treeColours = ui->TreeView1->palette();
    treeColours.setColor(QPalette::Text, Qt::black);
    ui->TreeView1->setPalette(treeColours);
    ui->TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->TreeView1->setUniformRowHeights(true);
    ui->HScroll1->setRange(0, 0);
    ui->VScroll1->setRange(0, 0);
    ui->HScroll1->setSingleStep(1);
    ui->HScroll1->setPageStep(1);
    ui->VScroll1->setSingleStep(1);
    ui->VScroll1->setPageStep(1);
    connectHandlers();
    connect(&app(), &AppState::styleFileNameShown, this, &frmDB::setStyleFileBox);
    Form_Load();
}

frmDB::~frmDB() = default;

void frmDB::Form_Load()
{
    try {
        for (int code = 1; code <= 23; ++code)
            fl->PicField_comDataType->addItem(dataTypeListName(code));
        fl->PicField_comDataType->setCurrentIndex(-1);
        db->PicDB_comboDateFormat->addItems(
            {QStringLiteral("Year, month, day"), QStringLiteral("Day, month, year"), QStringLiteral("Month, day, year")});
        db->PicDB_comboDateFormat->setCurrentIndex(-1);
        db->PicDB_comboDateSeparator->addItems({QStringLiteral("Hyphen -"), QStringLiteral("Space"),
                                                QStringLiteral("Point ."), QStringLiteral("Slash /"),
                                                QStringLiteral("Comma ,")});
        db->PicDB_comboDateSeparator->setCurrentIndex(-1);
        m_quickLists = FillQuickLists();
        fl->PicField_comQuickList->addItem(QStringLiteral("Quick List!"));
        for (const QString &name : m_quickLists.names)
            if (!name.isEmpty())
                fl->PicField_comQuickList->addItem(name);
        fl->PicField_comQuickList->setCurrentIndex(0);
        tb->PicTable_comboQuickSearch->addItems(
            {QStringLiteral("Disabled"), QStringLiteral("Above table view, to the left"),
             QStringLiteral("Above table view, centered"), QStringLiteral("Above table view, to the right")});
        tb->PicTable_comboQuickSearch->setCurrentIndex(0);

        const QString path = joinPath(programFolder(), QStringLiteral("fileTypes.cfg"));
        const FileTypeList types = readFileTypeList(path);
        if (types.missing)
            tess::ui().messageBox(QStringLiteral("The file '") + path
                                      + QStringLiteral("' is missing or empty. You might need to reinstall Tessaron."),
                                  Mb::Information | Mb::OkOnly, QStringLiteral("Missing file!"));
        fl->PicField_comFileType->clear();
        fl->PicField_comFileType->addItems(types.groups);
        fl->PicField_comFileType->setCurrentIndex(-1);

        applyColours();
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmDB.Form_Load"), e);
    }
}

void frmDB::applyColours()
{
    const qint32 d = valueOf(picDB->palette().color(QPalette::Window));
    const qint32 e = valueOf(fl->PicField_txtCaption->palette().color(QPalette::Base));
    // Both are read before either is used: a bad value leaves both undone.
    const qint32 v = toInt32(settings::get(QStringLiteral("FormsBackground"), settingText(d)));
    const qint32 w = toInt32(settings::get(QStringLiteral("TextBoxesBackground"), settingText(e)));
    // The designed colour is stored; the colour a setting names is used,
    // except the one value that stands for the designed colour again.
    const auto apply = [this](const QString &key, qint32 stored, qint32 designed, qint32 resetValue,
                              const QList<QWidget *> &controls, QPalette::ColorRole role) {
        if (stored == designed || stored == resetValue)
            settings::set(key, settingText(designed));
        if (stored == designed)
            return;
        const QColor c = colourOf(stored == resetValue ? designed : stored, palette());
        for (QWidget *control : controls)
            setBackground(control, c, role);
    };
    apply(QStringLiteral("FormsBackground"), v, d, 16777215,
          paneColourControls(*tb, *fl, picDB, picTable, picField), QPalette::Window);
    apply(QStringLiteral("TextBoxesBackground"), w, e, 12648447, boxColourControls(*db, *tb, *fl), QPalette::Base);
}

int frmDB::paneWidth(const QWidget *pane) const
{
    return pane == picDB ? m_paneWidths[0] : pane == picTable ? m_paneWidths[1] : m_paneWidths[2];
}

QWidget *frmDB::visiblePaneWidget() const
{
    for (QWidget *pane : {picDB, picTable, picField})
        if (!pane->isHidden())
            return pane;
    return nullptr;
}

int frmDB::visiblePane() const
{
    const QWidget *pane = visiblePaneWidget();
    return pane == picDB ? 1 : pane == picTable ? 2 : pane == picField ? 3 : 0;
}

void frmDB::showPane(QWidget *pane)
{
    for (QWidget *p : {picDB, picTable, picField})
        if (p != pane)
            p->hide();
    pane->show();
    pane->raise();
}

void frmDB::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

// A restored window shows again: its layout was skipped while minimised.
void frmDB::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Resize();
}

// Sizes follow the window; the panes return to the viewport's corner and
// the scroll bars get the range of the visible pane.
void frmDB::Form_Resize()
{
    // Inside the main window the frame around the editor is what minimises.
    if (isMinimized() || (parentWidget() && parentWidget()->isMinimized()))
        return;
    QTreeWidget *tree = ui->TreeView1;
    QWidget *view = ui->Picture1;
    QScrollBar *h = ui->HScroll1, *v = ui->VScroll1;
    const int margin = 4;
    view->move(tree->x() + tree->width() + 4, view->y());
    view->resize(std::max(0, width() - view->x() - margin), std::max(0, height() - view->y() - margin));
    v->setGeometry(view->width() - v->width(), 0, v->width(), std::max(0, view->height() - h->height()));
    h->setGeometry(0, view->height() - h->height(), std::max(0, view->width() - v->width()), h->height());
    picDB->move(0, 0);
    tree->resize(tree->width(), view->height());
    picField->move(0, 0);
    picTable->move(0, 0);
    const int paneHeight = fl->PicField_txtWarning->geometry().bottom() + 1 + 20;
    // The bars lie over the viewport: what they leave of it is what shows.
    // A pane smaller than that grows to fill it, so that a large window
    // shows no bare strip beside or below the pane.
    const QSize shown(std::max(0, view->width() - v->width()), std::max(0, view->height() - h->height()));
    for (QWidget *pane : {picField, picTable, picDB})
        pane->resize(std::max(paneWidth(pane), shown.width()), std::max(paneHeight, shown.height()));
    ui->Command1->setGeometry(tree->x() + tree->width(), ui->Command1->y(), ui->Command1->width(), view->height());
    ui->Label4->move(width() / 2 - ui->Label4->width() / 2, ui->Label4->y());

    // The bars keep their minimum 0; a pane that fits beside and above the
    // bars gives a maximum below 1, which disables its bar. Scrolled to its
    // end, a bar brings the pane's last control out from under the bars.
    for (QWidget *pane : {picDB, picField, picTable})
        if (!pane->isHidden()) {
            m_scrollMax[0] = std::clamp(paneWidth(pane) - shown.width(), -32768, 32767);
            m_scrollMax[1] = std::clamp(paneHeight - shown.height(), -32768, 32767);
        }
    for (int i = 0; i < 2; ++i) {
        QScrollBar *bar = i == 0 ? h : v;
        const int max = m_scrollMax[size_t(i)];
        bar->setRange(0, std::max(0, max));
        if (max < 1) {
            bar->setEnabled(false);
            continue;
        }
        bar->setEnabled(true);
        bar->setValue(0);
        // A change size that comes out below 1 keeps the previous one.
        if (roundedChange(max / 25.0) >= 1)
            bar->setSingleStep(roundedChange(max / 25.0));
        if (roundedChange(max / 5.0) >= 1)
            bar->setPageStep(roundedChange(max / 5.0));
    }
    h->raise();
    v->raise();
}

void frmDB::Command1_MouseMove(Qt::MouseButtons buttons, int x)
{
    QTreeWidget *tree = ui->TreeView1;
    const int position = ui->Command1->x() + x;
    if (buttons == Qt::LeftButton && tree->x() < position && position < picDB->x() + paneWidth(picDB)) {
        tree->resize(position - tree->x(), tree->height());
        Form_Resize();
    }
}

void frmDB::HScroll1_Scroll()
{
    if (QWidget *pane = visiblePaneWidget())
        pane->move(-ui->HScroll1->value(), pane->y());
}

void frmDB::VScroll1_Scroll()
{
    if (QWidget *pane = visiblePaneWidget())
        pane->move(pane->x(), -ui->VScroll1->value());
}

void frmDB::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmDB::Form_Unload(bool &Cancel)
{
    // The no-project state closes this window once more: nothing to ask.
    if (m_closing)
        return;
    try {
        AppState &s = app();
        if (s.projectOpen()) {
            // What the visible pane holds reaches the model before the
            // question, as with every command.
            CommitVisiblePane();
            if (!s.ProjectSaved
                && tess::ui().messageBox(QStringLiteral("Do want to close the current project?\r\n"
                                                        "Any unsaved changes will be lost."),
                                         Mb::OkCancel | Mb::Exclamation, programTitle())
                    != Answer::Ok) {
                Cancel = true;
                return;
            }
            s.ProjectDB->DBName.clear();
        }
        m_closing = true;
        s.FileName.clear();
        UpdateProject();
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmDB.Form_Unload"), e);
    }
}

void frmDB::showHelp(QObject *control)
{
    QWidget *focused = QApplication::focusWidget();
    const QObject *source = focused && isAncestorOf(focused) ? focused : control;
    // A control without a tag of its own (the inside of a list) asks for
    // its nearest tagged parent's topic.
    while (source && !source->property("tag").isValid())
        source = source->parent();
    app().requestHelp(source ? source->property("tag").toString() : QString());
}

bool frmDB::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        if (isMoveBetweenControls(static_cast<QFocusEvent *>(event)))
            lostFocus(static_cast<QWidget *>(watched));
        break;
    case QEvent::FocusIn:
        if (auto *box = qobject_cast<QLineEdit *>(watched)) {
            // After the click that gave the focus has placed the cursor.
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == ui->TreeView1) {
            treeKey(key);
            return key->isAccepted();
        }
        if (key->key() == Qt::Key_F1) {
            showHelp(watched);
            return true;
        }
        if (watched == picField || watched == fl->cmdAddToAutoFields) {
            switch (key->key()) {
            case Qt::Key_PageDown:
            case Qt::Key_End:
                ui->VScroll1->setValue(ui->VScroll1->maximum());
                return true;
            case Qt::Key_PageUp:
            case Qt::Key_Home:
                ui->VScroll1->setValue(ui->VScroll1->minimum());
                return true;
            default:
                break;
            }
        }
        break;
    }
    case QEvent::MouseMove:
        if (watched == ui->Command1) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            Command1_MouseMove(mouse->buttons(), int(mouse->position().x()));
        }
        break;
    case QEvent::MouseButtonPress:
        // A label stands for its box: clicking it is clicking into the box.
        if (auto *label = qobject_cast<QLabel *>(watched);
            label && label->buddy() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            label->buddy()->setFocus(Qt::MouseFocusReason);
        break;
    case QEvent::MouseButtonRelease:
        if (watched == db->lblDBNameTip)
            lblDBNameTip_Click();
        else if (watched == db->lblDateFormatTip)
            lblDateFormatTip_Click();
        else if (watched == fl->picField_lblFileWarning && fl->picField_lblFileWarning->isEnabled())
            picField_lblFileWarning_Click();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmDB::lblDBNameTip_Click()
{
    tess::ui().messageBox(
        QStringLiteral("Not all names might work as a database name. Usually, your webhosting company will provide "
                       "you with a certain database name that you must use here. Please check with your server "
                       "administrator what is the name of your database and use it here."),
        Mb::Information | Mb::OkOnly, QStringLiteral("Important Notice"));
}

void frmDB::lblDateFormatTip_Click()
{
    tess::ui().messageBox(
        QStringLiteral("You can display more advanced date formats by manually editing the generated "
                       "'tablename_view.php' file (where tablename is the name of the table containing the date "
                       "field). Open this file in a text editor after Tessaron generates the code and search for the "
                       "word date_format then modify the format to fit your needs."),
        Mb::Information | Mb::OkOnly, QStringLiteral("For users with programming experience"));
}

void frmDB::picField_lblFileWarning_Click()
{
    tess::ui().messageBox(
        QStringLiteral("You can allow additional file types by adding them in the file '")
            + joinPath(programFolder(), QStringLiteral("fileTypes.cfg"))
            + QStringLiteral("'. However, beware of security issues. Never allow file types like php, "
                             "cgi, pl, jsp, asp, c ... etc. This could allow malicious users to upload executable "
                             "code to your server and cause unrecoverable damage.\r\n\r\n"
                             "A good rule here is: If you're in doubt about a file type, don't add it."),
        Mb::Critical | Mb::OkOnly, QStringLiteral("Security Warning!"));
}

} // namespace tess
