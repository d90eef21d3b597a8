#pragma once
// One Generate run from the commit of the editor's pane to the closing line
// of the log. The windows it needs (log window, editor, output-folder
// dialog) come through GenerateFrontEnd, so the order of the steps and the
// way each failure ends the run are in one place.
#include "generator/run.h"
#include "model/appstate.h"

#include <QDateTime>

namespace tess {

class GenerateFrontEnd {
public:
    virtual ~GenerateFrontEnd() = default;
    // Shows the log window with an empty log; the run writes through the
    // host it returns.
    virtual GenerationHost &openLog() = 0;
    // The colour of the whole log text: red while checking, dark blue after.
    virtual void setLogChecking(bool checking) = 0;
    // Commits the editor's pane on screen. False when it failed; it has
    // shown its one message then.
    virtual bool commitPane() = 0;
    // Shows the output-folder dialog; the empty text when cancelled.
    virtual QString chooseOutputFolder() = 0;
    // Pointers and the log window's buttons while the generators run.
    virtual void setBusy(bool busy) = 0;
    virtual QDateTime now() const;
};

// The clock of every run (tests fix it); nullptr restores the system clock.
using GenerationClock = QDateTime (*)();
void setGenerationClock(GenerationClock clock);

// The Generate command's run. Does nothing without a project or while
// another run is going. True when the application was generated and the
// log's last lines say so without errors.
bool RunGenerate(GenerateFrontEnd &frontEnd);

// The folder the output-folder dialog answered last (empty after a
// cancel, or before the first run): Browse and Save Log of the log window
// read it.
QString chosenOutputFolder();

// True from the start of a run to its end: Exit, another Generate,
// deleting tables and fields and closing the log window wait for it.
bool generationRunning();

} // namespace tess
