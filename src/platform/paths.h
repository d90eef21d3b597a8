#pragma once
#include <QString>

namespace tess {

// Joins a folder and a name with "/" (no doubled separator).
inline QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

// The folder the running program lies in (files/, fileTypes.cfg, con_help).
QString programFolder();
// Makes another folder the program's (tests); an empty one restores the
// executable's.
void setProgramFolder(const QString &folder);

} // namespace tess
