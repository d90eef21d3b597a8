#pragma once
// The settings of the project file (.tzx): the element of each database,
// table and field setting, the member of the project it holds and the kind
// of its text. The reader (model/xmlreader) looks elements up here and the
// writer (converter/projectwriter) walks these lists, so that a setting is
// named once for both.
//
// Each list is in the order the writer puts the elements, which a saved file
// must keep byte for byte; the reader tries the element after the previous
// match first, so the same order keeps its lookups at their first guess.
//
// What is no setting stays with the reader and the writer: the database,
// table and field elements themselves (and which nodes count as one), the
// placeholders a table or field starts from when read, and the place of the
// fields after their table's settings. Members without an element here
// (MyDB::DBType, MyTable::AlterSQL, MyTable::pkChanged) are never saved.
#include "model/project.h"

#include <QtGlobal>
#include <string_view>

namespace tess {

// The member's type and how the element's text stands for its value. The
// writer puts every number in plain decimal digits; the kinds of a type
// differ in what the reader accepts.
enum class ElementKind : quint8 {
    Text,             // QString: the text as it is
    Flag,             // bool: "True" or "False" (or any text a boolean converts from)
    Number16,         // qint16: the whole text is the number
    OptionalNumber16, // qint16: as Number16, but an empty element reads 0 (scrollStyle)
    Leading16,        // qint16: the leading number of the text, blanks anywhere ignored
    ListType16,       // qint16: as Leading16; one outside 0..2 names no kind of list and reads 0
    Leading32,        // qint32: as Leading16
    TextOrZero,       // Variant: its text; read, an empty text is the number 0 and any other stays text
};

template <typename Record>
struct ProjectElement {
    // A literal, so that the name is NUL-terminated beyond its size.
    std::string_view name;
    ElementKind kind;
    // The member of the kind's type; the others are not in use.
    union {
        QString Record::*text;
        bool Record::*flag;
        qint16 Record::*int16;
        qint32 Record::*int32;
        Variant Record::*variant;
    };

