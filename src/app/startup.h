#pragma once
// How the program starts: the main window's start-up sequence, then the
// editor in it.
#include <QString>

namespace tess {

// Runs the start-up for a command line (the program's arguments joined by
// single blanks) and leaves the windows open; errors end in a message.
void startProgram(const QString &commandLine);

// The whole program: application object, UI services, start-up, event loop.
int runTessaron(int argc, char **argv);

} // namespace tess
