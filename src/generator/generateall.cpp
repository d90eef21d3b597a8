// The generation sequence of one Generate run. Each procedure runs under
// its own guard: an error that one lets rise is shown and the next one
// runs. The validation before it and the success line after it belong to
// the Generate command.
#include "generator/generators.h"

namespace tess {

void GenerateAll(GenerationRun &run)
{
    using Step = void (*)(GenerationRun &);
    static const Step steps[] = {
        GenerateViewScripts, GenerateDMLScripts, GenerateTemplates, GenerateLibScript,
        GenerateStyleSheet,  GenerateSetupScript, GenerateIndexPage, GenerateDataListScript,
        CopySupportFiles,
    };
    for (Step step : steps) {
        try {
            step(run);
        } catch (const std::exception &e) {
            run.reportError(errorMessage(e));
        }
    }
}

} // namespace tess