    // Every list is built when compiling, where a kind that does not fit the
    // member's type stops the build.
    consteval ProjectElement(std::string_view n, ElementKind k, QString Record::*m) : name(n), kind(k), text(m)
    {
        fits(k == ElementKind::Text);
    }
    consteval ProjectElement(std::string_view n, ElementKind k, bool Record::*m) : name(n), kind(k), flag(m)
    {
        fits(k == ElementKind::Flag);
    }
    consteval ProjectElement(std::string_view n, ElementKind k, qint16 Record::*m) : name(n), kind(k), int16(m)
    {
        fits(k == ElementKind::Number16 || k == ElementKind::OptionalNumber16 || k == ElementKind::Leading16
             || k == ElementKind::ListType16);
    }
    consteval ProjectElement(std::string_view n, ElementKind k, qint32 Record::*m) : name(n), kind(k), int32(m)
    {
        fits(k == ElementKind::Leading32);
    }
    consteval ProjectElement(std::string_view n, ElementKind k, Variant Record::*m) : name(n), kind(k), variant(m)
    {
        fits(k == ElementKind::TextOrZero);
    }

private:
    static consteval void fits(bool kindFitsMember)
    {
        if (!kindFitsMember)
            throw "the element's kind does not fit the type of its member";
    }
};

// The settings below the database element, before its tables.
inline constexpr ProjectElement<MyDB> databaseElements[] = {
    {"databaseName", ElementKind::Text, &MyDB::DBName},
    {"databaseUser", ElementKind::Text, &MyDB::UserName},
    {"databasePassword", ElementKind::Text, &MyDB::Password},
    {"databaseServer", ElementKind::Text, &MyDB::Server},
    {"hideNavMenu", ElementKind::Flag, &MyDB::HideNavMenu},
    {"styleSheetFile", ElementKind::Text, &MyDB::StyleSheetFile},
    {"scrollStyle", ElementKind::OptionalNumber16, &MyDB::ScrollStyle},
    {"dateFormat", ElementKind::TextOrZero, &MyDB::DateFormat},
    {"dateSeparator", ElementKind::TextOrZero, &MyDB::DateSeparator},
};

// The settings below a table element, before its fields; the order is the
// files', not the members'.
inline constexpr ProjectElement<MyTable> tableElements[] = {
    {"name", ElementKind::Text, &MyTable::Name},
    {"allowInsert", ElementKind::Flag, &MyTable::AllowInsert},
    {"allowUpdate", ElementKind::Flag, &MyTable::AllowUpdate},
    {"allowCSV", ElementKind::Flag, &MyTable::AllowCSV},
    {"allowDelete", ElementKind::Flag, &MyTable::AllowDelete},
    {"allowFilters", ElementKind::Flag, &MyTable::AllowFilters},
    {"allowPrint", ElementKind::Flag, &MyTable::AllowPrint},
    {"allowSavingFilters", ElementKind::Flag, &MyTable::AllowSavingFilters},
    {"allowSelection", ElementKind::Flag, &MyTable::AllowSelection},
    {"allowSorting", ElementKind::Flag, &MyTable::AllowSorting},
    {"caption", ElementKind::Text, &MyTable::Caption},
    {"detailViewLabel", ElementKind::Text, &MyTable::DetailViewLabel},
    {"hideTableView", ElementKind::Flag, &MyTable::HideTableView},
    {"quickSearch", ElementKind::Number16, &MyTable::QuickSearch},
    {"recordsPerPage", ElementKind::Number16, &MyTable::RecordsPerPage},
    {"redirectAfterInsert", ElementKind::Text, &MyTable::RedirectAfterInsert},
    {"filterCount", ElementKind::Number16, &MyTable::FilterCount},
};

// The settings below a field element; the files' order too (caption before
// name, index near the end).
inline constexpr ProjectElement<MyField> fieldElements[] = {
    {"caption", ElementKind::Text, &MyField::Caption},
    {"name", ElementKind::Text, &MyField::Name},
    {"dataType", ElementKind::Leading32, &MyField::pDataType},
    {"length", ElementKind::Leading16, &MyField::pLength},
    {"precision", ElementKind::Leading16, &MyField::pPrecision},
    {"autoIncrement", ElementKind::Flag, &MyField::pAutoIncrement},
    {"binary", ElementKind::Flag, &MyField::pBinary},
    {"notNull", ElementKind::Flag, &MyField::pNotNull},
    {"primaryKey", ElementKind::Flag, &MyField::pPrimaryKey},
    {"unique", ElementKind::Flag, &MyField::pUnique},
    {"unsigned", ElementKind::Flag, &MyField::pUnsigned},
    {"zeroFill", ElementKind::Flag, &MyField::pZeroFill},
    {"default", ElementKind::Text, &MyField::pDefault},
    {"columnWidth", ElementKind::Leading16, &MyField::ColumnWidth},
    {"maxLengthInTableView", ElementKind::Leading16, &MyField::pNumChars},
    {"allowImageUpload", ElementKind::Flag, &MyField::pAllowImageUpload},
    {"tableImage", ElementKind::Flag, &MyField::pTableImage},
    {"detailImage", ElementKind::Flag, &MyField::pDetailImage},
    {"tableLink", ElementKind::Flag, &MyField::pTableLink},
    {"detailLink", ElementKind::Flag, &MyField::pDetailLink},
    {"maxUploadSize", ElementKind::Leading32, &MyField::pMaxUploadSize},
    {"allowedFileTypes", ElementKind::Text, &MyField::pUploadFileTypes},
    {"deleteFiles", ElementKind::Flag, &MyField::pDeleteFiles},
    {"noFileRename", ElementKind::Flag, &MyField::pNoFileRename},
    {"parentCaptionField", ElementKind::Text, &MyField::ParentCaptionField},
    {"parentIDField", ElementKind::Text, &MyField::ParentIDField},
    {"parentTable", ElementKind::Text, &MyField::ParentTable},
    {"CSValueList", ElementKind::Text, &MyField::CSValueList},
    {"CSValueListType", ElementKind::ListType16, &MyField::CSValueListType},
    {"hidden", ElementKind::Flag, &MyField::pHidden},
    {"hideInDetailView", ElementKind::Flag, &MyField::pHideInDetailView},
    {"notFiltered", ElementKind::Flag, &MyField::pNotFiltered},
    {"readOnly", ElementKind::Flag, &MyField::pReadOnly},
    // Kept as the file says: positions are not renumbered on reading.
    {"index", ElementKind::Leading16, &MyField::Index},
    {"textarea", ElementKind::Flag, &MyField::pTextarea},
};

} // namespace tess
