#pragma once
// Reading of the XML project file (.tzx) into a project.
#include "model/project.h"

#include <QString>

namespace tess {

// Reads the project file into db (which the caller has reset). Returns false
// after a critical message box when the document cannot be loaded, or when
// its root holds no table element and is not a database element with all
// its settings (which is what a project without tables is). A value that
// cannot be converted raises tess::RuntimeError (13 type mismatch, 6
// overflow); what was read up to that point stays in db.
bool ReadXmlProject(const QString &FileName, MyDB &db);

} // namespace tess
