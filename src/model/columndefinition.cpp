#include "model/columndefinition.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"

namespace tess {

namespace {

// "not null " and the default, shared by every family.
void appendNotNullAndDefault(QString &out, const MyField &f)
{
    if (f.pNotNull || f.pPrimaryKey)
        out += QStringLiteral("not null ");
    if (!f.pDefault.isEmpty())
        out += QStringLiteral("default '") + EscapeQuoted(f.pDefault) + QStringLiteral("' ");
}

void appendUnsignedZeroFill(QString &out, const MyField &f)
{
    if (f.pUnsigned)
        out += QStringLiteral("unsigned ");
    if (f.pZeroFill)
        out += QStringLiteral("zerofill ");
}

} // namespace

QString ColumnDefinition(MyField &field, bool omitAutoIncrement)
{
    const qint32 code = field.pDataType;
    if (code < 0 || code >= qint32(DataTypeNames.size()))
        raise(Err::SubscriptOutOfRange);

    QString out = DataTypeNames[size_t(code)];
    if (code <= Dt::BigInt) {
        // Code 0 (no type chosen) is treated like an integer type.
        if (field.pLength >= 1)
            out += u'(' + QString::number(field.pLength) + u')';
        out += u' ';
        appendUnsignedZeroFill(out, field);
        appendNotNullAndDefault(out, field);
        if (field.pAutoIncrement && !omitAutoIncrement)
            out += QStringLiteral("auto_increment ");
    } else if (code <= Dt::Decimal) {
        // MySQL needs a length before the precision; 1 is the smallest.
        if (field.pLength < 1)
            field.pLength = 1;
        out += u'(' + QString::number(field.pLength) + u',' + QString::number(field.pPrecision) + u')';
        out += u' ';
        appendUnsignedZeroFill(out, field);
        appendNotNullAndDefault(out, field);
    } else if (code == Dt::Char || code == Dt::VarChar) {
        if (field.pLength < 1)
            field.pLength = 1;
        out += u'(' + QString::number(field.pLength) + u')';
        out += u' ';
        if (field.pBinary)
            out += QStringLiteral("binary ");
        appendNotNullAndDefault(out, field);
    } else {
        out += u' ';
        appendNotNullAndDefault(out, field);
    }
    return out;
}

QString EscapeQuoted(const QString &value)
{
    QString out = value;
    // Backslashes first, so that the ones added below stay single.
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'"', QStringLiteral("\\\""));
    out.replace(u'\'', QStringLiteral("\\'"));
    return out;
}

} // namespace tess
