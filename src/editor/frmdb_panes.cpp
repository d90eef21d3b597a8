// The editor's three panes: filling them from the model with every
// control's signals blocked (so that showing a node never edits it), what
// their controls hold for the commits, and the handlers of their controls.
#include "app/commits.h"
#include "app/forms.h"
#include "editor/frmdb.h"
#include "editor/frmdb_controls.h"
#include "editor/selection.h"
#include "model/appstate.h"
#include "model/constants.h"
#include "model/datesettings.h"
#include "app/commands.h"
#include "app/entrypoint.h"
#include "app/frmstyles.h"
#include "model/reporterror.h"
#include "platform/ui.h"
#include "ui_frmdb.h"
#include "ui_picdb.h"
#include "ui_picfield.h"
#include "ui_pictable.h"

#include <QSignalBlocker>

namespace tess {

namespace {

// Blocks the signals of every control of a pane for one fill. The lists'
// models and the tab control keep theirs: the views follow them.
class PaneSilence {
public:
    explicit PaneSilence(QWidget *pane)
    {
        for (QWidget *w : pane->findChildren<QWidget *>())
            if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w))
                m_objects.append(w);
        for (QObject *o : m_objects)
            m_was.append(o->blockSignals(true));
    }
    ~PaneSilence()
    {
        for (qsizetype i = 0; i < m_objects.size(); ++i)
            m_objects[i]->blockSignals(m_was[i]);
    }

private:
    QList<QObject *> m_objects;
    QList<bool> m_was;
};

// A setting read from a file may be a text that is no number; it then
// selects nothing, like any value outside the list.
int listIndexOf(const Variant &value, int count)
{
    int n = 0;
    try {
        n = value.toInt();
    } catch (const RuntimeError &) {
        return -1;
    }
    return n >= 1 && n <= count ? n - 1 : -1;
}

QString blankWhenZero(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

// Selects one button of an option group, or none for an index outside it.
void selectOption(const QList<QRadioButton *> &buttons, int index)
{
    for (QRadioButton *b : buttons)
        b->setAutoExclusive(false);
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == index);
    for (QRadioButton *b : buttons)
        b->setAutoExclusive(true);
}

int selectedOption(const QList<QRadioButton *> &buttons)
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return -1;
}

std::optional<QString> selectedText(const QComboBox *list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentText();
}

} // namespace

// --- connections

