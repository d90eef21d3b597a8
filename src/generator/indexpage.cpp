// index.html, the start page of the generated application; its text is
// templates/index.html.in.
#include "generator/generators.h"
#include "generator/lines.h"
#include "generator/template.h"
#include "model/maker.h"
#include "tpl/index_html.h"

namespace tess {

namespace {

QString indexPage(const GenerationRun &run)
{
    Lines rows;
    for (const auto &table : run.db.Tables)
        fill(rows, tpl::index_html::row, {{u"table", table->Name}, {u"caption", table->Caption}});
    return filled(tpl::index_html::page, {{u"version", programVersion()},
                                          {u"date", run.date},
                                          {u"time", run.time},
                                          {u"download", downloadAddress()},
                                          {u"rows", rows.view()},
                                          {u"webAddress", webAddress()}});
}

} // namespace

void GenerateIndexPage(GenerationRun &run)
{
    run.generateFile(QStringLiteral("index.html"), [&] { return indexPage(run); });
}

} // namespace tess
