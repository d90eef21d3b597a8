// datalist.php: the run-time list library, built from the project's
// settings by the data-list generator.
#include "datalist/datalist.h"
#include "generator/generators.h"

namespace tess {

void GenerateDataListScript(GenerationRun &run)
{
    run.logGenerating(QStringLiteral("datalist.php"));
    DataListOptions options;
    options.anyImageUpload = run.anyImageUpload;
    options.hideNavMenu = run.db.HideNavMenu;
    options.scrollStyle = run.db.ScrollStyle;
    options.datePartSeparator = run.datePartSeparator;
    run.WriteOutputFile(run.path(QStringLiteral("datalist.php")), QStringLiteral("datalist.php"),
                        GetDataListScript(options), true);
}

} // namespace tess
