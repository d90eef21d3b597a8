// The generation sequence of one Generate run. Each procedure runs under
// its own guard: an error that one lets rise is shown and the next one
// runs. The validation before it and the success line after it belong to
// the Generate command.
#include "generator/generators.h"

namespace tess {

void WidenNarrowColumns(MyDB &project)
{
    for (const TablePtr &table : project.Tables)
        for (const FieldPtr &field : table->Fields)
            if (!field->pHidden && field->ColumnWidth < 20)
                field->ColumnWidth = 150;
}

void ForgetWrittenChanges(MyDB &project, const GenerationRun &run)
{
    if (!run.pendingChangesWritten)
        return;
    for (const TablePtr &table : project.Tables) {
        table->AlterSQL.clear();
        table->pkChanged = false;
    }
}

void GenerateAll(MyDB &project, GenerationRun &run)
{
    Q_ASSERT_X(&run.db == &project, "GenerateAll", "the run generates another project");
    WidenNarrowColumns(project);
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
    ForgetWrittenChanges(project, run);
}

} // namespace tess
