#include "model/columndefinition.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"

#include <algorithm>

namespace tess {

namespace {

// "not null " and the default, shared by every family.
void appendNotNullAndDefault(QString &out, const MyField &f)
{
    if (f.pNotNull || f.pPrimaryKey)
        out += QStringLiteral("not null ");
    if (!f.pDefault.isEmpty()) {
        out += u"default '";
        out += EscapeQuoted(f.pDefault);
        out += u"' ";
    }
}

void appendUnsignedZeroFill(QString &out, const MyField &f)
{
    if (f.pUnsigned)
        out += QStringLiteral("unsigned ");
    if (f.pZeroFill)
        out += QStringLiteral("zerofill ");
}

// "(length)" or "(length,precision)"
void appendNumbers(QString &out, qint16 length, const qint16 *precision = nullptr)
{
    out += u'(';
    out += QString::number(length);
    if (precision) {
        out += u',';
        out += QString::number(*precision);
    }
    out += u')';
}

} // namespace

QString ColumnDefinition(MyField &field, bool omitAutoIncrement)
{
    const qint32 code = field.pDataType;
    if (code < 0 || code >= qint32(DataTypeNames.size()))
        raise(Err::SubscriptOutOfRange);

    // One allocation for the whole definition: generating a large project
    // builds tens of thousands of these.
    QString out;
    out.reserve(64 + field.pDefault.size() * 2);
    out += DataTypeNames[size_t(code)];
    if (code <= Dt::BigInt) {
        // Code 0 (no type chosen) is treated like an integer type.
        if (field.pLength >= 1)
            appendNumbers(out, field.pLength);
        out += u' ';
        appendUnsignedZeroFill(out, field);
        appendNotNullAndDefault(out, field);
        if (field.pAutoIncrement && !omitAutoIncrement)
            out += QStringLiteral("auto_increment ");
    } else if (code <= Dt::Decimal) {
        // MySQL needs a length before the precision; 1 is the smallest.
        if (field.pLength < 1)
            field.pLength = 1;
        appendNumbers(out, field.pLength, &field.pPrecision);
        out += u' ';
        appendUnsignedZeroFill(out, field);
        appendNotNullAndDefault(out, field);
    } else if (code == Dt::Char || code == Dt::VarChar) {
        if (field.pLength < 1)
            field.pLength = 1;
        appendNumbers(out, field.pLength);
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
    const auto special = [](QChar c) { return c == u'\\' || c == u'"' || c == u'\''; };
    if (std::none_of(value.begin(), value.end(), special))
        return value;
    QString out = value;
    // Backslashes first, so that the ones added below stay single.
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'"', QStringLiteral("\\\""));
    out.replace(u'\'', QStringLiteral("\\'"));
    return out;
}

} // namespace tess
