// The record script of every table, «table»_dml.php: the frame, the pieces
// that insert() and update() share, and insert() itself.
#include "generator/dmlscript.h"

#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "model/columndefinition.h"
#include "model/constants.h"
#include "platform/runtimeerror.h"
#include "tpl/dml_php.h"

#include <array>
#include <optional>

namespace tess {

namespace dml {

namespace dml_php = tpl::dml_php;

bool isDate(const MyField &f) { return f.pDataType == Dt::Date; }
bool isPlainRequest(const MyField &f) { return !isDate(f) && !f.pAutoIncrement && !f.pAllowImageUpload; }
bool isUpload(const MyField &f) { return f.pAllowImageUpload; }

// A column with a character set: the server decides at run time whether it
// holds the letters that the pages' code page lacks.
bool holdsText(const MyField &f)
{
    switch (f.pDataType) {
    case Dt::Char:
    case Dt::VarChar:
    case Dt::TinyText:
    case Dt::Text:
    case Dt::MediumText:
    case Dt::LongText:
        return true;
    default:
        return false;
    }
}

bool isDisplayOnly(const MyField &f)
{
    // An upload control or a lookup's selector stands beside the image or
    // link; without them the detail view shows the value and posts nothing.
    return (f.pDetailImage || f.pDetailLink) && !f.pAllowImageUpload && f.ParentTable.isEmpty();
}

bool isPosted(const MyField &f)
{
    return !f.pReadOnly && !f.pAutoIncrement && !f.pHideInDetailView && !isDisplayOnly(f);
}

bool anyDeletedFiles(const MyTable &t)
{
    for (const FieldPtr &f : t.Fields)
        if (isUpload(*f) && f->pDeleteFiles)
            return true;
    return false;
}

bool anyUploads(const MyTable &t)
{
    for (const FieldPtr &f : t.Fields)
        if (isUpload(*f))
            return true;
    return false;
}

QString maxUploadSize(const MyField &f)
{
    return QString::number(f.pMaxUploadSize > 0 ? f.pMaxUploadSize : 20480);
}

void emitSelectedIdKeyLines(Script &s, const Template &whenNotNumber)
{
    s.put(dml_php::selectedIdUnquote);
    if (isNumericType(s.pk.pDataType))
        s.put(whenNotNumber);
    else if (holdsText(s.pk))
        s.put(dml_php::selectedIdText, {{u"table", s.table.Name}, {u"key", s.pk.Name}});
}

void emitSelectedIdEscape(Script &s)
{
    emitSelectedIdKeyLines(s, dml_php::notNumberReturns);
    if (anyDeletedFiles(s.table))
        s.put(dml_php::unlinkFilesInit);
}

void emitRequestValues(Script &s)
{
    s.put(dml_php::requestValuesHead);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isDate(f))
            s.putField(dml_php::dateValue, f);
        else if (isPlainRequest(f))
            s.putField(dml_php::plainValue, f);
    }
    s.put(dml_php::requestValuesElse);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isDate(f))
            s.putField(dml_php::escapedDateValue, f);
        else if (isPlainRequest(f) && holdsText(f))
            s.put(dml_php::escapedTextValue, {{u"table", s.table.Name}, {u"field", f.Name}});
        else if (isPlainRequest(f))
            s.putField(dml_php::escapedPlainValue, f);
    }
    s.put(dml_php::requestValuesEnd);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isDate(f))
            s.putField(dml_php::emptyDate, f);
    }
}

bool isRequired(const MyField &f)
{
    // Only a value the form posts can be required: any other stays empty on
    // every insert.
    return f.pNotNull && !f.pPrimaryKey && !f.pAutoIncrement && isPosted(f);
}

void emitKeyCheck(Script &s)
{
    s.put(dml_php::keyCheck, {{u"key", s.pk.Name}, {u"keyCaption", phpDq(s.pk.Caption)}});
}

void emitRequiredCheck(Script &s, const MyField &f)
{
    s.put(dml_php::requiredCheck, {{u"field", f.Name}, {u"caption", phpDq(f.Caption)}});
}

void emitRequiredUploadCheck(Script &s, const MyField &f)
{
    s.put(dml_php::requiredUploadCheck, {{u"field", f.Name}, {u"caption", phpDq(f.Caption)}});
}

