// The list page of every table, «table»_view.php; its text is
// templates/view.php.in. The generator builds the select lists and joins of
// its queries.
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/lines.h"
#include "generator/template.h"
#include "model/constants.h"
#include "model/maker.h"
#include "platform/runtimeerror.h"
#include "tpl/view_php.h"

namespace tess {

namespace {

namespace view = tpl::view_php;

// Appends text as the content of a single-quoted MySQL literal that stands
// inside a PHP double-quoted string. Quotes get MySQL's backslash (PHP leaves
// "\'" alone and turns "\"" into a plain double quote, which MySQL accepts
// there); a backslash is doubled for MySQL and both are doubled again for
// PHP; a dollar sign is kept from PHP's interpolation. MySQL so receives the
// text's own characters.
void sqlLiteralInPhpDq(Lines &to, QStringView text)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' && c != u'\'' && c != u'"' && c != u'$')
            continue;
        to.raw(text.mid(plain, i - plain));
        if (c == u'\\')
            to.raw(u"\\\\\\\\");
        else
            to.raw(u'\\', c);
        plain = i + 1;
    }
    to.raw(text.mid(plain));
}

// " as " and the caption as the column's alias.
void alias(Lines &to, const MyField &f)
{
    to.raw(u" as '");
    sqlLiteralInPhpDq(to, f.Caption);
    to.raw(u"'");
}

QStringView flag(bool b) { return b ? QStringView(u"1") : QStringView(u"0"); }

// The column of the table view: images and links first, then dates, then
// truncation of long texts.
void viewColumn(Lines &to, const MyField &f, QStringView col, bool lookup, const QString &dateFormat)
{
    const auto truncated = [&] {
        const qint16 k = f.pNumChars;
        to.raw(u"if(CHAR_LENGTH(", col, u")>", k, u", concat(left(", col, u",", k, u"),' ...'), ", col, u")");
    };
    if (f.pTableImage) {
        to.raw(u"if(length(", col, u"), concat('<img src=\" . $Translation['ImageFolder'] . \"',", col,
               u",' border=0>'), '')");
    } else if (f.pTableLink) {
        to.raw(u"if(length(", col, u"), concat('<a href=\" . $Translation['ImageFolder'] . \"',", col,
               u",' target=_nWindow>',", col, u",'</a>'), '')");
    } else if (lookup) {
        if (f.pNumChars > 0)
            truncated();
        else
            to.raw(col);
    } else if (f.pDataType == Dt::Date) {
        to.raw(u"if(", col, u",date_format(", col, u",'");
        sqlLiteralInPhpDq(to, dateFormat);
        to.raw(u"'),'')");
    } else if (f.pDataType > Dt::Char && f.pNumChars > 0) {
        truncated();
    } else {
        to.raw(col);
    }
    alias(to, f);
}

void viewScript(GenerationRun &run, const MyTable &table, Lines &l)
{
    const QString &t = table.Name;
    Lines viewColumns;
    Lines filterColumns;
    // Lookups are left joins: a record whose lookup value is empty or has no
    // parent still belongs in the list.
    Lines joins;
    Lines col;
    Lines widths;
    viewColumns.raw(u"select ");
    filterColumns.raw(u"select ");
    joins.raw(u" from ", t);
    QString keyField;
    bool anyFilterColumn = false;
    qint16 fieldNumber = 0;

    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        run.host.processEvents();
        if (fieldNumber == 32767)
            raise(Err::Overflow);
        ++fieldNumber;
        const bool lookup = !f.ParentTable.isEmpty();
        // The lookup's alias: the parent table's name and the field's number.
        if (lookup)
            joins.raw(u" left join ", f.ParentTable, u" as ", f.ParentTable, fieldNumber, u" on ", t, u'.', f.Name,
                      u'=', f.ParentTable, fieldNumber, u'.', f.ParentIDField);
        col.clear();
        if (lookup)
            col.raw(f.ParentTable, fieldNumber, u'.', f.ParentCaptionField);
        else
            col.raw(t, u'.', f.Name);
        if (!f.pHidden) {
            viewColumn(viewColumns, f, col.view(), lookup, run.mySQLDateFormat);
            viewColumns.raw(u", ");
            fill(widths, view::colWidth, {{u"width", Decimal(f.ColumnWidth)}});
        }
        if (!f.pNotFiltered) {
            filterColumns.raw(col.view());
            alias(filterColumns, f);
            filterColumns.raw(u", ");
            anyFilterColumn = true;
        }
        if (f.pPrimaryKey)
            keyField = f.Name;
    }
    viewColumns.chop(2);
    filterColumns.chop(2);
    // Without a filterable field the filter page works on the table view's
    // columns.
    const QStringView filterSelect = anyFilterColumn ? filterColumns.view() : viewColumns.view();

    Lines queries;
    if (table.AllowFilters)
        fill(queries, view::filteredQueries,
             {{u"filterColumns", filterSelect}, {u"viewColumns", viewColumns.view()}, {u"joins", joins.view()}});
    else
        fill(queries, view::query, {{u"viewColumns", viewColumns.view()}, {u"joins", joins.view()}});

    Lines dateSorting;
    int c = 0;
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (f.pHidden)
            continue;
        ++c;
        if (f.pDataType != Dt::Date)
            continue;
        fill(dateSorting, view::dateSorting, {{u"column", Decimal(c)}, {u"table", t}, {u"field", f.Name}});
    }

    const qint32 height = qint32(table.RecordsPerPage) * 15;
    if (height > 32767 || height < -32768)
        raise(Err::Overflow);
    const QString redirect = table.RedirectAfterInsert.isEmpty()
                                 ? QString()
                                 : filled(view::redirectAfterInsert, {{u"redirect", phpDq(table.RedirectAfterInsert)}});
    fill(l, view::script,
         {{u"phpHeader", phpHeader(run)},
          {u"table", t},
          {u"queries", queries.view()},
          {u"dateSorting", dateSorting.view()},
          {u"dataHeight", Decimal(height)},
          {u"allowSelection", flag(table.AllowSelection)},
          {u"allowDelete", flag(table.AllowDelete)},
          {u"allowInsert", flag(table.AllowInsert)},
          {u"allowUpdate", flag(table.AllowUpdate)},
          {u"allowFilters", flag(table.AllowFilters)},
          {u"allowSavingFilters", flag(table.AllowSavingFilters)},
          {u"allowSorting", flag(table.AllowSorting)},
          {u"allowPrinting", flag(table.AllowPrint)},
          {u"hideTableView", flag(table.HideTableView)},
          {u"recordsPerPage", Decimal(table.RecordsPerPage)},
          {u"quickSearch", Decimal(table.QuickSearch)},
          {u"redirectAfterInsert", redirect},
          {u"caption", phpDq(table.Caption)},
          {u"keyField", keyField},
          {u"colWidths", widths.view()},
          {u"version", programVersion()}});
}

} // namespace

void GenerateViewScripts(GenerationRun &run)
{
    run.generatePerTable(u"_view.php", [&](const MyTable &table, Lines &l) { viewScript(run, table, l); });
}

} // namespace tess
