#include "converter/convertproject.h"

#include "converter/oldprojectreader.h"
#include "converter/projectwriter.h"
#include "model/project.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace tess {

namespace {

// Whether both paths lead to one file: the same text, or one file reached
// through other spellings, links or hard links.
bool sameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    std::error_code ec;
    const bool same = std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                                  std::filesystem::path(QFile::encodeName(b).toStdString()), ec);
    return same && !ec;
}

} // namespace

QString DefaultOutputPath(const QString &oldPath)
{
    if (!oldPath.endsWith(QLatin1String(".tzp")))
        return oldPath;
    return oldPath.chopped(4) + QLatin1String(".tzx");
}

bool ConvertProject(const QString &oldPath, const QString &newPath)
{
    if (sameFile(oldPath, newPath))
        return false;
    MyDB db;
    if (!ReadOldProject(oldPath, db))
        return false;
    WriteXmlProject(newPath, db);
    return true;
}

} // namespace tess
