#include "generator/header.h"

#include "generator/template.h"
#include "model/maker.h"
#include "tpl/generatedby.h"

namespace tess {

QString generatedBy(const GenerationRun &run)
{
    return filled(tpl::generatedby::generatedBy,
                  {{u"version", programVersion()}, {u"date", run.date}, {u"time", run.time}, {u"download", downloadAddress()}});
}

QString phpHeader(const GenerationRun &run)
{
    return filled(tpl::generatedby::phpHeader, {{u"generatedBy", generatedBy(run)}});
}

} // namespace tess
