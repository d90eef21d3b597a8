#pragma once
// How the converter program starts: silently for a command line, or with
// its window waiting for the user.
#include <QString>

#include <optional>

namespace tess {

// Loads the converter window for a command line (the program's arguments
// joined by single blanks). With one, that file is converted and the window
// is gone again: the result is the exit status, 0 when the conversion
// succeeded, 1 otherwise. Without one the window is shown and waits: no result.
std::optional<int> startConverter(const QString &commandLine);

// The whole program: application object, UI services, start, event loop.
int runConverter(int argc, char **argv);

} // namespace tess
