#pragma once
// The rules a new name of the database, a table or a field must pass
// before the rename touches the model.
#include <QString>

namespace tess {

enum class NameKind { Database, TableOrField };

// Letters a to z (any case), digits and underscores, not beginning with a
// digit; a database name may also carry hyphens after its first character.
bool hasValidNameCharacters(const QString &name, NameKind kind);

// One of the MySQL keywords that a table or a field may not be called,
// compared without regard to letter case.
bool isReservedWord(const QString &name);

// The message shown for a name with characters outside its class.
QString invalidNameMessage();
// The message shown for a reserved word; it quotes the name as typed.
QString reservedWordMessage(const QString &name);

} // namespace tess
