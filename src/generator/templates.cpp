// The three HTML templates of every table: the cells of one table-view row,
// the cells of the highlighted row, and the detail-view form. They hold only
// placeholders between "<%%" and "%%>", which the data list and the record
// script fill at run time; users may edit them afterwards.
#include "generator/generators.h"
#include "generator/lines.h"
#include "model/constants.h"

#include <QHash>

namespace tess {

namespace {

// The tables of the project under their names (the first of a name).
using TablesByName = QHash<QString, const MyTable *>;

TablesByName tablesByName(const MyDB &db)
{
    TablesByName tables;
    for (const TablePtr &t : db.Tables)
        if (!tables.contains(t->Name))
            tables.insert(t->Name, t.get());
    return tables;
}

// A lookup's cell takes the class of the parent caption field's type; a
// parent table or caption field that does not exist counts as numeric.
bool numericCell(const TablesByName &tables, const MyField &f)
{
    if (f.ParentCaptionField.isEmpty())
        return isNumericType(f.pDataType);
    const auto parent = tables.constFind(f.ParentTable);
    if (parent == tables.constEnd())
        return true;
    for (const FieldPtr &pf : (*parent)->Fields)
        if (pf->Name == f.ParentCaptionField)
            return isNumericType(pf->pDataType);
    return true;
}

void rowTemplate(GenerationRun &run, const TablesByName &tables, const MyTable &table, bool selected, Lines &l)
{
    if (selected) {
        l(0, u"<!-- Edit this file to change the layout of the highlighted record in the table view -->");
    } else {
        l(0, u"<!-- Edit this file to change the layout of each record in the table view -->");
        l(0, u"<!-- To disable clicking of a field, remove the <%%select%%> and <%%endselect%%> formatters around it-->");
        l.blank();
        l(0, u"<!-- If you wish to hide the table view header that contains the column titles, -->");
        l(0, u"<!-- open the generated '", table.Name, u"_view.php' file in your text editor and -->");
        l(0, u"<!-- change the value of $x->ShowTableHeader to 0 -->");
        l.blank();
    }
    const bool select = !selected && table.AllowSelection;
    static constexpr QStringView kSelect = u"<%%SELECT%%>";
    static constexpr QStringView kEndSelect = u"<%%ENDSELECT%%>";
    // The cell class by [highlighted row][numeric value].
    static constexpr QStringView kClasses[2][2] = {{u"TableBody", u"TableBodyNumeric"},
                                                   {u"TableBodySelected", u"TableBodySelectedNumeric"}};
    int column = 0;
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (!f.pHidden) {
            const QStringView cls = kClasses[selected][numericCell(tables, f)];
            l(2, u"<td valign=\"top\" width=", f.ColumnWidth, u" class=\"", cls, u"\">", select ? kSelect : QStringView(),
              u"<%%FIELD_", column, u"%%>", select ? kEndSelect : QStringView(), u"</TD>");
            ++column;
        }
        run.host.processEvents();
    }
}

// The value cell of one field: a single piece on the cell's own line, or an
// image or link with upload controls on lines of their own.
void valueCell(Lines &l, const MyTable &table, const MyField &f)
{
    const QString &name = f.Name;
    const bool lookup = !f.ParentTable.isEmpty();
    const bool list = !f.CSValueList.isEmpty();
    const bool date = f.pDataType == Dt::Date;
    static constexpr char16_t open[] = u"<td class=TableBody width=300>";
    static constexpr char16_t close[] = u"&nbsp;&nbsp;</td>";

    if (f.pReadOnly && !f.pDetailImage && !f.pDetailLink) {
        if (lookup || date || list)
            l(5, open, u"<%%COMBOTEXT(", name, u")%%>", close);
        else
            l(5, open, u"<%%VALUE(", name, u")%%>", close);
        return;
    }
    if (!f.pReadOnly && !f.pDetailImage && !f.pDetailLink && !f.pAllowImageUpload) {
        const int type = f.pDataType;
        if (list || lookup || date) {
            l(5, open, u"<%%COMBO(", name, u")%%>", close);
        } else if (f.pTextarea && (type == Dt::Char || type == Dt::VarChar || type >= Dt::TinyBlob)) {
            const int rows = f.pLength <= 50 ? 3 : f.pLength / 50 + 2;
            l(5, open, u"<textarea class=TextBox name=", name, u" cols=50 rows=", rows, u"><%%VALUE(", name,
              u")%%></textarea>", close);
        } else if (!f.pAutoIncrement) {
            const int size = f.pLength <= 10 ? 10 : (f.pLength > 50 ? 50 : f.pLength);
            l(5, open, u"<input size=", size, u" type=text class=TextBox name=", name, u" value=\"<%%VALUE(", name,
              u")%%>\">", close);
        } else {
            l(5, open, u"<%%VALUE(", name, u")%%>", close);
        }
        return;
    }

    // The pieces continue the cell's opening line: an image or link begins a
    // line of its own, each "<br>" piece follows directly.
    l.raw(u"\t\t\t\t\t", open);
    if (f.pDetailImage)
        l.raw(u"\r\n")(6, u"<img src=\"<%%TRANSLATION(ImageFolder)%%><%%VALUE(", name, u")%%>\" border=0>");
    else if (f.pDetailLink)
        l.raw(u"\r\n")(6, u"<a href=\"<%%TRANSLATION(ImageFolder)%%><%%VALUE(", name, u")%%>\" target=_nWindow><%%VALUE(",
                       name, u")%%></a>");
    if (!f.pReadOnly) {
        if (f.pAllowImageUpload)
            l(6, u"<br><%%UPLOADFILE(", name, u")%%>");
        if (f.pAllowImageUpload && table.AllowUpdate)
            l(6, u"<br><%%REMOVEFILE(", name, u")%%>");
        if (lookup)
            l(6, u"<br><%%COMBO(", name, u")%%>");
    }
    l.raw(u"\r\n")(6, close);
}

void detailTemplate(const MyTable &table, Lines &l)
{
    static constexpr QStringView kRequired = u"<b class=\"Error\"><%%TRANSLATION(*)%%></b> ";
    l(0, u"<!-- Edit this file to change the layout of the detail view form -->");
    l.blank();
    l(0, u"<br>");
    l(0, u"<table border=1 bordercolor=navy cellpadding=0 cellspacing=0>");
    l(1, u"<tr>");
    l(2, u"<td>");
    l(3, u"<div class=TableTitle><%%DETAIL_VIEW_TITLE%%></div>");
    l(3, u"</td>");
    l(2, u"</tr>");
    l(1, u"<tr>");
    l(2, u"<td>");
    l(3, u"<table>");
    l(4, u"<tr>");
    l(5, u"<td colspan=2></td>");
    l(5, u"<td rowspan=6 valign=top>");
    l(6, u"<div><%%UPDATE_BUTTON%%></div>");
    l(6, u"<div><%%DELETE_BUTTON%%></div>");
    l(6, u"<div><%%DESELECT_BUTTON%%></div>");
    l(6, u"<br>");
    l(6, u"<div><%%INSERT_BUTTON%%></div>");
    l(6, u"</td>");
    l(5, u"</tr>");
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (f.pHideInDetailView)
            continue;
        const bool marker = f.pNotNull && f.CSValueList.isEmpty();
        l(4, u"<tr>");
        l(5, u"<td class=TableHeader valign=top>");
        l(6, u"<div class=TableHeader style=\"text-align:right;\">",
          marker ? kRequired : QStringView(), f.Caption, u"</div>");
        l(6, u"</td>");
        valueCell(l, table, f);
        l(5, u"</tr>");
    }
    l(4, u"</table>");
    l(3, u"</td>");
    l(2, u"</tr>");
    l.raw(u"\t</table>");
}

} // namespace

void GenerateTemplates(GenerationRun &run)
{
    const TablesByName tables = tablesByName(run.db);
    // Each template starts with the room that the one before took: the
    // templates of one kind are of about one size, so that a text seldom
    // has to grow.
    qsizetype room = 0;
    const auto generate = [&](const MyTable &table, QStringView suffix, auto &&build) {
        run.generateFile(QString(table.Name).append(suffix), [&] {
            Lines l(room);
            build(table, l);
            QString text = l.take();
            room = text.size();
            return text;
        });
    };
    for (const TablePtr &t : run.db.Tables)
        generate(*t, u"_templateTV.html",
                 [&](const MyTable &table, Lines &l) { rowTemplate(run, tables, table, false, l); });
    for (const TablePtr &t : run.db.Tables)
        generate(*t, u"_templateTVS.html",
                 [&](const MyTable &table, Lines &l) { rowTemplate(run, tables, table, true, l); });
    for (const TablePtr &t : run.db.Tables)
        generate(*t, u"_templateDV.html", [&](const MyTable &table, Lines &l) { detailTemplate(table, l); });
}

} // namespace tess
