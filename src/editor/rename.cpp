#include "editor/rename.h"
#include "editor/namerules.h"
#include "editor/schemastatements.h"
#include "model/columndefinition.h"
#include "platform/ui.h"

namespace tess {

namespace {

// Empty names, characters outside the name's class and (for tables and
// fields) reserved words are refused.
bool refused(const QString &name, NameKind kind, RenameOutcome &out)
{
    if (name.isEmpty()) {
        out.cancel = true;
        return true;
    }
    QString message;
    if (!hasValidNameCharacters(name, kind))
        message = invalidNameMessage();
    else if (kind == NameKind::TableOrField && isReservedWord(name))
        message = reservedWordMessage(name);
    if (message.isEmpty())
        return false;
    ui().messageBox(message, Mb::Exclamation | Mb::OkOnly);
    out.cancel = true;
    out.focusTree = true;
    return true;
}

QString capitalised(const QString &name)
{
    return name.left(1).toUpper() + name.mid(1);
}

void refuse(const QString &message, RenameOutcome &out)
{
    ui().messageBox(message, Mb::Exclamation | Mb::OkOnly);
    out.cancel = true;
}

} // namespace

RenameOutcome renameDatabase(MyDB &db, const QString &newName)
{
    RenameOutcome out;
    if (refused(newName, NameKind::Database, out))
        return out;
    db.DBName = newName;
    out.renamed = true;
    return out;
}

RenameOutcome renameTable(MyDB &db, const QString &tableName, const QString &newName)
{
    RenameOutcome out;
    if (refused(newName, NameKind::TableOrField, out))
        return out;
    const TablePtr table = findTable(db, tableName);
    if (!table) {
        out.cancel = true;
        return out;
    }
    out.table = table;
    if (newName == table->Name) {
        out.renamed = true;
        return out;
    }
    for (const TablePtr &t : db.Tables)
        if (t->Name.compare(newName, Qt::CaseInsensitive) == 0) {
            refuse(QStringLiteral("Table names must be unique"), out);
            return out;
        }
    for (const TablePtr &t : db.Tables)
        for (const FieldPtr &f : t->Fields)
            if (f->ParentTable == table->Name)
                f->ParentTable = newName;
    table->Name = newName;
    if (table->Caption.startsWith(QStringLiteral("Table ")))
        table->Caption = capitalised(newName);
    out.renamed = true;
    return out;
}

RenameOutcome renameField(MyDB &db, const QString &tableName, const QString &fieldName, const QString &newName)
{
    RenameOutcome out;
    if (refused(newName, NameKind::TableOrField, out))
        return out;
    const TablePtr table = findTable(db, tableName);
    const FieldPtr field = table ? findField(*table, fieldName) : FieldPtr();
    if (!field) {
        out.cancel = true;
        return out;
    }
    for (const FieldPtr &f : table->Fields)
        if (f->Name != field->Name && f->Name.compare(newName, Qt::CaseInsensitive) == 0) {
            refuse(QStringLiteral("Field names must be unique"), out);
            return out;
        }
    // Made first: a definition that fails leaves the model as it was.
    const QString def = ColumnDefinition(*field, false);
    const QString oldName = field->Name;
    for (const TablePtr &t : db.Tables)
        for (const FieldPtr &f : t->Fields) {
            if (f->ParentTable != table->Name)
                continue;
            if (f->ParentCaptionField == oldName)
                f->ParentCaptionField = newName;
            if (f->ParentIDField == oldName)
                f->ParentIDField = newName;
        }
    field->Name = newName;
    if (field->Caption.startsWith(QStringLiteral("Field ")))
        field->Caption = capitalised(newName);
    table->AlterSQL += alter::renameColumn(table->Name, oldName, newName, def);
    out.renamed = true;
    out.table = table;
    out.field = field;
    return out;
}

} // namespace tess