void frmDB::connectHandlers()
{
    connectTree();
    for (QWidget *pane : {picDB, picTable, picField}) {
        pane->installEventFilter(this);
        for (QWidget *control : pane->findChildren<QWidget *>())
            control->installEventFilter(this);
    }
    ui->Command1->installEventFilter(this);
    connect(ui->HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Scroll(); });
    connect(ui->VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Scroll(); });

    // database pane
    connect(db->PicDB_chkHideNavMenu, &QCheckBox::toggled, this, [this] { commitDB(); });
    connect(db->PicDB_comboDateFormat, &QComboBox::currentIndexChanged, this, [this] { PicDB_comboDate_Click(); });
    connect(db->PicDB_comboDateSeparator, &QComboBox::currentIndexChanged, this, [this] { PicDB_comboDate_Click(); });
    connect(db->PicDB_cmdBrowse, &QPushButton::clicked, this, [] { forms().styles().cmdLoadStyles_Click(); });
    connect(db->PicDB_cmdEditStyles, &QToolButton::clicked, this,
            [] { runEntry(QStringLiteral("miProjectStyles_Click"), commands::miProjectStyles_Click); });

    // table pane
    for (QCheckBox *box : picTable->findChildren<QCheckBox *>())
        connect(box, &QCheckBox::toggled, this, [this] { commitTable(); });
    connect(tb->PicTable_comboQuickSearch, &QComboBox::currentIndexChanged, this, [this] { commitTable(); });

    // field pane
    for (QCheckBox *box : {fl->PicField_chkAutoIncrement, fl->PicField_chkBinary, fl->PicField_chkDeleteFiles,
                           fl->PicField_chkHiddenInDetail, fl->PicField_chkNoFileRename, fl->PicField_chkNotFiltered,
                           fl->PicField_chkNotNull, fl->PicField_chkPrimaryKey, fl->PicField_chkReadOnly,
                           fl->PicField_chkTextarea, fl->PicField_chkUnique, fl->PicField_chkUnsigned,
                           fl->PicField_chkZeroFill})
        connect(box, &QCheckBox::toggled, this, [this] { commitField(); });
    for (QCheckBox *box : {fl->PicField_chkTableImage, fl->PicField_chkTableLink, fl->PicField_chkDetailImage,
                           fl->PicField_chkDetailLink})
        connect(box, &QCheckBox::toggled, this, [this, box] { PicField_chkDisplay_Click(box); });
    connect(fl->PicField_chkHidden, &QCheckBox::toggled, this, [this] { PicField_chkHidden_Click(); });
    connect(fl->PicField_chkAllowUploads, &QCheckBox::toggled, this, [this] { PicField_chkAllowUploads_Click(); });
    connect(fl->PicField_comFileType, &QComboBox::currentIndexChanged, this, [this] { commitField(); });
    for (QRadioButton *option : {fl->picField_optCSValueListType_0, fl->picField_optCSValueListType_1,
                                 fl->picField_optCSValueListType_2})
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                commitField();
        });
    connect(fl->PicField_txtColumnWidth, &QLineEdit::textChanged, this, [this] { commitField(); });
    connect(fl->PicField_txtNumChars, &QLineEdit::textChanged, this, [this] { commitField(); });
    connect(fl->PicField_comDataType, &QComboBox::currentIndexChanged, this, [this] { PicField_comDataType_Click(); });
    connect(fl->PicField_comOtherFields, &QComboBox::currentIndexChanged, this,
            [this] { PicField_comOtherFields_Click(); });
    connect(fl->PicField_comParentTable, &QComboBox::currentIndexChanged, this,
            [this] { PicField_comParentTable_Click(); });
    connect(fl->PicField_comParentIDField, &QComboBox::currentIndexChanged, this, [this] { commitField(); });
    connect(fl->PicField_comParentCaptionField, &QComboBox::currentIndexChanged, this, [this] { commitField(); });
    connect(fl->PicField_comQuickList, &QComboBox::currentIndexChanged, this, [this] { PicField_comQuickList_Click(); });
}

void frmDB::lostFocus(QWidget *control)
{
    if (control == db->PicDB_txtDBName)
        PicDB_txtDBName_LostFocus();
    else if (control == db->PicDB_txtTZSFilename || control == db->PicDB_txtDBServer
             || control == db->PicDB_txtUserName || control == db->PicDB_txtPassword
             || control == db->PicDB_optScrollBar_0 || control == db->PicDB_optScrollBar_1)
        commitDB();
    else if (control == tb->PicTable_txtCaption || control == tb->PicTable_txtRecordsPerPage
             || control == tb->PicTable_txtDetailViewLabel || control == tb->PicTable_txtRedirectAfterInsert)
        commitTable();
    else if (control == fl->PicField_comDataType)
        PicField_comDataType_LostFocus();
    else if (control == fl->PicField_txtCaption || control == fl->PicField_txtCSValueList
             || control == fl->PicField_txtDefault || control == fl->PicField_txtLength
             || control == fl->PicField_txtMaxImageSize || control == fl->PicField_txtPrecision)
        commitField();
}

// --- commits

void frmDB::runCommit(void (*commit)())
{
    Busy busy(this);
    try {
        commit();
    } catch (const RuntimeError &e) {
        tess::ui().messageBox(e.message(), Mb::OkOnly);
    }
}

void frmDB::commitDB() { runCommit(&UpdateDB); }
void frmDB::commitTable() { runCommit(&UpdateTable); }
void frmDB::commitField() { runCommit(&UpdateField); }

void frmDB::PicField_chkAutoIncrement_Click() { commitField(); }
void frmDB::PicField_chkBinary_Click() { commitField(); }
void frmDB::PicField_chkNotNull_Click() { commitField(); }
void frmDB::PicField_chkPrimaryKey_Click() { commitField(); }
void frmDB::PicField_chkUnique_Click() { commitField(); }
void frmDB::PicField_chkUnsigned_Click() { commitField(); }
void frmDB::PicField_chkZeroFill_Click() { commitField(); }
void frmDB::PicField_txtLength_LostFocus() { commitField(); }
void frmDB::PicField_txtPrecision_LostFocus() { commitField(); }
void frmDB::PicField_txtDefault_LostFocus() { commitField(); }

