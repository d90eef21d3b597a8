#pragma once
// Renaming the database, a table or a field: the name rules, the
// uniqueness of names, the lookups that follow a renamed table or field,
// the default captions, and the schema statement of a renamed field.
// Refusals are told to the user here; the tree is the caller's.
#include "model/project.h"

#include <QString>

namespace tess {

struct RenameOutcome {
    bool cancel = false;      // the label keeps its old text
    bool focusTree = false;   // the name broke a rule: back to the tree
    bool renamed = false;     // the model changed: the tree is to be rebuilt
    TablePtr table;           // a renamed field and its table, to select
    FieldPtr field;
};

RenameOutcome renameDatabase(MyDB &db, const QString &newName);
// The table and the field are found by the texts of their nodes; a node
// that stands for no model object refuses the rename.
RenameOutcome renameTable(MyDB &db, const QString &tableName, const QString &newName);
RenameOutcome renameField(MyDB &db, const QString &tableName, const QString &fieldName, const QString &newName);

} // namespace tess
