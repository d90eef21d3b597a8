#include "app/generationlog.h"

#include "platform/cp1252.h"
#include "platform/savefile.h"

namespace tess {

void GenerationLog::save(const QString &path) const
{
    saveWholeFile(path, cp1252::encode(m_text + QStringLiteral("\r\n")));
}

QString GenerationLog::proposedFileName(const QString &folder, const QString &dbName)
{
    QString name = folder;
    if (!name.endsWith(u'/'))
        name += u'/';
    return name + dbName + QStringLiteral("_log.txt");
}

} // namespace tess