void frmDB::PicField_comDataType_LostFocus()
{
    commitField();
    PicField_comDataType_Click();
}

void frmDB::PicDB_txtDBName_LostFocus()
{
    try {
        commitDatabaseNameBox();
    } catch (const RuntimeError &e) {
        tess::ui().messageBox(e.message(), Mb::OkOnly);
    }
}

void frmDB::PicDB_comboDate_Click()
{
    commitDB();
    updateDatePreview();
}

// --- what the panes hold

DbPaneValues frmDB::dbPaneValues() const
{
    DbPaneValues v;
    v.server = db->PicDB_txtDBServer->text();
    v.userName = db->PicDB_txtUserName->text();
    v.password = db->PicDB_txtPassword->text();
    v.dbName = db->PicDB_txtDBName->text();
    v.hideNavMenu = db->PicDB_chkHideNavMenu->isChecked();
    v.styleSheetFile = db->PicDB_txtTZSFilename->text();
    v.scrollStyle = selectedOption({db->PicDB_optScrollBar_0, db->PicDB_optScrollBar_1});
    v.dateFormatIndex = db->PicDB_comboDateFormat->currentIndex();
    v.dateSeparatorIndex = db->PicDB_comboDateSeparator->currentIndex();
    return v;
}

TablePaneValues frmDB::tablePaneValues() const
{
    TablePaneValues v;
    v.caption = tb->PicTable_txtCaption->text();
    v.allowDelete = tb->PicTable_chkAllowDelete->isChecked();
    v.allowFilters = tb->PicTable_chkAllowFilters->isChecked();
    v.allowInsert = tb->PicTable_chkAllowInsert->isChecked();
    v.allowPrint = tb->PicTable_chkAllowPrint->isChecked();
    v.allowSelection = tb->PicTable_chkAllowSelection->isChecked();
    v.allowSorting = tb->PicTable_chkAllowSorting->isChecked();
    v.allowUpdate = tb->PicTable_chkAllowUpdate->isChecked();
    v.hideTableView = tb->PicTable_chkHideTableView->isChecked();
    v.detailViewLabel = tb->PicTable_txtDetailViewLabel->text();
    v.allowCSV = tb->PicTable_chkAllowCSV->isChecked();
    v.recordsPerPage = tb->PicTable_txtRecordsPerPage->text();
    v.quickSearchIndex = tb->PicTable_comboQuickSearch->currentIndex();
    v.allowSavingFilters = tb->PicTable_chkAllowSavingFilters->isChecked();
    v.redirectAfterInsert = tb->PicTable_txtRedirectAfterInsert->text();
    return v;
}

FieldPaneValues frmDB::fieldPaneValues() const
{
    FieldPaneValues v;
    v.caption = fl->PicField_txtCaption->text();
    v.primaryKey = fl->PicField_chkPrimaryKey->isChecked();
    v.autoIncrement = fl->PicField_chkAutoIncrement->isChecked();
    v.binary = fl->PicField_chkBinary->isChecked();
    v.unique = fl->PicField_chkUnique->isChecked();
    v.isUnsigned = fl->PicField_chkUnsigned->isChecked();
    v.zeroFill = fl->PicField_chkZeroFill->isChecked();
    v.notNull = fl->PicField_chkNotNull->isChecked();
    v.dataTypeIndex = fl->PicField_comDataType->currentIndex();
    v.defaultText = fl->PicField_txtDefault->text();
    v.length = fl->PicField_txtLength->text();
    v.precision = fl->PicField_txtPrecision->text();
    v.csValueList = fl->PicField_txtCSValueList->text();
    v.csValueListType = selectedOption(
        {fl->picField_optCSValueListType_0, fl->picField_optCSValueListType_1, fl->picField_optCSValueListType_2});
    v.parentTableIndex = fl->PicField_comParentTable->currentIndex();
    v.parentTable = fl->PicField_comParentTable->currentText();
    v.parentIDField = selectedText(fl->PicField_comParentIDField);
    v.parentCaptionField = selectedText(fl->PicField_comParentCaptionField);
    v.columnWidth = fl->PicField_txtColumnWidth->text();
    v.hidden = fl->PicField_chkHidden->isChecked();
    v.notFiltered = fl->PicField_chkNotFiltered->isChecked();
    v.allowUploads = fl->PicField_chkAllowUploads->isChecked();
    v.uploadFileTypes = selectedText(fl->PicField_comFileType);
    v.detailImage = fl->PicField_chkDetailImage->isChecked();
    v.tableImage = fl->PicField_chkTableImage->isChecked();
    v.detailLink = fl->PicField_chkDetailLink->isChecked();
    v.tableLink = fl->PicField_chkTableLink->isChecked();
    v.maxUploadSize = fl->PicField_txtMaxImageSize->text();
    v.deleteFiles = fl->PicField_chkDeleteFiles->isChecked();
    v.noFileRename = fl->PicField_chkNoFileRename->isChecked();
    v.readOnly = fl->PicField_chkReadOnly->isChecked();
    v.hideInDetailView = fl->PicField_chkHiddenInDetail->isChecked();
    v.numChars = fl->PicField_txtNumChars->text();
    v.textarea = fl->PicField_chkTextarea->isChecked();
    return v;
}

