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

// The whole sequence, as Generate runs it after validation; an error that a
// procedure lets rise is shown through the host and the next one runs.
void GenerateAll(GenerationRun &run);

} // namespace tess
