#include "model/project.h"

namespace tess {

FieldPtr MyFields::Add(const QString &CSValueList, const QString &ParentCaptionField,
                              const QString &ParentIDField, const QString &ParentTable,
                              const QString &Caption, const QString &Name, bool PrimaryKey, bool Unique,
                              qint32 DataType, qint16 Length, qint16 Precision, const QString &Default,
                              bool Binary, bool NotNull, bool AutoIncrement, bool Unsigned, bool ZeroFill,
                              const QString &sKey)
{
    return Add({.Name = Name,
                .Caption = Caption,
                .ParentTable = ParentTable,
                .ParentIDField = ParentIDField,
                .ParentCaptionField = ParentCaptionField,
                .CSValueList = CSValueList,
                .pPrimaryKey = PrimaryKey,
                .pUnique = Unique,
                .pDataType = DataType,
                .pLength = Length,
                .pPrecision = Precision,
                .pDefault = Default,
                .pBinary = Binary,
                .pNotNull = NotNull,
                .pAutoIncrement = AutoIncrement,
                .pUnsigned = Unsigned,
                .pZeroFill = ZeroFill},
               sKey);
}

FieldPtr MyFields::Add(MyField field, const QString &sKey)
{
    if (field.pUploadFileTypes.isEmpty())
        field.pUploadFileTypes = QStringLiteral("jpg|jpeg|gif|png");
    return append(std::make_shared<MyField>(std::move(field)), sKey);
}

TablePtr MyTables::Add(const QString &Caption, const QString &Name, const QString &sKey)
{
    auto t = std::make_shared<MyTable>();
    t->Caption = Caption;
    t->Name = Name;
    t->AllowSelection = true;
    t->AllowUpdate = true;
    t->AllowInsert = true;
    t->AllowDelete = true;
    t->AllowPrint = true;
    t->AllowSorting = true;
    t->AllowFilters = true;
    t->FilterCount = 10;
    t->RecordsPerPage = 10;
    t->DetailViewLabel = QStringLiteral("Detail View");
    t->QuickSearch = 3;
    return append(std::move(t), sKey);
}

void CopyFieldProperties(const MyField &s, MyField &d, bool copyIdentity, bool copyLookup)
{
    d.ColumnWidth = s.ColumnWidth;
    d.CSValueList = s.CSValueList;
    d.CSValueListType = s.CSValueListType;
    d.pUnique = s.pUnique;
    d.pDataType = s.pDataType;
    d.pLength = s.pLength;
    d.pPrecision = s.pPrecision;
    d.pDefault = s.pDefault;
    d.pBinary = s.pBinary;
    d.pNotNull = s.pNotNull;
    d.pAutoIncrement = s.pAutoIncrement;
    d.pUnsigned = s.pUnsigned;
    d.pZeroFill = s.pZeroFill;
    d.pHidden = s.pHidden;
    d.pNotFiltered = s.pNotFiltered;
    d.pTableImage = s.pTableImage;
    d.pDetailImage = s.pDetailImage;
    d.pTableLink = s.pTableLink;
    d.pDetailLink = s.pDetailLink;
    d.pAllowImageUpload = s.pAllowImageUpload;
    d.pUploadFileTypes = s.pUploadFileTypes;
    d.pMaxUploadSize = s.pMaxUploadSize;
    d.pHideInDetailView = s.pHideInDetailView;
    d.pReadOnly = s.pReadOnly;
    d.pNumChars = s.pNumChars;
    d.pDeleteFiles = s.pDeleteFiles;
    d.pNoFileRename = s.pNoFileRename;
    d.pTextarea = s.pTextarea;
    if (copyIdentity) {
        d.Name = s.Name;
        d.Caption = s.Caption;
        d.Index = s.Index;
        d.pPrimaryKey = s.pPrimaryKey;
    }
    if (copyIdentity || copyLookup) {
        d.ParentTable = s.ParentTable;
        d.ParentIDField = s.ParentIDField;
        d.ParentCaptionField = s.ParentCaptionField;
    }
}

TablePtr findTable(const MyDB &db, const QString &name)
{
    for (const TablePtr &t : db.Tables)
        if (t->Name == name)
            return t;
    return {};
}

FieldPtr findField(const MyTable &table, const QString &name)
{
    for (const FieldPtr &f : table.Fields)
        if (f->Name == name)
            return f;
    return {};
}

void ResetProject(MyDB &db)
{
    db.DBName = QStringLiteral("new_db");
    db.Server = QStringLiteral("localhost");
    db.UserName.clear();
    db.Password.clear();
    db.StyleSheetFile.clear();
    db.HideNavMenu = false;
    db.ScrollStyle = 0;
    db.DateFormat = 3;
    db.DateSeparator = 4;
    // An editor may still hold a table: leave it without fields too.
    for (const auto &t : db.Tables)
        t->Fields.Clear();
    db.Tables.Clear();
}

} // namespace tess
