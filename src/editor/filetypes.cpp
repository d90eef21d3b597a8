#include "editor/filetypes.h"
#include "platform/cp1252.h"

#include <QFileInfo>

namespace tess {

QStringList builtInFileTypeGroups()
{
    return {QString(), QStringLiteral("jpg|jpeg|gif|png"), QStringLiteral("csv|xls"),
            QStringLiteral("txt|doc|pdf|rtf"), QStringLiteral("mov|avi|swf|asf")};
}

FileTypeList readFileTypeList(const QString &path)
{
    FileTypeList list;
    const QFileInfo info(path);
    if (!info.exists()) {
        list.missing = true;
        list.groups = builtInFileTypeGroups();
        return list;
    }
    if (info.size() == 0) {
        list.groups = builtInFileTypeGroups();
        return list;
    }
    const QString text = cp1252::readFile(path);
    list.groups = {QString(), QStringLiteral("jpg|jpeg|gif|png")};
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == u'\r')
            --lineEnd;
        list.groups << text.mid(start, lineEnd - start);
        start = end + 1;
    }
    return list;
}

} // namespace tess