namespace {

// The largest FLOAT and DOUBLE, as PHP reads them back exactly.
constexpr QStringView kFloatMax = u"3.4028234663852886E+38";
constexpr QStringView kDoubleMax = u"1.7976931348623157E+308";

// The range of a number column as texts, from its type, sign, length and
// places as the column definition writes them; nothing for a definition
// the server would not have created. ZEROFILL makes a column unsigned.
std::optional<std::array<QString, 2>> numberRange(const MyField &f)
{
    static const std::array<QStringView, 5> signedMax{u"127", u"32767", u"8388607", u"2147483647", u"9223372036854775807"};
    static const std::array<QStringView, 5> signedMin{u"-128", u"-32768", u"-8388608", u"-2147483648",
                                                      u"-9223372036854775808"};
    static const std::array<QStringView, 5> unsignedMax{u"255", u"65535", u"16777215", u"4294967295", u"18446744073709551615"};
    const bool isUnsigned = f.pUnsigned || f.pZeroFill;
    if (f.pDataType >= Dt::TinyInt && f.pDataType <= Dt::BigInt) {
        const int i = f.pDataType - Dt::TinyInt;
        return std::array<QString, 2>{isUnsigned ? QStringLiteral("0") : signedMin[i].toString(),
                                      (isUnsigned ? unsignedMax[i] : signedMax[i]).toString()};
    }
    if (f.pDataType >= Dt::Float && f.pDataType <= Dt::Decimal) {
        const int length = qMax(1, f.pLength);
        if (f.pPrecision < 0 || f.pPrecision > length)
            return std::nullopt;
        QString max;
        if (f.pDataType == Dt::Float && length - f.pPrecision > 38) {
            // FLOAT's own limit is below the column's digits
            max = kFloatMax.toString();
        } else {
            max = length > f.pPrecision ? QString(length - f.pPrecision, u'9') : QStringLiteral("0");
            if (f.pPrecision > 0)
                max += u'.' + QString(f.pPrecision, u'9');
        }
        return std::array<QString, 2>{isUnsigned ? QStringLiteral("0") : u'-' + max, max};
    }
    return std::nullopt;
}

// The characters a text column holds; 0 when no posted value can exceed it.
int textLength(const MyField &f)
{
    switch (f.pDataType) {
    case Dt::Char:
    case Dt::VarChar:
        return qMax(1, f.pLength);
    case Dt::TinyBlob:
    case Dt::TinyText:
        return 255;
    case Dt::Text:
    case Dt::Blob:
        return 65535;
    case Dt::MediumBlob:
    case Dt::MediumText:
        return 16777215;
    default:
        return 0;
    }
}

bool isBinary(const MyField &f)
{
    return f.pDataType == Dt::TinyBlob || f.pDataType == Dt::Blob || f.pDataType == Dt::MediumBlob;
}

bool isTemporal(const MyField &f) { return f.pDataType >= Dt::Date && f.pDataType <= Dt::Year; }

} // namespace

bool hasValueCheck(const MyField &f) { return isTemporal(f) || numberRange(f) || textLength(f); }

void emitValueCheck(Script &s, const MyField &f)
{
    const QString caption = phpDq(f.Caption);
    if (isTemporal(f)) {
        const bool dateTime = f.pDataType == Dt::DateTime || f.pDataType == Dt::Timestamp;
        s.put(f.pDataType == Dt::Date  ? dml_php::dateCheck
              : dateTime               ? dml_php::dateTimeCheck
              : f.pDataType == Dt::Time ? dml_php::timeCheck
                                        : dml_php::yearCheck,
              {{u"field", f.Name}, {u"caption", caption}});
    } else if (const auto range = numberRange(f)) {
        const QString places = QString::number(f.pPrecision);
        if (f.pDataType <= Dt::BigInt)
            s.put(dml_php::integerCheck,
                  {{u"field", f.Name}, {u"caption", caption}, {u"min", (*range)[0]}, {u"max", (*range)[1]}});
        else if (f.pDataType == Dt::Decimal)
            s.put(dml_php::numberCheck, {{u"field", f.Name},
                                         {u"caption", caption},
                                         {u"min", (*range)[0]},
                                         {u"max", (*range)[1]},
                                         {u"decimals", places}});
        else
            s.put(dml_php::floatCheck, {{u"field", f.Name},
                                        {u"caption", caption},
                                        {u"min", (*range)[0]},
                                        {u"max", (*range)[1]},
                                        {u"length", QString::number(qMax(1, f.pLength))},
                                        {u"decimals", places},
                                        {u"typeMax", f.pDataType == Dt::Float ? kFloatMax : kDoubleMax}});
    } else if (const int length = textLength(f)) {
        s.put(isBinary(f) ? dml_php::binaryCheck : dml_php::textCheck,
              {{u"field", f.Name}, {u"caption", caption}, {u"length", QString::number(length)}});
    }
}