bool frmDB::parentTableChosen() const
{
    return fl->PicField_comParentTable->currentIndex() > 0;
}

// --- filling

void frmDB::fillDbPane()
{
    const MyDB &p = *app().ProjectDB;
    PaneSilence silence(picDB);
    const QString name = QStringLiteral("The database: ") + p.DBName;
    db->PicDB_lblName->setText(name);
    db->PicDB_lblName->setToolTip(name);
    db->PicDB_txtDBServer->setText(p.Server);
    db->PicDB_txtPassword->setText(p.Password);
    db->PicDB_txtUserName->setText(p.UserName);
    db->PicDB_chkHideNavMenu->setChecked(p.HideNavMenu);
    db->PicDB_txtTZSFilename->setText(p.StyleSheetFile);
    selectOption({db->PicDB_optScrollBar_0, db->PicDB_optScrollBar_1}, p.ScrollStyle == 1 ? 1 : 0);
    db->PicDB_comboDateFormat->setCurrentIndex(listIndexOf(p.DateFormat, 3));
    db->PicDB_comboDateSeparator->setCurrentIndex(listIndexOf(p.DateSeparator, 5));
}

void frmDB::fillTablePane(const MyTable &t)
{
    PaneSilence silence(picTable);
    const QString name = QStringLiteral("Table: ") + t.Name;
    tb->PicTable_lblName->setText(name);
    tb->PicTable_lblName->setToolTip(name);
    tb->PicTable_txtCaption->setText(t.Caption);
    tb->PicTable_txtDetailViewLabel->setText(t.DetailViewLabel);
    tb->PicTable_chkAllowDelete->setChecked(t.AllowDelete);
    tb->PicTable_chkAllowFilters->setChecked(t.AllowFilters);
    tb->PicTable_chkAllowInsert->setChecked(t.AllowInsert);
    tb->PicTable_chkAllowPrint->setChecked(t.AllowPrint);
    tb->PicTable_chkAllowSelection->setChecked(t.AllowSelection);
    tb->PicTable_chkAllowSorting->setChecked(t.AllowSorting);
    tb->PicTable_chkAllowUpdate->setChecked(t.AllowUpdate);
    tb->PicTable_chkHideTableView->setChecked(t.HideTableView);
    tb->PicTable_txtRecordsPerPage->setText(QString::number(t.RecordsPerPage));
    tb->PicTable_comboQuickSearch->setCurrentIndex(t.QuickSearch >= 0 && t.QuickSearch <= 3 ? t.QuickSearch : -1);
    tb->PicTable_chkAllowCSV->setChecked(t.AllowCSV);
    tb->PicTable_chkAllowSavingFilters->setChecked(t.AllowSavingFilters);
    tb->PicTable_txtRedirectAfterInsert->setText(t.RedirectAfterInsert);
}

