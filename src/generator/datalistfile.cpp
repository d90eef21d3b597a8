// datalist.php: the run-time list library, built from the project's
// settings by the data-list generator.
#include "datalist/datalist.h"
#include "generator/generators.h"

namespace tess {

void GenerateDataListScript(GenerationRun &run)
{
    run.generateFile(QStringLiteral("datalist.php"), [&] {
        DataListOptions options;
        options.anyImageUpload = run.anyImageUpload;
        options.hideNavMenu = run.db.HideNavMenu;
        options.scrollStyle = run.db.ScrollStyle;
        options.datePartSeparator = run.datePartSeparator;
        return GetDataListScript(options);
    });
}

} // namespace tess
