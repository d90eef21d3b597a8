// The list page of every table, «table»_view.php: it sets up one DataList
// with the table-view query, the query of the filter page, the date-sorting
// handler and the table's display options, and renders it between the
// header and footer includes.
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/lines.h"
#include "model/constants.h"
#include "model/maker.h"
#include "platform/runtimeerror.h"

namespace tess {

namespace {

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

QString viewScript(GenerationRun &run, const MyTable &table, qsizetype room)
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
            widths(1, u"$x->ColWidth[] = ", f.ColumnWidth, u";");
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
    const QString &filterSelect = anyFilterColumn ? filterColumns.text() : viewColumns.text();

    Lines l(room);
    l.raw(phpHeader(run));
    l.blank();
    l(1, u"include(dirname(__FILE__).\"/language.php\");");
    l(1, u"include(dirname(__FILE__).\"/lib.php\");");
    l(1, u"include(dirname(__FILE__).\"/", t, u"_dml.php\");");
    l.tabs(1);
    l(1, u"$x = new DataList;");
    // The filters query shows the raw value of every filterable field, hidden
    // ones included; only the filter page of a table that offers filters may
    // use it. A CSV request renders the ordinary table view.
    if (table.AllowFilters) {
        l(1, u"if($HTTP_POST_VARS[\"Filter_x\"] != \"\")");
        l(1, u"{");
        l(2, u"// Query used in filters page");
        l(2, u"$x->Query = \"", filterSelect, joins.text(), u"\";");
        l(1, u"}");
        l(1, u"else");
        l(1, u"{");
        l(2, u"// Query used in table view");
        l(2, u"$x->Query = \"", viewColumns.text(), joins.text(), u"\";");
        l(1, u"}");
        // A filter may name only what the filter page offers, on every
        // request; a page without filters offers none.
        l(1, u"// Fields offered by the filters page");
        l(1, u"$x->FilterQuery = \"", filterSelect, joins.text(), u"\";");
    } else {
        l(1, u"// Query used in table view");
        l(1, u"$x->Query = \"", viewColumns.text(), joins.text(), u"\";");
    }
    l.tabs(1);

    l(1, u"// handle date sorting correctly");
    int c = 0;
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (f.pHidden)
            continue;
        ++c;
        if (f.pDataType != Dt::Date)
            continue;
        for (const QStringView vars : {QStringView(u"$HTTP_POST_VARS"), QStringView(u"$HTTP_GET_VARS")}) {
            l(1, u"if(", vars, u"['SortField']=='", c, u"' || ", vars, u"['SortField']=='", t, u'.', f.Name, u"'){");
            l(2, vars, u"['SortField']='", t, u'.', f.Name, u"';");
            l(2, u"$SortFieldNumeric=", c, u";");
            l(1, u"}");
        }
    }
    l(1, u"// end of date sorting handler");
    l.tabs(1);

    const qint32 height = qint32(table.RecordsPerPage) * 15;
    if (height > 32767 || height < -32768)
        raise(Err::Overflow);
    l(1, u"$x->DataHeight = ", height, u";");
    l(1, u"$x->AllowSelection = ", flag(table.AllowSelection), u";");
    l(1, u"$x->AllowDelete = ", flag(table.AllowDelete), u";");
    l(1, u"$x->AllowInsert = ", flag(table.AllowInsert), u";");
    l(1, u"$x->AllowUpdate = ", flag(table.AllowUpdate), u";");
    l(1, u"$x->AllowFilters = ", flag(table.AllowFilters), u";");
    l(1, u"$x->AllowSavingFilters = ", flag(table.AllowSavingFilters), u";");
    l(1, u"$x->AllowSorting = ", flag(table.AllowSorting), u";");
    l(1, u"$x->AllowNavigation = 1;");
    l(1, u"$x->AllowPrinting = ", flag(table.AllowPrint), u";");
    l(1, u"$x->HideTableView = ", flag(table.HideTableView), u";");
    l(1, u"$x->RecordsPerPage = ", table.RecordsPerPage, u";");
    l(1, u"$x->QuickSearch = ", table.QuickSearch, u";");
    l(1, u"$x->QuickSearchText = $Translation[\"quick search\"];");
    l(1, u"$x->ScriptFileName = \"", t, u"_view.php\";");
    if (!table.RedirectAfterInsert.isEmpty())
        l(1, u"$x->RedirectAfterInsert = \"", phpDq(table.RedirectAfterInsert), u"\";");
    l(1, u"$x->TableTitle = \"", phpDq(table.Caption), u"\";");
    l(1, u"$x->PrimaryKey = \"", t, u'.', keyField, u"\";");
    l.raw(widths.text());
    l(1, u"$x->Template = '", t, u"_templateTV.html';");
    l(1, u"$x->SelectedTemplate = '", t, u"_templateTVS.html';");
    l(1, u"$x->ShowTableHeader = 1;");
    l(1, u"$x->ShowRecordSlots = 1;");
    l(1, u"$x->HighlightColor = '#EEE1B5';");

    l(1, u"$x->Render();");
    l.tabs(1);
    l(1, u"include(dirname(__FILE__).\"/header.php\");");
    l(1, u"echo $x->HTML;");
    l(1, u"include(dirname(__FILE__).\"/footer.php\");");
    l(0, u"?><br><font size=-2><center><?php echo $Translation[\"powered by\"]; ?> Tessaron ", programVersion(),
      u"</center></font>");
    return l.take();
}

} // namespace

void GenerateViewScripts(GenerationRun &run)
{
    // Each page starts with the room that the one before took: the pages of
    // a project are of about one size, so that a text seldom has to grow.
    qsizetype room = 0;
    for (const TablePtr &tp : run.db.Tables) {
        run.generateFile(tp->Name + QStringLiteral("_view.php"), [&] {
            QString text = viewScript(run, *tp, room);
            room = text.size();
            return text;
        });
    }
}

} // namespace tess
