// form() of the record script: fills the table's detail-view template.
#include "generator/dmlscript.h"

#include "generator/escape.h"
#include "tpl/dml_php.h"

namespace tess::dml {

namespace dml_php = tpl::dml_php;

namespace {

enum class Selector { None, Lookup, ValueList, Date };

Selector selectorOf(const MyField &f)
{
    if (!f.ParentTable.isEmpty())
        return Selector::Lookup;
    if (!f.CSValueList.isEmpty())
        return Selector::ValueList;
    if (isDate(f))
        return Selector::Date;
    return Selector::None;
}

QStringView dateOrder(const MyDB &db)
{
    if (db.DateFormat.equalsNumber(1))
        return u"ymd";
    if (db.DateFormat.equalsNumber(2))
        return u"dmy";
    return u"mdy";
}

void emitSelectors(Script &s)
{
    const QStringView order = dateOrder(s.run.db);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        switch (selectorOf(f)) {
        case Selector::Lookup:
            s.put(dml_php::lookupSelector, {{u"field", f.Name},
                                            {u"parentKey", f.ParentIDField},
                                            {u"parentCaption", f.ParentCaptionField},
                                            {u"parentTable", f.ParentTable}});
            // A lookup that may be empty offers the empty choice, so that
            // saving a record does not fill it with the first parent.
            if (!f.pNotNull)
                s.putField(dml_php::lookupEmptyChoice, f);
            break;
        case Selector::ValueList:
            s.put(dml_php::valueListSelector, {{u"field", f.Name},
                                               {u"listType", QString::number(f.CSValueListType)},
                                               {u"list", phpDq(f.CSValueList)}});
            if (f.pNotNull)
                s.putField(dml_php::valueListNotNull, f);
            break;
        case Selector::Date:
            s.put(dml_php::dateSelector, {{u"field", f.Name}, {u"dateOrder", order}});
            break;
        case Selector::None:
            break;
        }
    }
}

void emitRecord(Script &s)
{
    s.put(dml_php::recordHead, {{u"table", s.table.Name}, {u"key", s.pk.Name}});
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        switch (selectorOf(f)) {
        case Selector::Lookup:
        case Selector::ValueList:
            s.putField(dml_php::selectedData, f);
            break;
        case Selector::Date:
            s.putField(dml_php::selectedDate, f);
            break;
        case Selector::None:
            break;
        }
    }
    s.put(dml_php::recordEnd);

    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        const Selector k = selectorOf(f);
        if (k == Selector::Lookup || k == Selector::ValueList)
            s.putField(dml_php::render, f);
    }
}

void emitCombos(Script &s)
{
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        switch (selectorOf(f)) {
        case Selector::Lookup:
            s.putField(dml_php::lookupCombo, f);
            break;
        case Selector::ValueList:
            s.putField(dml_php::valueListCombo, f);
            break;
        case Selector::Date:
            s.putField(dml_php::dateCombo, f);
            break;
        case Selector::None:
            break;
        }
    }
}

void emitImages(Script &s)
{
    s.put(dml_php::imagesHead);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (isUpload(f))
            s.put(dml_php::uploadControl, {{u"field", f.Name}, {u"maxFileSize", QString::number(f.pMaxUploadSize)}});
        else
            s.putField(dml_php::noUploadControl, f);
        if (f.pDetailImage || f.pDetailLink)
            s.putField(dml_php::removeFileControl, f);
    }
}

void emitValues(Script &s)
{
    s.put(dml_php::valuesHead);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        if (f.pDetailImage)
            s.putField(dml_php::imageOrBlank, f);
        s.putField(dml_php::recordValue, f);
    }
    s.put(dml_php::valuesElse);
    for (const FieldPtr &fp : s.table.Fields) {
        const MyField &f = *fp;
        s.tick();
        s.putField(f.pDetailImage ? dml_php::blankImageValue : dml_php::emptyValue, f);
    }
}

} // namespace

void emitForm(Script &s)
{
    s.put(dml_php::formHead);
    emitSelectedIdKeyLines(s, dml_php::notNumberDeselects);
    s.put(dml_php::formInsertOnly);

    emitSelectors(s);
    emitRecord(s);

    s.put(dml_php::detailTemplate, {{u"table", s.table.Name}, {u"title", phpSq(s.table.DetailViewLabel)}});
    emitCombos(s);
    emitImages(s);
    emitValues(s);
    s.put(dml_php::formEnd);
}

} // namespace tess::dml
