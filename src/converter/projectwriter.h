#pragma once
// Writing of the XML project file (.tzx): UTF-8, no declaration, no
// indentation, elements only.
#include "model/project.h"

#include <QString>

namespace tess {

// Writes the project to FileName, replacing a file of that name only once
// the whole document is on disk. Returns true; every failure raises
// tess::RuntimeError and leaves an earlier file of that name as it was.
bool WriteXmlProject(const QString &FileName, const MyDB &DB);

} // namespace tess
