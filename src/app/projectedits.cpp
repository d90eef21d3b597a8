#include "app/projectedits.h"

#include "editor/schemastatements.h"
#include "model/constants.h"

namespace tess {

namespace {

// The first number from count + 1 on whose name no member bears. Names
// that differ only in letter case count as taken: the editor refuses such
// twins, and MySQL and file systems that ignore case see one name.
template <class Members>
int freeNumber(const Members &members, const QString &stem)
{
    int n = members.Count() + 1;
    for (;;) {
        const QString candidate = stem + QString::number(n);
        bool taken = false;
        for (const auto &m : members)
            if (m->Name.compare(candidate, Qt::CaseInsensitive) == 0)
                taken = true;
        if (!taken)
            return n;
        ++n;
    }
}

template <class Members>
int positionOf(const Members &members, const QString &name)
{
    int i = 0;
    for (const auto &m : members) {
        ++i;
        if (m->Name == name)
            return i;
    }
    return 0;
}

} // namespace

TablePtr addNewTable(MyDB &db)
{
    const int n = freeNumber(db.Tables, QStringLiteral("table"));
    return db.Tables.Add(QStringLiteral("Table ") + QString::number(n), QStringLiteral("table") + QString::number(n));
}

FieldPtr addNewField(MyTable &table)
{
    const int n = freeNumber(table.Fields, QStringLiteral("field"));
    int largest = -1;
    for (const auto &f : table.Fields)
        largest = std::max<int>(largest, f->Index);
    const QString name = QStringLiteral("field") + QString::number(n);
    FieldPtr field = table.Fields.Add({}, {}, {}, {}, QStringLiteral("Field ") + QString::number(n), name, false, false,
                                      Dt::Int, 0, 0, {}, false, false, false, false, false);
    table.AlterSQL += alter::addColumn(table.Name, name, QStringLiteral("INT"));
    field->Index = qint16(largest + 1);
    return field;
}

int tablePosition(const MyDB &db, const QString &name) { return positionOf(db.Tables, name); }

int fieldPosition(const MyTable &table, const QString &name) { return positionOf(table.Fields, name); }

void deleteTable(MyDB &db, int position)
{
    const TablePtr table = db.Tables.Item(position);
    table->Fields.Clear();
    db.Tables.Remove(position);
}

void deleteField(MyTable &table, int position)
{
    const FieldPtr field = table.Fields.Item(position);
    table.AlterSQL += alter::dropColumn(table.Name, field->Name);
    table.Fields.Remove(position);
}

bool moveField(MyTable &table, int position, int step)
{
    const int other = position + step;
    if (position < 1 || position > table.Fields.Count() || other < 1 || other > table.Fields.Count())
        return false;
    MyField &f = *table.Fields.Item(position);
    MyField &g = *table.Fields.Item(other);
    // The exchange goes through a scratch member of the table, which goes
    // again at the end.
    FieldPtr scratch = table.Fields.Add(f.CSValueList, f.ParentCaptionField, f.ParentIDField, f.ParentTable, f.Caption,
                                        f.Name + QStringLiteral("_copy"), f.pPrimaryKey, f.pUnique, f.pDataType,
                                        f.pLength, f.pPrecision, f.pDefault, f.pBinary, f.pNotNull, f.pAutoIncrement,
                                        f.pUnsigned, f.pZeroFill);
    CopyFieldProperties(f, *scratch, true, true);
    CopyFieldProperties(g, f, true, true);
    CopyFieldProperties(*scratch, g, true, true);
    table.Fields.Remove(table.Fields.Count());
    return true;
}

} // namespace tess