void frmDB::fillFieldPane(const MyTable &t, const MyField &f)
{
    {
        PaneSilence silence(picField);
        const QString name = QStringLiteral("Field: ") + t.Name + u'.' + f.Name;
        fl->PicField_Name->setText(name);
        fl->PicField_Name->setToolTip(name);
        fl->PicField_txtCaption->setText(f.Caption);
        fl->PicField_txtCSValueList->setText(f.CSValueList);
        fl->PicField_txtDefault->setText(f.pDefault);
        fl->PicField_txtLength->setText(blankWhenZero(f.pLength));
        fl->PicField_txtPrecision->setText(blankWhenZero(f.pPrecision));
        fl->PicField_txtColumnWidth->setText(blankWhenZero(f.ColumnWidth));
        fl->PicField_txtNumChars->setText(blankWhenZero(f.pNumChars));
        fillLookupLists(t, f);
        fl->PicField_comDataType->setCurrentIndex(f.pDataType >= 1 && f.pDataType <= 23 ? f.pDataType - 1 : -1);
        fl->PicField_chkAutoIncrement->setChecked(f.pAutoIncrement);
        fl->PicField_chkBinary->setChecked(f.pBinary);
        fl->PicField_chkPrimaryKey->setChecked(f.pPrimaryKey);
        fl->PicField_chkUnique->setChecked(f.pUnique);
        fl->PicField_chkUnsigned->setChecked(f.pUnsigned);
        fl->PicField_chkZeroFill->setChecked(f.pZeroFill);
        fl->PicField_chkNotNull->setChecked(f.pNotNull);
        fl->PicField_chkHidden->setChecked(f.pHidden);
        fl->PicField_chkNotFiltered->setChecked(f.pNotFiltered);
        fl->PicField_chkAllowUploads->setChecked(f.pAllowImageUpload);
        fl->PicField_chkTableImage->setChecked(f.pTableImage);
        fl->PicField_chkTableLink->setChecked(f.pTableLink);
        fl->PicField_chkDetailImage->setChecked(f.pDetailImage);
        fl->PicField_chkDetailLink->setChecked(f.pDetailLink);
        fl->PicField_chkDeleteFiles->setChecked(f.pDeleteFiles);
        fl->PicField_chkNoFileRename->setChecked(f.pNoFileRename);
        fl->PicField_txtMaxImageSize->setText(QString::number(f.pMaxUploadSize));
        fl->PicField_chkReadOnly->setChecked(f.pReadOnly);
        fl->PicField_chkHiddenInDetail->setChecked(f.pHideInDetailView);
        selectOption({fl->picField_optCSValueListType_0, fl->picField_optCSValueListType_1,
                      fl->picField_optCSValueListType_2},
                     f.CSValueListType);
        fl->PicField_chkTextarea->setChecked(f.pTextarea);
    }
    // The tab control turns its page through its own signals.
    if (f.pTableImage || f.pTableLink || f.pDetailImage || f.pDetailLink || f.pAllowImageUpload)
        fl->SSTab1->setCurrentIndex(0);
    else if (!f.ParentTable.isEmpty() && !f.ParentIDField.isEmpty())
        fl->SSTab1->setCurrentIndex(1);
    else if (!f.CSValueList.isEmpty())
        fl->SSTab1->setCurrentIndex(2);
    // What the controls' handlers do besides committing, done here once:
    // the node's colour, the type's guidelines, the upload options' state.
    if (QTreeWidgetItem *node = ui->TreeView1->currentItem())
        setNodeHidden(node, f.pHidden);
    PicField_comDataType_Click();
    setUploadOptionsEnabled(f.pAllowImageUpload);
}

void frmDB::fillLookupLists(const MyTable &ownTable, const MyField &f)
{
    QComboBox *parents = fl->PicField_comParentTable;
    parents->clear();
    parents->addItem(QString());
    fillParentFieldLists(QString());
    int remembered = -1;
    const MyDB &p = *app().ProjectDB;
    for (const TablePtr &t : p.Tables)
        if (t->Name != ownTable.Name) {
            parents->addItem(t->Name);
            if (remembered < 0 && t->Name == f.ParentTable)
                remembered = parents->count() - 1;
        }
    // The field's own table is not offered: such a lookup, or one naming
    // no table, shows no parent table, and the commit keeps it as it is.
    parents->setCurrentIndex(remembered >= 0 ? remembered : f.ParentTable.isEmpty() ? 0 : -1);
    if (remembered >= 0)
        fillParentFieldLists(f.ParentTable);
    QComboBox *captions = fl->PicField_comParentCaptionField;
    QComboBox *ids = fl->PicField_comParentIDField;
    const auto exact = Qt::MatchExactly | Qt::MatchCaseSensitive;
    captions->setCurrentIndex(f.ParentCaptionField.isEmpty() ? -1 : captions->findText(f.ParentCaptionField, exact));
    ids->setCurrentIndex(f.ParentIDField.isEmpty() ? -1 : ids->findText(f.ParentIDField, exact));
}

