// The list page of every table, «table»_view.php: it sets up one DataList
// with the table-view query, the query of the filter page, the date-sorting
// handler and the table's display options, and renders it between the
// header and footer includes.
// Each chain of + builds its text in one allocation.
#define QT_USE_QSTRINGBUILDER
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/lines.h"
#include "model/constants.h"
#include "model/maker.h"
#include "platform/runtimeerror.h"

namespace tess {

namespace {

// Text as the content of a single-quoted MySQL literal that stands inside a
// PHP double-quoted string. Quotes get MySQL's backslash (PHP leaves "\'"
// alone and turns "\"" into a plain double quote, which MySQL accepts there);
// a backslash is doubled for MySQL and both are doubled again for PHP; a
// dollar sign is kept from PHP's interpolation. MySQL so receives the text's
// own characters.
QString sqlLiteralInPhpDq(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\')
            out.append(QStringLiteral("\\\\\\\\"));
        else if (c == u'\'' || c == u'"' || c == u'$')
            out.append(u'\\').append(c);
        else
            out.append(c);
    }
    return out;
}

// A caption as the column's alias.
QString alias(const MyField &f) { return QStringLiteral("'") + sqlLiteralInPhpDq(f.Caption) + QStringLiteral("'"); }

QString flag(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

// The column of the table view: images and links first, then dates, then
// truncation of long texts.
QString viewColumn(const MyField &f, const QString &col, bool lookup, const QString &dateFormat)
{
    const QString as = QStringLiteral(" as ") + alias(f);
    const QString k = QString::number(f.pNumChars);
    if (f.pTableImage)
        return QStringLiteral("if(length(%1), concat('<img src=\" . $Translation['ImageFolder'] . \"',%1,' border=0>'), '')")
                   .arg(col)
            + as;
    if (f.pTableLink)
        return QStringLiteral("if(length(%1), concat('<a href=\" . $Translation['ImageFolder'] . \"',%1,' target=_nWindow>',%1,'</a>'), '')")
                   .arg(col)
            + as;
    if (lookup) {
        if (f.pNumChars > 0)
            return QStringLiteral("if(CHAR_LENGTH(%1)>%2, concat(left(%1,%2),' ...'), %1)").arg(col, k) + as;
        return col + as;
    }
    if (f.pDataType == Dt::Date)
        return QStringLiteral("if(%1,date_format(%1,'%2'),'')").arg(col, sqlLiteralInPhpDq(dateFormat)) + as;
    if (f.pDataType > Dt::Char && f.pNumChars > 0)
        return QStringLiteral("if(CHAR_LENGTH(%1)>%2, concat(left(%1,%2),' ...'), %1)").arg(col, k) + as;
    return col + as;
}

QString viewScript(GenerationRun &run, MyTable &table)
{
    const QString &t = table.Name;
    QString viewColumns = QStringLiteral("select ");
    QString filterColumns = QStringLiteral("select ");
    // Lookups are left joins: a record whose lookup value is empty or has no
    // parent still belongs in the list.
    QString joins = QStringLiteral(" from ") + t;
    Lines widths;
    QString keyField;
    bool anyFilterColumn = false;
    qint16 fieldNumber = 0;

    for (const FieldPtr &fp : table.Fields) {
        MyField &f = *fp;
        run.host.processEvents();
        if (fieldNumber == 32767)
            raise(Err::Overflow);
        ++fieldNumber;
        const bool lookup = !f.ParentTable.isEmpty();
        const QString a = f.ParentTable + QString::number(fieldNumber);
        if (lookup)
            joins += QStringLiteral(" left join %1 as %2 on %3.%4=%2.%5")
                         .arg(f.ParentTable, a, t, f.Name, f.ParentIDField);
        const QString col = lookup ? a + u'.' + f.ParentCaptionField : t + u'.' + f.Name;
        if (!f.pHidden) {
            viewColumns += viewColumn(f, col, lookup, run.mySQLDateFormat) + QStringLiteral(", ");
            if (f.ColumnWidth < 20)
                f.ColumnWidth = 150;
            widths(1, QStringLiteral("$x->ColWidth[] = %1;").arg(f.ColumnWidth));
        }
        if (!f.pNotFiltered) {
            filterColumns += col + QStringLiteral(" as ") + alias(f) + QStringLiteral(", ");
            anyFilterColumn = true;
        }
        if (f.pPrimaryKey)
            keyField = f.Name;
    }
    viewColumns.chop(2);
    filterColumns.chop(2);
    const QString viewQuery = viewColumns + joins;
    // Without a filterable field the filter page works on the table view's
    // columns.
    const QString filtersQuery = anyFilterColumn ? filterColumns + joins : viewQuery;

    Lines l;
    l.raw(phpHeader(run));
    l.blank();
    l(1, QStringLiteral("include(dirname(__FILE__).\"/language.php\");"));
    l(1, QStringLiteral("include(dirname(__FILE__).\"/lib.php\");"));
    l(1, QStringLiteral("include(dirname(__FILE__).\"/%1_dml.php\");").arg(t));
    l.tabs(1);
    l(1, QStringLiteral("$x = new DataList;"));
    // The filters query shows the raw value of every filterable field, hidden
    // ones included; only the filter page of a table that offers filters may
    // use it. A CSV request renders the ordinary table view.
    if (table.AllowFilters) {
        l(1, QStringLiteral("if($HTTP_POST_VARS[\"Filter_x\"] != \"\")"));
        l(1, QStringLiteral("{"));
        l(2, QStringLiteral("// Query used in filters page"));
        l(2, QStringLiteral("$x->Query = \"") + filtersQuery + QStringLiteral("\";"));
        l(1, QStringLiteral("}"));
        l(1, QStringLiteral("else"));
        l(1, QStringLiteral("{"));
        l(2, QStringLiteral("// Query used in table view"));
        l(2, QStringLiteral("$x->Query = \"") + viewQuery + QStringLiteral("\";"));
        l(1, QStringLiteral("}"));
    } else {
        l(1, QStringLiteral("// Query used in table view"));
        l(1, QStringLiteral("$x->Query = \"") + viewQuery + QStringLiteral("\";"));
    }
    l.tabs(1);

    l(1, QStringLiteral("// handle date sorting correctly"));
    int c = 0;
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (f.pHidden)
            continue;
        ++c;
        if (f.pDataType != Dt::Date)
            continue;
        const QString tf = t + u'.' + f.Name;
        const QString n = QString::number(c);
        for (const QString &vars : {QStringLiteral("$HTTP_POST_VARS"), QStringLiteral("$HTTP_GET_VARS")}) {
            l(1, QStringLiteral("if(%1['SortField']=='%2' || %1['SortField']=='%3'){").arg(vars, n, tf));
            l(2, QStringLiteral("%1['SortField']='%2';").arg(vars, tf));
            l(2, QStringLiteral("$SortFieldNumeric=%1;").arg(n));
            l(1, QStringLiteral("}"));
        }
    }
    l(1, QStringLiteral("// end of date sorting handler"));
    l.tabs(1);

    const qint32 height = qint32(table.RecordsPerPage) * 15;
    if (height > 32767 || height < -32768)
        raise(Err::Overflow);
    l(1, QStringLiteral("$x->DataHeight = %1;").arg(height));
    l(1, QStringLiteral("$x->AllowSelection = %1;").arg(flag(table.AllowSelection)));
    l(1, QStringLiteral("$x->AllowDelete = %1;").arg(flag(table.AllowDelete)));
    l(1, QStringLiteral("$x->AllowInsert = %1;").arg(flag(table.AllowInsert)));
    l(1, QStringLiteral("$x->AllowUpdate = %1;").arg(flag(table.AllowUpdate)));
    l(1, QStringLiteral("$x->AllowFilters = %1;").arg(flag(table.AllowFilters)));
    l(1, QStringLiteral("$x->AllowSavingFilters = %1;").arg(flag(table.AllowSavingFilters)));
    l(1, QStringLiteral("$x->AllowSorting = %1;").arg(flag(table.AllowSorting)));
    l(1, QStringLiteral("$x->AllowNavigation = 1;"));
    l(1, QStringLiteral("$x->AllowPrinting = %1;").arg(flag(table.AllowPrint)));
    l(1, QStringLiteral("$x->HideTableView = %1;").arg(flag(table.HideTableView)));
    l(1, QStringLiteral("$x->RecordsPerPage = %1;").arg(table.RecordsPerPage));
    l(1, QStringLiteral("$x->QuickSearch = %1;").arg(table.QuickSearch));
    l(1, QStringLiteral("$x->QuickSearchText = $Translation[\"quick search\"];"));
    l(1, QStringLiteral("$x->ScriptFileName = \"%1_view.php\";").arg(t));
    if (!table.RedirectAfterInsert.isEmpty())
        l(1, QStringLiteral("$x->RedirectAfterInsert = \"") + phpDq(table.RedirectAfterInsert) + QStringLiteral("\";"));
    l(1, QStringLiteral("$x->TableTitle = \"") + phpDq(table.Caption) + QStringLiteral("\";"));
    l(1, QStringLiteral("$x->PrimaryKey = \"%1.%2\";").arg(t, keyField));
    l.raw(widths.text());
    l(1, QStringLiteral("$x->Template = '%1_templateTV.html';").arg(t));
    l(1, QStringLiteral("$x->SelectedTemplate = '%1_templateTVS.html';").arg(t));
    l(1, QStringLiteral("$x->ShowTableHeader = 1;"));
    l(1, QStringLiteral("$x->ShowRecordSlots = 1;"));
    l(1, QStringLiteral("$x->HighlightColor = '#EEE1B5';"));

    l(1, QStringLiteral("$x->Render();"));
    l.tabs(1);
    l(1, QStringLiteral("include(dirname(__FILE__).\"/header.php\");"));
    l(1, QStringLiteral("echo $x->HTML;"));
    l(1, QStringLiteral("include(dirname(__FILE__).\"/footer.php\");"));
    l(QStringLiteral("?><br><font size=-2><center><?php echo $Translation[\"powered by\"]; ?> Tessaron ")
      + programVersion() + QStringLiteral("</center></font>"));
    return l.take();
}

} // namespace

void GenerateViewScripts(GenerationRun &run)
{
    for (const TablePtr &tp : run.db.Tables) {
        const QString name = tp->Name + QStringLiteral("_view.php");
        run.logGenerating(name);
        const QString text = viewScript(run, *tp);
        run.WriteOutputFile(run.path(name), name, text, true);
    }
}

} // namespace tess
