#include "app/validateproject.h"

#include "editor/namerules.h"
#include "model/constants.h"

#include <QHash>

namespace tess {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A code outside the known types counts as none chosen: every check then
// treats the field as the user left it, and check 13 names it.
qint32 typeOf(const MyField &f) { return f.pDataType >= Dt::TinyInt && f.pDataType <= Dt::LongText ? f.pDataType : 0; }

// A table or field name as the editor's renaming accepts its characters.
// Reserved words are the editor's concern only: MySQL takes them quoted,
// and projects use them.
bool isValidName(const QString &name)
{
    return !name.isEmpty() && hasValidNameCharacters(name, NameKind::TableOrField);
}

// The parent tables of the lookups by name, the first of each name as the
// scan in collection order finds it: scanning every table for every lookup
// field made the checks grow with the square of the tables.
class TableIndex {
public:
    explicit TableIndex(const MyDB &db) : m_db(db)
    {
        m_byName.reserve(db.Tables.Count());
        for (const TablePtr &t : db.Tables)
            if (!m_byName.contains(t->Name))
                m_byName.insert(t->Name, t);
    }
    // The message loop runs between the fields, so an edit may have renamed
    // a table since the index was made: a hit is confirmed, a miss scanned.
    TablePtr find(const QString &name) const
    {
        const auto it = m_byName.constFind(name);
        if (it != m_byName.cend() && (*it)->Name == name)
            return *it;
        return findTable(m_db, name);
    }

private:
    const MyDB &m_db;
    QHash<QString, TablePtr> m_byName;
};

QString fieldRef(const MyTable &t, const MyField &f) { return t.Name + u'.' + f.Name; }

QString invalidName(const QString &name, const MyTable &t)
{
    return QStringLiteral("The name '") + name + QStringLiteral("' in table '") + t.Name
        + QStringLiteral("' is not valid. Database, table and field names can only contain alphanumeric characters and underscores.");
}

// The checks of one field; returns the message of the first that fails, or
// the empty text.
QString checkField(const TableIndex &tables, const MyTable &t, MyField &f, int &primaryKeys, int &autoIncrements, int &visible,
                   bool &anyImageUpload)
{
    const QString ref = fieldRef(t, f);
    const QString field = QStringLiteral("Field '") + ref;
    const qint32 type = typeOf(f);
    const bool lookup = !f.ParentTable.isEmpty();

    // A name that reaches PHP and file names unchecked breaks the pages or
    // writes outside the output folder.
    if (!isValidName(f.Name))
        return invalidName(f.Name, t);
    if (lookup) {
        for (const QString *name : {&f.ParentTable, &f.ParentIDField, &f.ParentCaptionField})
            if ((name == &f.ParentTable || !name->isEmpty()) && !isValidName(*name))
                return invalidName(*name, t);
    }

    if (f.pPrimaryKey) {
        ++primaryKeys;
        if (lookup)
            return field + QStringLiteral("' cannot be a primary key and a foreign key at the same time.");
        if (!f.CSValueList.isEmpty())
            return field + QStringLiteral("' cannot be a primary key and a value list at the same time.");
        if (isBlobOrText(type))
            return field + QStringLiteral("' cannot be a primary key while having a BLOB or TEXT data type.") + kCrLf
                + QStringLiteral("Please either change its data type or specify another primary key field.");
    }

    if (lookup) {
        if (!f.CSValueList.isEmpty())
            return field + QStringLiteral("' cannot be a foreign key and a value list at the same time.");
        if (f.pUnique)
            return field + QStringLiteral("' cannot be a foreign key and a unique field at the same time.");
        if (f.pAutoIncrement)
            return field + QStringLiteral("' cannot be a foreign key and an auto-increment field at the same time.");
        if (f.ParentIDField.isEmpty())
            return field
                + QStringLiteral("' has a parent table but no parent id field. You must specify a parent id field.");
        if (f.ParentCaptionField.isEmpty())
            f.ParentCaptionField = f.ParentIDField;
        // The generated pages query the parent on every request.
        const TablePtr parent = tables.find(f.ParentTable);
        const FieldPtr parentId = parent ? findField(*parent, f.ParentIDField) : FieldPtr();
        const FieldPtr parentCaption = parent ? findField(*parent, f.ParentCaptionField) : FieldPtr();
        if (!parentId || !parentCaption)
            return QStringLiteral("The field '") + ref + QStringLiteral("' refers to a missing parent table or field.");
        if (typeOf(*parentId) != type)
            return QStringLiteral("The data type of the field '") + ref
                + QStringLiteral("' doesn't match that of its parent ID field '") + fieldRef(*parent, *parentId)
                + QStringLiteral("'.");
    }

    if (f.pAutoIncrement) {
        ++autoIncrements;
        if (type > Dt::BigInt)
            return QStringLiteral("AutoIncrement fields can be only be of integer data types. The data type of the field '")
                + ref + QStringLiteral("' is not an integer.");
    }

    if (!f.pHidden)
        ++visible;
    if (type == 0)
        return field + QStringLiteral("' has no data type. Please choose a data type for that field");

    if (f.pTableImage || f.pDetailImage) {
        const QString image = QStringLiteral("In order for the field '") + ref + QStringLiteral("' to be used as an image, ");
        if (!lookup) {
            const bool text = type == Dt::VarChar || type == Dt::Char;
            if (!text || f.pLength < 30)
                return image + QStringLiteral("it must have a data type of 'Char' or 'VarChar', and have a length of at least 30.");
        } else if (!f.ParentCaptionField.isEmpty()) {
            const TablePtr parent = tables.find(f.ParentTable);
            const FieldPtr caption = findField(*parent, f.ParentCaptionField);
            const qint32 captionType = typeOf(*caption);
            if (captionType != Dt::Char && captionType != Dt::VarChar)
                return image + QStringLiteral("its parent caption field '") + fieldRef(*parent, *caption)
                    + QStringLiteral("' must have a data type of 'Char' or 'VarChar'.");
            if (f.pDetailImage)
                return QStringLiteral("The field '") + ref
                    + QStringLiteral("' can't be a foreign key and a detail view image simultaneously.");
            if (f.pAllowImageUpload)
                return QStringLiteral("The field '") + ref
                    + QStringLiteral("' can't be a foreign key and an image uploader simultaneously.");
        }
        if (!f.CSValueList.isEmpty())
            return image + QStringLiteral("it can't have a value list defined.");
    }

    if (isBlobOrText(type) && !f.pDefault.isEmpty())
        return field + QStringLiteral("' can't have a default value because its data type is BLOB or TEXT.");

    if (f.pAllowImageUpload)
        anyImageUpload = true;
    return {};
}

QString checkTable(const TableIndex &tables, MyTable &t, GenerationHost &log, bool &anyImageUpload)
{
    if (!isValidName(t.Name))
        return invalidName(t.Name, t);
    if (t.Fields.Count() == 0)
        return QStringLiteral("Table '") + t.Name + QStringLiteral("' has no fields.");
    if (t.HideTableView && !t.AllowSelection)
        return QStringLiteral("You can't choose to simultaneously hide the table view for") + kCrLf
            + QStringLiteral("table '") + t.Name
            + QStringLiteral("' and disable its detail view. This will lead to an empty page.");

    int primaryKeys = 0;
    int autoIncrements = 0;
    int visible = 0;
    FieldPtr primaryKey;
    for (const auto &f : t.Fields) {
        log.processEvents();
        const QString problem = checkField(tables, t, *f, primaryKeys, autoIncrements, visible, anyImageUpload);
        if (!problem.isEmpty())
            return problem;
        if (f->pPrimaryKey)
            primaryKey = f;
    }

    if (primaryKeys == 0)
        return QStringLiteral("Table '") + t.Name
            + QStringLiteral("' has no primary keys. Please mark one of its fields as primary or create a new primary key.");
    if (primaryKeys > 1)
        return QStringLiteral("Table '") + t.Name
            + QStringLiteral("' has too many primary keys. Only one primary key is allowed per table.");
    primaryKey->pNotNull = false;
    primaryKey->pUnique = false;
    if (autoIncrements > 1)
        return QStringLiteral("Table '") + t.Name
            + QStringLiteral("' has more than one auto increment fields. Only one auto increment field is allowed per table.");
    if (visible == 0)
        return QStringLiteral("All the fields in the table '") + t.Name
            + QStringLiteral("' are hidden fields. At least one field must not be hidden.");
    return {};
}

} // namespace

bool ValidateProject(MyDB &db, GenerationHost &log, bool &anyImageUpload)
{
    const TableIndex tables(db);
    QString problem;
    if (db.Tables.Count() == 0)
        problem = QStringLiteral("The database has no tables.");
    for (const auto &t : db.Tables) {
        if (!problem.isEmpty())
            break;
        problem = checkTable(tables, *t, log, anyImageUpload);
    }
    if (problem.isEmpty())
        return true;
    log.appendLog(problem);
    return false;
}

} // namespace tess
