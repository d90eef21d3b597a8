#pragma once
// Test helpers: every member of a project as "member=value" texts, so that
// whole projects compare in one QCOMPARE and a mismatch names the member.
#include "model/project.h"

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tess::testing {

inline QString shown(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
inline QString shown(qint32 n) { return QString::number(n); }
inline QString shown(qint16 n) { return QString::number(n); }
inline QString shown(const QString &s) { return s; }
// A variant shows what it holds: "#3" a number, "'3'" a text, "<empty>".
inline QString shown(const Variant &v)
{
    if (v.isEmpty())
        return QStringLiteral("<empty>");
    if (v.isInteger())
        return QLatin1Char('#') + v.toText();
    return QLatin1Char('\'') + v.toText() + QLatin1Char('\'');
}

using Members = QMap<QString, QString>;

inline Members members(const MyDB &d)
{
    return {
        {"DBName", shown(d.DBName)}, {"UserName", shown(d.UserName)}, {"Password", shown(d.Password)},
        {"Server", shown(d.Server)}, {"DBType", shown(d.DBType)}, {"HideNavMenu", shown(d.HideNavMenu)},
        {"StyleSheetFile", shown(d.StyleSheetFile)}, {"ScrollStyle", shown(d.ScrollStyle)},
        {"DateFormat", shown(d.DateFormat)}, {"DateSeparator", shown(d.DateSeparator)},
    };
}

inline Members members(const MyTable &t)
{
    return {
        {"Name", shown(t.Name)}, {"Caption", shown(t.Caption)},
        {"AllowSelection", shown(t.AllowSelection)}, {"AllowUpdate", shown(t.AllowUpdate)},
        {"AllowInsert", shown(t.AllowInsert)}, {"AllowDelete", shown(t.AllowDelete)},
        {"AllowPrint", shown(t.AllowPrint)}, {"AllowSorting", shown(t.AllowSorting)},
        {"AllowFilters", shown(t.AllowFilters)}, {"AllowSavingFilters", shown(t.AllowSavingFilters)},
        {"FilterCount", shown(t.FilterCount)}, {"RecordsPerPage", shown(t.RecordsPerPage)},
        {"HideTableView", shown(t.HideTableView)}, {"DetailViewLabel", shown(t.DetailViewLabel)},
        {"QuickSearch", shown(t.QuickSearch)}, {"AllowCSV", shown(t.AllowCSV)},
        {"RedirectAfterInsert", shown(t.RedirectAfterInsert)}, {"AlterSQL", shown(t.AlterSQL)},
        {"pkChanged", shown(t.pkChanged)}, {"Fields.Count", shown(t.Fields.Count())},
    };
}

inline Members members(const MyField &f)
{
    return {
        {"Name", shown(f.Name)}, {"Caption", shown(f.Caption)}, {"Index", shown(f.Index)},
        {"ParentTable", shown(f.ParentTable)}, {"ParentIDField", shown(f.ParentIDField)},
        {"ParentCaptionField", shown(f.ParentCaptionField)}, {"CSValueList", shown(f.CSValueList)},
        {"CSValueListType", shown(f.CSValueListType)}, {"pPrimaryKey", shown(f.pPrimaryKey)},
        {"pUnique", shown(f.pUnique)}, {"pDataType", shown(f.pDataType)}, {"pLength", shown(f.pLength)},
        {"pPrecision", shown(f.pPrecision)}, {"pDefault", shown(f.pDefault)}, {"pBinary", shown(f.pBinary)},
        {"pNotNull", shown(f.pNotNull)}, {"pAutoIncrement", shown(f.pAutoIncrement)},
        {"pUnsigned", shown(f.pUnsigned)}, {"pZeroFill", shown(f.pZeroFill)},
        {"ColumnWidth", shown(f.ColumnWidth)}, {"pHidden", shown(f.pHidden)},
        {"pNotFiltered", shown(f.pNotFiltered)}, {"pTableImage", shown(f.pTableImage)},
        {"pDetailImage", shown(f.pDetailImage)}, {"pTableLink", shown(f.pTableLink)},
        {"pDetailLink", shown(f.pDetailLink)}, {"pAllowImageUpload", shown(f.pAllowImageUpload)},
        {"pUploadFileTypes", shown(f.pUploadFileTypes)}, {"pMaxUploadSize", shown(f.pMaxUploadSize)},
        {"pHideInDetailView", shown(f.pHideInDetailView)}, {"pReadOnly", shown(f.pReadOnly)},
        {"pNumChars", shown(f.pNumChars)}, {"pDeleteFiles", shown(f.pDeleteFiles)},
        {"pNoFileRename", shown(f.pNoFileRename)}, {"pTextarea", shown(f.pTextarea)},
    };
}

// The whole project, one line per member, prefixed with its place.
inline QStringList dump(const MyDB &db)
{
    QStringList out;
    auto add = [&out](const QString &prefix, const Members &m) {
        for (auto it = m.begin(); it != m.end(); ++it)
            out << prefix + it.key() + QLatin1Char('=') + it.value();
    };
    add(QStringLiteral("db."), members(db));
    int ti = 0;
    for (const TablePtr &t : db.Tables) {
        const QString tp = QStringLiteral("table[%1].").arg(++ti);
        add(tp, members(*t));
        int fi = 0;
        for (const FieldPtr &f : t->Fields)
            add(tp + QStringLiteral("field[%1].").arg(++fi), members(*f));
    }
    return out;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace tess::testing
