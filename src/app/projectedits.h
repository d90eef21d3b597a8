#pragma once
// What the table and field commands do to the project, apart from the
// editor's tree: new tables and fields with their numbered names, deleting
// them, moving a field one place. Positions are 1-based.
#include "model/project.h"

namespace tess {

// New Table: "table" + N with N from the table count plus one, past every
// number whose name is taken (in any letter case); caption "Table " + N.
TablePtr addNewTable(MyDB &db);

// New Field: "field" + N in the table, numbered like tables; an INT column
// whose ADD statement is queued in the table's AlterSQL; its Index is one
// more than the largest of the table.
FieldPtr addNewField(MyTable &table);

// The position of the first table or field of that name (exact case), or 0.
int tablePosition(const MyDB &db, const QString &name);
int fieldPosition(const MyTable &table, const QString &name);

// Removes the table with its fields. No schema statement.
void deleteTable(MyDB &db, int position);
// Queues the field's DROP statement in its table and removes it.
void deleteField(MyTable &table, int position);

// Exchanges the field at position with its neighbour (step -1 up, +1
// down): everything they hold changes place, the key and the lookup with
// it, the two objects keep their places. False when there is no neighbour.
bool moveField(MyTable &table, int position, int step);

} // namespace tess
