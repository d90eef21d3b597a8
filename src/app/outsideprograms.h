#pragma once
// The files and programs beside the main program that it hands to the
// desktop: the help file, the converter, the import tool, and web links.
// Each reports a missing file itself (a message, or the import notice).
#include <QString>

namespace tess {

// The help file tessaron_help.chm, to the desktop's opener.
void openHelpFile();
// The converter tzp2tzx, started without arguments.
void startConverter();
// The import tool mysql2tessaron; when it is missing, the import notice.
void startImportTool();
// A web address, to the desktop's opener; nothing is reported.
void openWebLink(const QString &address);

} // namespace tess
