#include "app/generatesequence.h"

#include "app/validateproject.h"
#include "generator/generators.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

namespace tess {

namespace {

bool running = false;
GenerationClock clock = nullptr;
QString lastFolder;

class RunningFlag {
public:
    RunningFlag() { running = true; }
    ~RunningFlag() { running = false; }
};

void showError(const std::exception &e) { ui().messageBox(errorMessage(e), Mb::Exclamation); }

bool closingLines(GenerationRun &run, GenerationHost &log, const QDateTime &moment)
{
    run.setClock(moment);
    const QString when = run.date + QStringLiteral(" at ") + run.time + QStringLiteral(".");
    const bool clean = run.failedFiles == 0 && run.errorsShown == 0;
    if (clean) {
        log.appendLog(QStringLiteral("\r\n\r\nPHP Application generated successfully on ") + when);
    } else {
        log.appendLog(QStringLiteral("\r\n\r\nPHP Application generated with errors on ") + when);
        log.appendLog(QStringLiteral("\r\nFiles that failed: ") + QString::number(run.failedFiles));
    }
    log.appendLog(QStringLiteral("\r\nFor help on using the generated PHP application, please refer to\r\n"
                                 "the section \"Working with generated applications\" in Help."));
    return clean;
}

} // namespace

bool generationRunning() { return running; }

QString chosenOutputFolder() { return lastFolder; }

void setGenerationClock(GenerationClock c) { clock = c; }

QDateTime GenerateFrontEnd::now() const { return clock ? clock() : QDateTime::currentDateTime(); }

bool RunGenerate(GenerateFrontEnd &frontEnd)
{
    AppState &state = app();
    if (!state.projectOpen() || running)
        return false;
    RunningFlag flag;
    MyDB &db = *state.ProjectDB;

    // Up to the choice of the folder, any error ends the run: nothing may be
    // generated from a project that was not committed or not checked.
    GenerationHost *log = nullptr;
    QString folder;
    try {
        log = &frontEnd.openLog();
        if (!frontEnd.commitPane())
            return false;
        state.AnyImageUpload = false;
        frontEnd.setLogChecking(true);
        if (!ValidateProject(db, *log, state.AnyImageUpload))
            return false;
        frontEnd.setLogChecking(false);
        log->appendLog(QStringLiteral("Error checking: Ok."));
        folder = frontEnd.chooseOutputFolder();
        lastFolder = folder;
        if (folder.isEmpty()) {
            log->appendLog(QStringLiteral("\r\nPHP application generation process cancelled by user."));
            return false;
        }
    } catch (const std::exception &e) {
        showError(e);
        return false;
    }

    bool generated = false;
    frontEnd.setBusy(true);
    try {
        log->appendLog(QStringLiteral("\r\nOutput folder: ") + folder);
        GenerationRun run(db, state.Styles, *log);
        run.folder = folder;
        run.anyImageUpload = state.AnyImageUpload;
        run.setClock(frontEnd.now());
        GenerateAll(db, run);
        generated = closingLines(run, *log, frontEnd.now());
    } catch (const std::exception &e) {
        showError(e);
    }
    frontEnd.setBusy(false);
    return generated;
}

} // namespace tess
