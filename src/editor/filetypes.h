#pragma once
// The groups of upload file types offered to upload fields: the empty
// group and the image group first, then one group per line of the
// file-type list beside the program.
#include <QStringList>

namespace tess {

// The groups used when the list is missing or empty.
QStringList builtInFileTypeGroups();

// Reads the list (Windows-1252; lines ended by CR LF or LF, taken as they
// stand). A missing file gives no value; an empty one the built-in groups.
// A file that cannot be read raises an error.
struct FileTypeList {
    bool missing = false;
    QStringList groups;
};
FileTypeList readFileTypeList(const QString &path);

} // namespace tess
