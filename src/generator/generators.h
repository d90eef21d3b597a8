#pragma once
// The generation procedures, called by Generate in this order.
#include "generator/run.h"

namespace tess {

void GenerateViewScripts(GenerationRun &run);   // «t»_view.php
void GenerateDMLScripts(GenerationRun &run);    // «t»_dml.php
void GenerateTemplates(GenerationRun &run);     // «t»_templateTV/TVS/DV.html
void GenerateLibScript(GenerationRun &run);     // lib.php
void GenerateStyleSheet(GenerationRun &run);    // style.css
void GenerateSetupScript(GenerationRun &run);   // setup.php, images/
void GenerateIndexPage(GenerationRun &run);     // index.html
void GenerateDataListScript(GenerationRun &run);// datalist.php
void CopySupportFiles(GenerationRun &run);      // files/*, header.php, footer.php

// The two changes a run makes to the project it generates; GenerateAll
// makes them, the procedures above only read the project.
// Before the procedures: a shown column narrower than 20 gets 150, the
// width that the list page and the templates give it and that the project
// keeps from then on.
void WidenNarrowColumns(MyDB &project);
// After them: once setup.php was written (run.pendingChangesWritten), the
// pending schema changes of every table (AlterSQL, pkChanged) are done
// with; a skipped or failed setup.php keeps them for the next run.
void ForgetWrittenChanges(MyDB &project, const GenerationRun &run);

// The whole sequence, as Generate runs it after validation, for the project
// that run reads (run.db), handed here for the two changes above. An error
// that a procedure lets rise is shown through the host and the next one
// runs.
void GenerateAll(MyDB &project, GenerationRun &run);

} // namespace tess
