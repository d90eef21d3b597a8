#pragma once
// The conversion of an old project file (.tzp) into an XML project file (.tzx).
#include <QString>

namespace tess {

// The output path proposed for an old project file: a trailing ".tzp"
// (exactly so written) becomes ".tzx"; any other path stays as it is, which
// the conversion then refuses as its own source.
QString DefaultOutputPath(const QString &oldPath);

// Reads the old file into a new project and writes it to newPath. False,
// with nothing written, when the reading fails or newPath names the old file
// itself. A failing write raises tess::RuntimeError and leaves no file
// behind (an earlier file of that name stays as it was).
bool ConvertProject(const QString &oldPath, const QString &newPath);

} // namespace tess
