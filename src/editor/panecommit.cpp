#include "editor/panecommit.h"
#include "editor/schemastatements.h"
#include "model/columndefinition.h"
#include "platform/convert.h"
#include "platform/runtimeerror.h"

#include <cmath>

namespace tess {

namespace {

// A setting read from a file holds its number as text: an unchanged
// number stays as it was read.
void storeSetting(Variant &member, int value)
{
    try {
        if (member.toInt() == value)
            return;
    } catch (const RuntimeError &) {
    }
    member = Variant(value);
}

} // namespace

bool applyDbPane(const DbPaneValues &pane, MyDB &db)
{
    db.Server = pane.server;
    db.UserName = pane.userName;
    db.Password = pane.password;
    db.DBName = pane.dbName;
    db.HideNavMenu = pane.hideNavMenu;
    // Loading on every commit would throw away unsaved edits of the styles
    // editor; only a newly named file is read.
    const bool load = !pane.styleSheetFile.isEmpty() && pane.styleSheetFile != db.StyleSheetFile;
    db.StyleSheetFile = pane.styleSheetFile;
    if (pane.scrollStyle >= 0)
        db.ScrollStyle = qint16(pane.scrollStyle);
    storeSetting(db.DateFormat, pane.dateFormatIndex + 1);
    storeSetting(db.DateSeparator, pane.dateSeparatorIndex + 1);
    return load;
}

void applyTablePane(const TablePaneValues &pane, MyTable &table)
{
    table.Caption = pane.caption;
    table.AllowDelete = pane.allowDelete;
    table.AllowFilters = pane.allowFilters;
    table.AllowInsert = pane.allowInsert;
    table.AllowPrint = pane.allowPrint;
    table.AllowSelection = pane.allowSelection;
    table.AllowSorting = pane.allowSorting;
    table.AllowUpdate = pane.allowUpdate;
    table.HideTableView = pane.hideTableView;
    table.DetailViewLabel = pane.detailViewLabel;
    table.AllowCSV = pane.allowCSV;
    const double perPage = leadingNumber(pane.recordsPerPage);
    if (perPage < 1)
        table.RecordsPerPage = 10;
    else if (std::trunc(perPage) <= 32767)
        table.RecordsPerPage = qint16(std::trunc(perPage));
    if (pane.quickSearchIndex >= 0)
        table.QuickSearch = qint16(pane.quickSearchIndex);
    table.AllowSavingFilters = pane.allowSavingFilters;
    table.RedirectAfterInsert = pane.redirectAfterInsert;
}

namespace {

struct Numbers {
    double lengthValue, precisionValue;
    qint16 length, precision, columnWidth, numChars;
    qint32 maxUploadSize;
};

Numbers convertNumbers(const FieldPaneValues &pane)
{
    Numbers n;
    n.lengthValue = leadingNumber(pane.length);
    n.precisionValue = leadingNumber(pane.precision);
    n.length = toInt16(n.lengthValue);
    n.precision = toInt16(n.precisionValue);
    n.columnWidth = toInt16(leadingNumber(pane.columnWidth));
    n.numChars = toInt16(leadingNumber(pane.numChars));
    n.maxUploadSize = toInt32(leadingNumber(pane.maxUploadSize));
    return n;
}

} // namespace

void applyFieldPane(const FieldPaneValues &pane, MyTable &table, MyField &field)
{
    const Numbers n = convertNumbers(pane);
    // The changes are made on copies, so that a definition that fails half
    // way through stores nothing.
    MyField f = field;
    QString alterSQL = table.AlterSQL;
    bool pkChanged = table.pkChanged;
    const QString &t = table.Name;

    f.Caption = pane.caption;
    bool definitionChanged = false;

    if (pane.primaryKey != f.pPrimaryKey) {
        if (!f.pPrimaryKey) {
            const bool notNull = f.pNotNull;
            f.pNotNull = true;
            f.pPrimaryKey = true;
            alterSQL += alter::keyChange(t, f.Name, ColumnDefinition(f, false));
            f.pNotNull = notNull;
        } else {
            f.pPrimaryKey = false;
            alterSQL += alter::addIndex(t, f.Name);
            alterSQL += alter::dropPrimaryKey(t);
        }
        pkChanged = true;
    }
    if (pane.autoIncrement != f.pAutoIncrement) {
        if (!f.pPrimaryKey && !f.pAutoIncrement) {
            f.pAutoIncrement = true;
            alterSQL += alter::addIndex(t, f.Name);
        } else {
            f.pAutoIncrement = !f.pAutoIncrement;
        }
        definitionChanged = true;
    }
    if (pane.binary != f.pBinary) {
        f.pBinary = pane.binary;
        definitionChanged = true;
    }
    if (pane.unique != f.pUnique) {
        f.pUnique = pane.unique;
        alterSQL += pane.unique ? alter::addUnique(t, f.Name) : alter::dropIndex(t, f.Name);
    }
    for (auto [box, member] : {std::pair{pane.isUnsigned, &f.pUnsigned}, std::pair{pane.zeroFill, &f.pZeroFill},
                               std::pair{pane.notNull, &f.pNotNull}}) {
        if (box != *member) {
            *member = box;
            definitionChanged = true;
        }
    }
    // No selection leaves the stored type: a code the list cannot show
    // (read from a file) is no edit of the user's.
    if (pane.dataTypeIndex >= 0 && pane.dataTypeIndex + 1 != f.pDataType) {
        f.pDataType = pane.dataTypeIndex + 1;
        definitionChanged = true;
    }
    if (pane.defaultText != f.pDefault) {
        f.pDefault = pane.defaultText;
        definitionChanged = true;
    }
    if (n.lengthValue != f.pLength) {
        f.pLength = n.length;
        definitionChanged = true;
    }
    if (n.precisionValue != f.pPrecision) {
        f.pPrecision = n.precision;
        definitionChanged = true;
    }
    if (definitionChanged)
        alterSQL += alter::columnChange(t, f.Name, ColumnDefinition(f, false));

    f.CSValueList = pane.csValueList;
    if (pane.csValueListType >= 0)
        f.CSValueListType = qint16(pane.csValueListType == 1 ? 1 : pane.csValueListType == 2 ? 2 : 0);
    if (pane.parentTableIndex > 0) {
        f.ParentTable = pane.parentTable;
        if (pane.parentIDField)
            f.ParentIDField = *pane.parentIDField;
        if (pane.parentCaptionField)
            f.ParentCaptionField = *pane.parentCaptionField;
    } else if (pane.parentTableIndex == 0) {
        f.ParentTable.clear();
        f.ParentIDField.clear();
        f.ParentCaptionField.clear();
    }
    f.ColumnWidth = n.columnWidth;
    f.pHidden = pane.hidden;
    f.pNotFiltered = pane.notFiltered;
    f.pAllowImageUpload = pane.allowUploads;
    if (!f.pAllowImageUpload)
        f.pUploadFileTypes.clear();
    else if (pane.uploadFileTypes)
        f.pUploadFileTypes = *pane.uploadFileTypes;
    f.pDetailImage = pane.detailImage;
    f.pTableImage = pane.tableImage;
    f.pDetailLink = pane.detailLink;
    f.pTableLink = pane.tableLink;
    f.pMaxUploadSize = n.maxUploadSize;
    f.pDeleteFiles = pane.deleteFiles;
    f.pNoFileRename = pane.noFileRename;
    f.pReadOnly = pane.readOnly;
    f.pHideInDetailView = pane.hideInDetailView;
    f.pNumChars = n.numChars;
    f.pTextarea = pane.textarea;

    field = f;
    table.AlterSQL = alterSQL;
    table.pkChanged = pkChanged;
}

int fieldPictureAfterCommit(const MyField &field, bool parentTableChosen)
{
    if (parentTableChosen)
        return 5;
    if (field.pPrimaryKey)
        return 4;
    if (field.pTableImage || field.pDetailImage)
        return 6;
    return 3;
}

} // namespace tess
