// The three HTML templates of every table: the cells of one table-view row,
// the cells of the highlighted row, and the detail-view form; their texts are
// templates/templateTV.html.in, templateTVS.html.in and templateDV.html.in.
#include "generator/generators.h"
#include "generator/lines.h"
#include "generator/template.h"
#include "model/constants.h"
#include "tpl/templateDV_html.h"
#include "tpl/templateTVS_html.h"
#include "tpl/templateTV_html.h"

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
    const bool select = !selected && table.AllowSelection;
    const Template &cell = selected ? tpl::templateTVS_html::cell
                           : select ? tpl::templateTV_html::cell
                                    : tpl::templateTV_html::cellWithoutSelect;
    if (selected)
        fill(l, tpl::templateTVS_html::head);
    else
        fill(l, tpl::templateTV_html::head, {{u"table", table.Name}});
    int column = 0;
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (!f.pHidden) {
            fill(l, cell,
                 {{u"width", Decimal(f.ColumnWidth)},
                  {u"numeric", numericCell(tables, f) ? QStringView(u"Numeric") : QStringView()},
                  {u"column", Decimal(column)}});
            ++column;
        }
        run.host.processEvents();
    }
}

// The value cell of one field: a single line, or an image or link with
// upload controls on lines of their own.
void valueCell(Lines &l, const MyTable &table, const MyField &f)
{
    namespace dv = tpl::templateDV_html;
    const TemplateValue name{u"name", f.Name};
    const bool lookup = !f.ParentTable.isEmpty();
    const bool list = !f.CSValueList.isEmpty();
    const bool date = f.pDataType == Dt::Date;

    if (f.pReadOnly && !f.pDetailImage && !f.pDetailLink) {
        fill(l, lookup || date || list ? dv::comboTextCell : dv::valueCell, {name});
        return;
    }
    if (!f.pReadOnly && !f.pDetailImage && !f.pDetailLink && !f.pAllowImageUpload) {
        const int type = f.pDataType;
        if (list || lookup || date) {
            fill(l, dv::comboCell, {name});
        } else if (f.pTextarea && (type == Dt::Char || type == Dt::VarChar || type >= Dt::TinyBlob)) {
            const int rows = f.pLength <= 50 ? 3 : f.pLength / 50 + 2;
            fill(l, dv::textareaCell, {name, {u"rows", Decimal(rows)}});
        } else if (!f.pAutoIncrement) {
            const int size = f.pLength <= 10 ? 10 : (f.pLength > 50 ? 50 : f.pLength);
            fill(l, dv::inputCell, {name, {u"size", Decimal(size)}});
        } else {
            fill(l, dv::valueCell, {name});
        }
        return;
    }

    fill(l, dv::mediaCellOpen);
    if (f.pDetailImage)
        fill(l, dv::image, {name});
    else if (f.pDetailLink)
        fill(l, dv::link, {name});
    if (!f.pReadOnly) {
        if (f.pAllowImageUpload)
            fill(l, dv::control, {{u"control", u"UPLOADFILE"}, name});
        if (f.pAllowImageUpload && table.AllowUpdate)
            fill(l, dv::control, {{u"control", u"REMOVEFILE"}, name});
        if (lookup)
            fill(l, dv::control, {{u"control", u"COMBO"}, name});
    }
    fill(l, dv::mediaCellClose);
}

void detailTemplate(const MyTable &table, Lines &l)
{
    namespace dv = tpl::templateDV_html;
    static const QString requiredMark = filled(dv::requiredMark);
    fill(l, dv::head);
    for (const FieldPtr &fp : table.Fields) {
        const MyField &f = *fp;
        if (f.pHideInDetailView)
            continue;
        const bool required = f.pNotNull && f.CSValueList.isEmpty();
        fill(l, dv::field,
             {{u"requiredMark", required ? QStringView(requiredMark) : QStringView()}, {u"caption", f.Caption}});
        valueCell(l, table, f);
        fill(l, dv::fieldEnd);
    }
    fill(l, dv::foot);
}

} // namespace

void GenerateTemplates(GenerationRun &run)
{
    const TablesByName tables = tablesByName(run.db);
    run.generatePerTable(u"_templateTV.html",
                         [&](const MyTable &table, Lines &l) { rowTemplate(run, tables, table, false, l); });
    run.generatePerTable(u"_templateTVS.html",
                         [&](const MyTable &table, Lines &l) { rowTemplate(run, tables, table, true, l); });
    run.generatePerTable(u"_templateDV.html", [&](const MyTable &table, Lines &l) { detailTemplate(table, l); });
}

} // namespace tess
