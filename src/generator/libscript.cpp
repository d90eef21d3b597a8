// lib.php, the function library of the generated application; its text is
// templates/lib.php.in.
#include "generator/escape.h"
#include "generator/generators.h"
#include "generator/header.h"
#include "generator/template.h"
#include "tpl/lib_php.h"

namespace tess {

namespace {

QString libScript(const GenerationRun &run)
{
    const MyDB &db = run.db;
    Lines options;
    for (const TablePtr &t : db.Tables)
        fill(options, tpl::lib_php::menuOption, {{u"table", phpDq(t->Name)}, {u"caption", phpDq(t->Caption)}});
    return filled(tpl::lib_php::script, {{u"phpHeader", phpHeader(run)},
                                         {u"dbhost", phpDq(db.Server)},
                                         {u"dbuser", phpDq(db.UserName)},
                                         {u"dbpass", phpDq(db.Password)},
                                         {u"dbname", phpDq(db.DBName)},
                                         {u"menuOptions", options.take()}});
}

} // namespace

void GenerateLibScript(GenerationRun &run)
{
    const QString name = QStringLiteral("lib.php");
    run.logGenerating(name);
    const QString text = libScript(run);
    run.WriteOutputFile(run.path(name), name, text, true);
}

} // namespace tess
