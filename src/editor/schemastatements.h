#pragma once
// The pending schema statements that edits of a field queue in its
// table's AlterSQL, each ending ";;". t is the table's name, f the field's,
// def its column definition at the moment the statement is made.
#include <QString>

namespace tess::alter {

QString keyChange(const QString &t, const QString &f, const QString &def);
QString addIndex(const QString &t, const QString &f);
QString dropPrimaryKey(const QString &t);
QString addUnique(const QString &t, const QString &f);
QString dropIndex(const QString &t, const QString &f);
// The one statement that starts with a blank.
QString columnChange(const QString &t, const QString &f, const QString &def);
QString renameColumn(const QString &t, const QString &oldName, const QString &newName, const QString &def);
// A new field's column and a deleted field's.
QString addColumn(const QString &t, const QString &f, const QString &type);
QString dropColumn(const QString &t, const QString &f);

} // namespace tess::alter
