#pragma once
// What the output-folder dialog accepts as the folder to generate into.
#include <QString>

namespace tess {

// The message that refuses folder as output folder, or the empty text when
// it may be used. It must exist, and it may be neither the program's
// folder nor its files folder, whatever path leads there (links, "..").
QString outputFolderRefusal(const QString &folder, const QString &programFolder);

} // namespace tess
