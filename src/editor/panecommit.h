#pragma once
// What the editor's panes hold, as plain values, and how a commit copies
// them into the model. The windows read their controls into these; the
// rules of each commit live here, away from any widget.
#include "model/project.h"

#include <QString>
#include <optional>

namespace tess {

struct DbPaneValues {
    QString server, userName, password, dbName;
    bool hideNavMenu = false;
    QString styleSheetFile;
    int scrollStyle = -1;        // index of the first selected option, -1 none
    int dateFormatIndex = -1;    // list indexes, -1 no selection
    int dateSeparatorIndex = -1;
};

// Copies the pane into the project; DBType and the tables stay. Returns
// whether the style file must be loaded: the pane names one that the
// project did not name before.
bool applyDbPane(const DbPaneValues &pane, MyDB &db);

struct TablePaneValues {
    QString caption;
    bool allowDelete = false, allowFilters = false, allowInsert = false, allowPrint = false,
         allowSelection = false, allowSorting = false, allowUpdate = false, hideTableView = false;
    QString detailViewLabel;
    bool allowCSV = false;
    QString recordsPerPage;      // the box's text
    int quickSearchIndex = -1;   // -1: nothing selected, the stored place stays
    bool allowSavingFilters = false;
    QString redirectAfterInsert;
};

// Copies the pane into the table; name, fields, filter count and the
// pending schema changes stay. A records-per-page text beyond a 16-bit
// number keeps the stored value.
void applyTablePane(const TablePaneValues &pane, MyTable &table);

struct FieldPaneValues {
    QString caption;
    bool primaryKey = false, autoIncrement = false, binary = false, unique = false, isUnsigned = false,
         zeroFill = false, notNull = false;
    int dataTypeIndex = -1;      // -1: no type selected, the stored one stays
    QString defaultText;
    QString length, precision;   // the boxes' texts
    QString csValueList;
    int csValueListType = 0;     // the selected option button; -1 none: the stored type stays
    int parentTableIndex = -1;   // -1: nothing selected, the lookup stays; 0: no lookup
    QString parentTable;
    std::optional<QString> parentIDField, parentCaptionField; // none selected: stays
    QString columnWidth;
    bool hidden = false, notFiltered = false, allowUploads = false;
    std::optional<QString> uploadFileTypes; // the selected group; none selected: stays
    bool detailImage = false, tableImage = false, detailLink = false, tableLink = false;
    QString maxUploadSize;
    bool deleteFiles = false, noFileRename = false, readOnly = false, hideInDetailView = false;
    QString numChars;
    bool textarea = false;
};

// Copies the pane into the field and queues in the table the schema
// statements of every change of keys or column definition. All or
// nothing: every number is converted and checked first, and a failure
// (error 6 for a number out of range, error 9 for a stored data type the
// definition cannot name) leaves field and table as they were.
void applyFieldPane(const FieldPaneValues &pane, MyTable &table, MyField &field);

// The picture of a field's node right after its commit: a chosen parent
// table first, then the primary key, then an image display.
int fieldPictureAfterCommit(const MyField &field, bool parentTableChosen);

} // namespace tess