void frmDB::fillParentFieldLists(const QString &parentTable)
{
    QComboBox *captions = fl->PicField_comParentCaptionField;
    QComboBox *ids = fl->PicField_comParentIDField;
    captions->clear();
    ids->clear();
    captions->addItem(QString());
    ids->addItem(QString());
    if (parentTable.isEmpty())
        return;
    if (const TablePtr t = findTable(*app().ProjectDB, parentTable))
        for (const FieldPtr &f : t->Fields) {
            captions->addItem(f->Name);
            if (f->pPrimaryKey || f->pUnique)
                ids->addItem(f->Name, captions->count() - 1);
        }
}

void frmDB::FillOtherFieldsCombo()
{
    const FieldPtr current = GetCurrentField();
    if (!current)
        return;
    QComboBox *others = fl->PicField_comOtherFields;
    QSignalBlocker blockOthers(others);
    QSignalBlocker blockTypes(fl->PicField_comFileType);
    others->clear();
    m_otherFields.clear();
    m_otherFields.push_back({});
    QStringList entries{QString()};
    int sinceRepaint = 0;
    for (const TablePtr &t : app().ProjectDB->Tables)
        for (const FieldPtr &f : t->Fields) {
            if (f == current)
                continue;
            entries << t->Name + u'.' + f->Name;
            m_otherFields.push_back({t->Name, f->Name});
            if (++sinceRepaint == 256) {
                sinceRepaint = 0;
                tess::ui().processEvents();
            }
        }
    others->addItems(entries);
    others->setCurrentIndex(0);
    QComboBox *types = fl->PicField_comFileType;
    if (current->pAllowImageUpload) {
        int index = types->findText(current->pUploadFileTypes, Qt::MatchExactly | Qt::MatchCaseSensitive);
        // A group the list does not offer (from another installation) is
        // offered too, so that showing the field keeps it.
        if (index < 0) {
            types->addItem(current->pUploadFileTypes);
            index = types->count() - 1;
        }
        types->setCurrentIndex(index);
    } else {
        types->setCurrentIndex(-1);
    }
}

void frmDB::updateDatePreview()
{
    const DateSettings d = deriveDateSettings(*app().ProjectDB);
    app().DatePartSeparator = d.separator;
    db->PicDB_txtDatePreview->setText(d.preview);
    app().MySQLDateFormat = d.mysqlFormat;
}

// --- field pane handlers with rules of their own

void frmDB::PicField_chkDisplay_Click(QWidget *box)
{
    QCheckBox *other = box == fl->PicField_chkTableImage  ? fl->PicField_chkTableLink
        : box == fl->PicField_chkTableLink               ? fl->PicField_chkTableImage
        : box == fl->PicField_chkDetailImage             ? fl->PicField_chkDetailLink
                                                         : fl->PicField_chkDetailImage;
    if (static_cast<QCheckBox *>(box)->isChecked())
        other->setChecked(false);
    commitField();
}

void frmDB::PicField_chkHidden_Click()
{
    commitField();
    if (QTreeWidgetItem *node = selectedNode())
        setNodeHidden(node, fl->PicField_chkHidden->isChecked());
}

void frmDB::PicField_chkAllowUploads_Click()
{
    const bool allowed = fl->PicField_chkAllowUploads->isChecked();
    if (!allowed)
        fl->PicField_comFileType->setCurrentIndex(0);
    else if (fl->PicField_chkDetailImage->isChecked() || fl->PicField_chkTableImage->isChecked())
        fl->PicField_comFileType->setCurrentIndex(1);
    commitField();
    setUploadOptionsEnabled(allowed);
}