void emitValueChecks(Script &s)
{
    bool head = true;
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        // An upload field's name is checked once the file is stored.
        if (!isPosted(f) || isUpload(f) || !hasValueCheck(f))
            continue;
        if (head)
            s.put(dml_php::valueChecksHead);
        head = false;
        emitValueCheck(s, f);
    }
}

namespace {

// A model text placed where a request value escaped by addslashes would
// stand: escaped the same way, so that it reaches MySQL as the text itself.
QString addslashes(const QString &text)
{
    // PHP's addslashes: the quoting of column defaults, plus NUL as "\0".
    QString out = EscapeQuoted(text);
    out.replace(QChar(u'\0'), QStringLiteral("\\0"));
    return out;
}

} // namespace

void emitInsert(Script &s)
{
    const MyTable &t = s.table;
    s.put(dml_php::insertHead);
    emitRequestValues(s);
    emitValueChecks(s);

    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!isUpload(f))
            continue;
        s.put(dml_php::insertUpload, {{u"field", f.Name},
                                      {u"maxSize", maxUploadSize(f)},
                                      {u"fileTypes", phpSq(f.pUploadFileTypes)},
                                      {u"noRename", f.pNoFileRename ? QStringView(u"true") : QStringView(u"false")}});
        if (hasValueCheck(f))
            emitValueCheck(s, f);
    }

    if (!s.pk.pAutoIncrement)
        emitKeyCheck(s);

    // Defaults, then the required values.
    for (const FieldPtr &fp : t.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (!f.pDefault.isEmpty())
            s.put(dml_php::defaultValue, {{u"field", f.Name}, {u"default", phpDq(addslashes(f.pDefault))}});
        if (isRequired(f))
            emitRequiredCheck(s, f);
    }

    Lines columns;
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (!isPosted(*fp))
            continue;
        if (!columns.isEmpty())
            columns.raw(u", ");
        columns.raw(fp->Name);
    }
    Lines values;
    for (const FieldPtr &fp : t.Fields) {
        s.tick();
        if (!isPosted(*fp))
            continue;
        if (!values.isEmpty())
            values.raw(u", ");
        fill(values, dml_php::insertValue, {{u"field", fp->Name}});
    }
    s.put(dml_php::insertStatement, {{u"table", t.Name}, {u"columns", columns.view()}, {u"values", values.view()}});
    if (anyUploads(t))
        s.put(dml_php::keepUploads);

    if (s.pk.pAutoIncrement)
        s.put(dml_php::insertEndReturnsId);
    else
        s.put(dml_php::insertEndReturnsKey, {{u"key", s.pk.Name}});
}

} // namespace dml

namespace {

void buildScript(GenerationRun &run, const MyTable &table, const dml::ChildLookups *children, Lines &out)
{
    const MyField *pk = nullptr;
    for (const FieldPtr &f : table.Fields) {
        if (f->pPrimaryKey) {
            pk = f.get();
            break;
        }
    }
    if (!pk)
        raise(91, QStringLiteral("Object variable or With block variable not set"));

    dml::Script s{run, table, *pk, out, children};
    s.put(tpl::dml_php::scriptHead, {{u"table", table.Name}, {u"generatedBy", generatedBy(run)}});
    dml::emitInsert(s);
    dml::emitDelete(s);
    dml::emitUpdate(s);
    dml::emitForm(s);
    s.put(tpl::dml_php::scriptEnd);
}

} // namespace

QString BuildDMLScript(GenerationRun &run, const MyTable &table)
{
    Lines out;
    buildScript(run, table, nullptr, out);
    return out.take();
}

void GenerateDMLScripts(GenerationRun &run)
{
    const dml::ChildLookups children = dml::childLookups(run.db);
    run.generatePerTable(u"_dml.php",
                         [&](const MyTable &table, Lines &out) { buildScript(run, table, &children, out); });
}

} // namespace tess
