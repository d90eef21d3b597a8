#pragma once
// The MySQL column definition of a field, as it follows the back-quoted
// column name in CREATE TABLE and ALTER TABLE statements, and the quoting
// that makes a text safe inside a quoted literal.
#include "model/project.h"

#include <QString>

namespace tess {

// Type, length and precision, unsigned, zerofill, binary, not null, default
// and auto_increment, in that order, always ending with one blank. Decimal
// and character types without a length get length 1 stored into the field.
// A data-type code outside 0..30 raises error 9 and returns nothing.
QString ColumnDefinition(MyField &field, bool omitAutoIncrement);

// Every backslash, double quote and single quote prefixed by a backslash.
QString EscapeQuoted(const QString &value);

} // namespace tess
