#pragma once
// The checks Generate runs over the project before it writes anything. The
// first problem goes to the log and ends the run; on the way two settings
// are put the way the generators expect them.
#include "generator/run.h"
#include "model/project.h"

namespace tess {

// Returns true when every check passed. On failure the first problem's
// message has been appended to the log (which is empty at that moment, so
// it carries no line break in front). Sets anyImageUpload for every field
// it passed that allows image uploads; never sets it back to false.
// Writes into the project: an empty caption field of a lookup takes its ID
// field, and the single primary key of each table loses not-null and unique.
bool ValidateProject(MyDB &db, GenerationHost &log, bool &anyImageUpload);

} // namespace tess
