// The three HTML templates of every table: the cells of one table-view row,
// the cells of the highlighted row, and the detail-view form. They hold only
// placeholders between "<%%" and "%%>", which the data list and the record
// script fill at run time; users may edit them afterwards.
// Each chain of + builds its text in one allocation.
#define QT_USE_QSTRINGBUILDER
#include "generator/generators.h"
#include "generator/lines.h"
#include "model/constants.h"

namespace tess {

namespace {

// A lookup's cell takes the class of the parent caption field's type; a
// parent table or caption field that does not exist counts as numeric.
bool numericCell(const MyDB &db, const MyField &f)
{
    if (f.ParentCaptionField.isEmpty())
        return isNumericType(f.pDataType);
    for (const TablePtr &t : db.Tables) {
        if (t->Name != f.ParentTable)
            continue;
        for (const FieldPtr &pf : t->Fields)
            if (pf->Name == f.ParentCaptionField)
                return isNumericType(pf->pDataType);
        return true;
    }
    return true;
}

QString rowTemplate(GenerationRun &run, const MyTable &table, bool selected)
{
    Lines l;
    if (selected) {
        l(QStringLiteral("<!-- Edit this file to change the layout of the highlighted record in the table view -->"));
    } else {
        l(QStringLiteral("<!-- Edit this file to change the layout of each record in the table view -->"));
        l(QStringLiteral("<!-- To disable clicking of a field, remove the <%%select%%> and <%%endselect%%> formatters around it-->"));
        l.blank();
        l(QStringLiteral("<!-- If you wish to hide the table view header that contains the column titles, -->"));
        l(QStringLiteral("<!-- open the generated '") + table.Name + QStringLiteral("_view.php' file in your text editor and -->"));
        l(QStringLiteral("<!-- change the value of $x->ShowTableHeader to 0 -->"));
        l.blank();
    }
    const bool select = !selected && table.AllowSelection;
    int column = 0;
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (!f.pHidden) {
            const bool numeric = numericCell(run.db, f);
            const QString cls = selected ? (numeric ? QStringLiteral("TableBodySelectedNumeric") : QStringLiteral("TableBodySelected"))
                                         : (numeric ? QStringLiteral("TableBodyNumeric") : QStringLiteral("TableBody"));
            QString cell = QStringLiteral("<%%FIELD_") + QString::number(column) + QStringLiteral("%%>");
            if (select)
                cell = QStringLiteral("<%%SELECT%%>") + cell + QStringLiteral("<%%ENDSELECT%%>");
            l(2, QStringLiteral("<td valign=\"top\" width=") + QString::number(f.ColumnWidth) + QStringLiteral(" class=\"")
                     + cls + QStringLiteral("\">") + cell + QStringLiteral("</TD>"));
            ++column;
        }
        run.host.processEvents();
    }
    return l.take();
}

QString value(const QString &name) { return QStringLiteral("<%%VALUE(") + name + QStringLiteral(")%%>"); }

QString imagePiece(const QString &name)
{
    return QStringLiteral("<img src=\"<%%TRANSLATION(ImageFolder)%%>") + value(name) + QStringLiteral("\" border=0>");
}

QString linkPiece(const QString &name)
{
    return QStringLiteral("<a href=\"<%%TRANSLATION(ImageFolder)%%>") + value(name) + QStringLiteral("\" target=_nWindow>")
        + value(name) + QStringLiteral("</a>");
}

// The value cell of one field: a single piece on the cell's own line, or an
// image or link with upload controls on lines of their own.
void valueCell(Lines &l, const MyTable &table, const MyField &f)
{
    const QString &name = f.Name;
    const bool lookup = !f.ParentTable.isEmpty();
    const bool list = !f.CSValueList.isEmpty();
    const bool date = f.pDataType == Dt::Date;
    const QString open = QStringLiteral("<td class=TableBody width=300>");
    const QString close = QStringLiteral("&nbsp;&nbsp;</td>");
    QString single;

    if (f.pReadOnly && !f.pDetailImage && !f.pDetailLink) {
        single = (lookup || date || list) ? QStringLiteral("<%%COMBOTEXT(") + name + QStringLiteral(")%%>") : value(name);
    } else if (!f.pReadOnly && !f.pDetailImage && !f.pDetailLink && !f.pAllowImageUpload) {
        const int type = f.pDataType;
        if (list || lookup || date) {
            single = QStringLiteral("<%%COMBO(") + name + QStringLiteral(")%%>");
        } else if (f.pTextarea && (type == Dt::Char || type == Dt::VarChar || type >= Dt::TinyBlob)) {
            const int rows = f.pLength <= 50 ? 3 : f.pLength / 50 + 2;
            single = QStringLiteral("<textarea class=TextBox name=%1 cols=50 rows=%2>").arg(name).arg(rows) + value(name)
                + QStringLiteral("</textarea>");
        } else if (!f.pAutoIncrement) {
            const int size = f.pLength <= 10 ? 10 : (f.pLength > 50 ? 50 : f.pLength);
            single = QStringLiteral("<input size=%1 type=text class=TextBox name=%2 value=\"").arg(size).arg(name) + value(name)
                + QStringLiteral("\">");
        } else {
            single = value(name);
        }
    }
    if (!single.isEmpty()) {
        l(5, open + single + close);
        return;
    }

    // The pieces continue the cell's opening line: an image or link begins a
    // line of its own, each "<br>" piece follows directly.
    l.raw(QString(5, u'\t') + open);
    if (f.pDetailImage)
        l.raw(QStringLiteral("\r\n"))(6, imagePiece(name));
    else if (f.pDetailLink)
        l.raw(QStringLiteral("\r\n"))(6, linkPiece(name));
    if (!f.pReadOnly) {
        if (f.pAllowImageUpload)
            l(6, QStringLiteral("<br><%%UPLOADFILE(") + name + QStringLiteral(")%%>"));
        if (f.pAllowImageUpload && table.AllowUpdate)
            l(6, QStringLiteral("<br><%%REMOVEFILE(") + name + QStringLiteral(")%%>"));
        if (lookup)
            l(6, QStringLiteral("<br><%%COMBO(") + name + QStringLiteral(")%%>"));
    }
    l.raw(QStringLiteral("\r\n"))(6, close);
}

QString detailTemplate(const MyTable &table)
{
    Lines l;
    l(QStringLiteral("<!-- Edit this file to change the layout of the detail view form -->"));
    l.blank();
    l(QStringLiteral("<br>"));
    l(QStringLiteral("<table border=1 bordercolor=navy cellpadding=0 cellspacing=0>"));
    l(1, QStringLiteral("<tr>"));
    l(2, QStringLiteral("<td>"));
    l(3, QStringLiteral("<div class=TableTitle><%%DETAIL_VIEW_TITLE%%></div>"));
    l(3, QStringLiteral("</td>"));
    l(2, QStringLiteral("</tr>"));
    l(1, QStringLiteral("<tr>"));
    l(2, QStringLiteral("<td>"));
    l(3, QStringLiteral("<table>"));
    l(4, QStringLiteral("<tr>"));
    l(5, QStringLiteral("<td colspan=2></td>"));
    l(5, QStringLiteral("<td rowspan=6 valign=top>"));
    l(6, QStringLiteral("<div><%%UPDATE_BUTTON%%></div>"));
    l(6, QStringLiteral("<div><%%DELETE_BUTTON%%></div>"));
    l(6, QStringLiteral("<div><%%DESELECT_BUTTON%%></div>"));
    l(6, QStringLiteral("<br>"));
    l(6, QStringLiteral("<div><%%INSERT_BUTTON%%></div>"));
    l(6, QStringLiteral("</td>"));
    l(5, QStringLiteral("</tr>"));
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (f.pHideInDetailView)
            continue;
        const QString marker = (f.pNotNull && f.CSValueList.isEmpty())
                                   ? QStringLiteral("<b class=\"Error\"><%%TRANSLATION(*)%%></b> ")
                                   : QString();
        l(4, QStringLiteral("<tr>"));
        l(5, QStringLiteral("<td class=TableHeader valign=top>"));
        l(6, QStringLiteral("<div class=TableHeader style=\"text-align:right;\">") + marker + f.Caption + QStringLiteral("</div>"));
        l(6, QStringLiteral("</td>"));
        valueCell(l, table, f);
        l(5, QStringLiteral("</tr>"));
    }
    l(4, QStringLiteral("</table>"));
    l(3, QStringLiteral("</td>"));
    l(2, QStringLiteral("</tr>"));
    l.raw(QStringLiteral("\t</table>"));
    return l.take();
}

void writeTemplate(GenerationRun &run, const MyTable &table, const QString &suffix, const QString &text)
{
    const QString name = table.Name + suffix;
    run.WriteOutputFile(run.path(name), name, text, true);
}

} // namespace

void GenerateTemplates(GenerationRun &run)
{
    for (const TablePtr &t : run.db.Tables) {
        run.logGenerating(t->Name + QStringLiteral("_templateTV.html"));
        writeTemplate(run, *t, QStringLiteral("_templateTV.html"), rowTemplate(run, *t, false));
    }
    for (const TablePtr &t : run.db.Tables) {
        run.logGenerating(t->Name + QStringLiteral("_templateTVS.html"));
        writeTemplate(run, *t, QStringLiteral("_templateTVS.html"), rowTemplate(run, *t, true));
    }
    for (const TablePtr &t : run.db.Tables) {
        run.logGenerating(t->Name + QStringLiteral("_templateDV.html"));
        writeTemplate(run, *t, QStringLiteral("_templateDV.html"), detailTemplate(*t));
    }
}

} // namespace tess
