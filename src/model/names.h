#pragma once
// The rule that database, table and field names follow: what the editor's
// renaming accepts and what Generate insists on before it writes a file.
#include <QString>

namespace tess {

// Letters, digits and underscores, not beginning with a digit; a database
// name may also hold hyphens after its first character. The letters are
// a to z in either case.
bool hasValidNameCharacters(const QString &name, bool databaseName);

// A MySQL word that tables and fields may not be named (any letter case).
bool isReservedWord(const QString &name);

// A table or field name the editor would accept: not empty, valid
// characters, no reserved word.
bool isValidTableOrFieldName(const QString &name);

} // namespace tess
