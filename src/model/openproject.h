#pragma once
// Reading a project file into the one project, with the messages File >
// Open shows; the windows and the headless generation open a project the
// same way.
#include <QString>

namespace tess {

// Empties the one project and puts the default styles back.
void ClearProject();

// Reads path into the one project, then loads the style file it names.
// Returns whether a project is open then. A file that cannot be read has
// shown its message and leaves neither a project nor a file name.
bool OpenProjectFile(const QString &path);

// What a start with a project named on the command line says when the
// path is no file to open (missing, or a folder); empty for a file.
QString ProjectFileMissing(const QString &path);

} // namespace tess
