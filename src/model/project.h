#pragma once
// The project in memory: database settings, tables, fields. Plain records
// with public members; only the collections and CopyFieldProperties act.
#include "model/collection.h"
#include "platform/variant.h"

#include <QString>
#include <memory>

namespace tess {

struct MyField {
    QString Name;
    QString Caption;
    qint16 Index = 0;
    QString ParentTable;
    QString ParentIDField;
    QString ParentCaptionField;
    QString CSValueList;
    qint16 CSValueListType = 0;
    bool pPrimaryKey = false;
    bool pUnique = false;
    qint32 pDataType = 0;
    qint16 pLength = 0;
    qint16 pPrecision = 0;
    QString pDefault;
    bool pBinary = false;
    bool pNotNull = false;
    bool pAutoIncrement = false;
    bool pUnsigned = false;
    bool pZeroFill = false;
    qint16 ColumnWidth = 0;
    bool pHidden = false;
    bool pNotFiltered = false;
    bool pTableImage = false;
    bool pDetailImage = false;
    bool pTableLink = false;
    bool pDetailLink = false;
    bool pAllowImageUpload = false;
    QString pUploadFileTypes;
    qint32 pMaxUploadSize = 0;
    bool pHideInDetailView = false;
    bool pReadOnly = false;
    qint16 pNumChars = 0;
    bool pDeleteFiles = false;
    bool pNoFileRename = false;
    bool pTextarea = false;
};
using FieldPtr = std::shared_ptr<MyField>;

class MyFields : public Collection<MyField> {
public:
    // All 17 leading parameters in this order; the display and upload
    // options get their defaults.
    FieldPtr Add(const QString &CSValueList, const QString &ParentCaptionField,
                        const QString &ParentIDField, const QString &ParentTable, const QString &Caption,
                        const QString &Name, bool PrimaryKey, bool Unique, qint32 DataType, qint16 Length,
                        qint16 Precision, const QString &Default, bool Binary, bool NotNull,
                        bool AutoIncrement, bool Unsigned, bool ZeroFill, const QString &sKey = {});
    // The field as given, members named in declaration order:
    //   t.Fields.Add({.Name = QStringLiteral("id"), .pPrimaryKey = true, .pDataType = Dt::Int});
    // As in the other form, a field that names no file types for uploads
    // gets the picture types; Index stays as given (neither form numbers
    // the fields).
    FieldPtr Add(MyField field, const QString &sKey = {});
};

struct MyTable {
    QString Name;
    QString Caption;
    MyFields Fields;
    bool AllowSelection = false;
    bool AllowUpdate = false;
    bool AllowInsert = false;
    bool AllowDelete = false;
    bool AllowPrint = false;
    bool AllowSorting = false;
    bool AllowFilters = false;
    bool AllowSavingFilters = false;
    qint16 FilterCount = 0;
    qint16 RecordsPerPage = 0;
    bool HideTableView = false;
    QString DetailViewLabel;
    qint16 QuickSearch = 0;
    bool AllowCSV = false;
    QString RedirectAfterInsert;
    QString AlterSQL;
    bool pkChanged = false;
};
using TablePtr = std::shared_ptr<MyTable>;

class MyTables : public Collection<MyTable> {
public:
    // Note the order: Caption first.
    TablePtr Add(const QString &Caption, const QString &Name, const QString &sKey = {});
};

struct MyDB {
    QString DBName;
    QString UserName;
    QString Password;
    QString Server;
    QString DBType;
    bool HideNavMenu = false;
    QString StyleSheetFile;
    qint16 ScrollStyle = 0;
    Variant DateFormat;
    Variant DateSeparator;
    MyTables Tables;
};
using DBPtr = std::shared_ptr<MyDB>;

// Copies the options of source onto destination; identity (Name, Caption,
// Index, pPrimaryKey) and lookup members only when asked.
void CopyFieldProperties(const MyField &source, MyField &destination, bool copyIdentity, bool copyLookup);

// The first table or field of that name (exact case), or none.
TablePtr findTable(const MyDB &db, const QString &name);
FieldPtr findField(const MyTable &table, const QString &name);

// What the New command stores into a project: defaults, no tables.
void ResetProject(MyDB &db);

} // namespace tess
