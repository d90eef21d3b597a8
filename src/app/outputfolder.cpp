#include "app/outputfolder.h"

#include "platform/paths.h"

#include <QFileInfo>

namespace tess {

QString outputFolderRefusal(const QString &folder, const QString &programFolder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return QStringLiteral("The folder '") + folder + QStringLiteral("' does not exist.");
    const QString chosen = info.canonicalFilePath();
    const QString program = QFileInfo(programFolder).canonicalFilePath();
    const QString files = QFileInfo(joinPath(programFolder, QStringLiteral("files"))).canonicalFilePath();
    if (chosen == program || (!files.isEmpty() && chosen == files))
        return QStringLiteral("You can't save output to this folder");
    return {};
}

} // namespace tess