void frmDB::setUploadOptionsEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{fl->PicField_chkDeleteFiles, fl->PicField_chkNoFileRename,
                                                       fl->PicField_comFileType, fl->PicField_txtMaxImageSize,
                                                       fl->picField_lblFileWarning})
        w->setEnabled(enabled);
}

void frmDB::PicField_comDataType_Click()
{
    const int index = fl->PicField_comDataType->currentIndex();
    if (index < 0) {
        fl->PicField_txtWarning->setPlainText(QString());
        fl->Label3->setText(QStringLiteral(" Guidelines regarding"));
        return;
    }
    fl->PicField_txtWarning->setPlainText(DataTypeHints[size_t(index + 1)]);
    fl->Label3->setText(QStringLiteral(" Guidelines regarding the ") + fl->PicField_comDataType->currentText()
                        + QStringLiteral(" data type:"));
}

void frmDB::PicField_comOtherFields_Click()
{
    QComboBox *others = fl->PicField_comOtherFields;
    const int index = others->currentIndex();
    if (index <= 0 || size_t(index) >= m_otherFields.size())
        return;
    try {
        const QString entry = others->currentText();
        const int answer = tess::ui().messageBox(
            QStringLiteral("This will override the properties of the current field and replace them with the "
                           "properties of the field '")
                + entry + QStringLiteral("'.\r\n\r\nDo you wish to continue?"),
            Mb::YesNo | Mb::Question | Mb::DefaultButton2);
        if (answer != Answer::Yes) {
            QSignalBlocker block(others);
            others->setCurrentIndex(0);
            return;
        }
        const FieldPtr current = GetCurrentField();
        const TablePtr table = GetCurrentFieldTable();
        if (!current || !table)
            return;
        const auto &[tableName, fieldName] = m_otherFields[size_t(index)];
        const TablePtr sourceTable = findTable(*app().ProjectDB, tableName);
        const FieldPtr source = sourceTable ? findField(*sourceTable, fieldName) : FieldPtr();
        if (!source)
            return;
        CopyFieldProperties(*source, *current, false, source->ParentTable != table->Name);
        app().ProjectSaved = false;
        TreeView1_NodeClick(selectedNode());
    } catch (const RuntimeError &e) {
        tess::ui().messageBox(e.message(), Mb::OkOnly);
    }
}

void frmDB::PicField_comParentTable_Click()
{
    AppState &s = app();
    Busy busy(this);
    s.IsFillingPanes = true;
    try {
        QComboBox *parents = fl->PicField_comParentTable;
        const int index = parents->currentIndex();
        {
            QSignalBlocker blockCaptions(fl->PicField_comParentCaptionField);
            QSignalBlocker blockIds(fl->PicField_comParentIDField);
            fillParentFieldLists(index > 0 ? parents->currentText() : QString());
        }
        if (index == 0) {
            QTreeWidgetItem *node = selectedNode();
            if (node && node->parent() && node->parent() != rootNode())
                if (const TablePtr t = findTable(*s.ProjectDB, node->parent()->text(0)))
                    if (const FieldPtr f = findField(*t, node->text(0))) {
                        f->ParentTable.clear();
                        f->ParentCaptionField.clear();
                        f->ParentIDField.clear();
                        setNodePicture(node, 3);
                        s.ProjectSaved = false;
                    }
        }
        s.IsFillingPanes = false;
    } catch (const RuntimeError &e) {
        ReportError(QStringLiteral("frmDB.PicField_comParentTable_Click"), e);
    }
}

void frmDB::PicField_comQuickList_Click()
{
    QComboBox *quick = fl->PicField_comQuickList;
    const int index = quick->currentIndex();
    if (index <= 0)
        return;
    // Entry n names the n-th list that has a name.
    int seen = 0;
    for (size_t slot = 0; slot < m_quickLists.names.size(); ++slot)
        if (!m_quickLists.names[slot].isEmpty() && ++seen == index) {
            fl->PicField_txtCSValueList->setText(m_quickLists.values[slot]);
            break;
        }
    {
        QSignalBlocker block(quick);
        quick->setCurrentIndex(0);
    }
    fl->PicField_txtCSValueList->setFocus(Qt::OtherFocusReason);
}

} // namespace tess
