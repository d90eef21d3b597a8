#pragma once
// Test helper: old project files (.tzp) made of tokens, each scrambled and
// quoted as the old program stored them, with commas and line ends between;
// the projects they hold compared with the XML files made of them.
#include "projectdump.h"

#include "converter/oldprojectreader.h"
#include "model/scramble.h"
#include "model/xmlreader.h"
#include "platform/cp1252.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tess::testing {

inline QByteArray oldToken(const QString &text)
{
    return '"' + cp1252::encode(ScrambleText(text)) + '"';
}

inline QByteArray oldFile(const QStringList &tokens)
{
    QByteArray out;
    for (const QString &t : tokens)
        out += oldToken(t) + ",\r\n";
    return out;
}

// The fixed tokens of each part, with plain values.
inline QStringList oldDatabase(const QString &name = QStringLiteral("shop"))
{
    return {name, QStringLiteral("secret"), QStringLiteral("localhost"), QStringLiteral("admin")};
}

// Name, the seven permission flags (delete, filters, insert, print,
// selection, sorting, update), caption, filter count, records per page.
inline QStringList oldTable(const QString &name, const QString &flags = QStringLiteral("49 49 49 49 49 49 49"),
                            const QString &filterCount = QStringLiteral("10"),
                            const QString &recordsPerPage = QStringLiteral("20"))
{
    return QStringList{QStringLiteral("table"), name} + flags.split(u' ')
           + QStringList{name + QStringLiteral(" caption"), filterCount, recordsPerPage};
}

// Name, caption, column width, value list, parent caption field, parent ID
// field, parent table, auto increment, binary, data type, default, length,
// not null, precision, primary key, unique, unsigned, zero fill.
inline QStringList oldField(const QString &name, const QString &dataType = QStringLiteral("4"))
{
    return {QStringLiteral("field"), name,      name + QStringLiteral(" caption"), QStringLiteral("100"),
            QString(),               QString(), QString(),
            QString(),               QStringLiteral("0"), QStringLiteral("0"),
            dataType,                QString(), QStringLiteral("11"),
            QStringLiteral("0"),     QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"),     QStringLiteral("0"), QStringLiteral("0")};
}

// The project of an old file as it should read back from the XML file it
// was converted into: member by member, the date settings as the XML reader
// gives them (the text the file holds, 0 for none). Empty when the old file
// does not read.
inline QStringList convertedDump(const QString &oldPath)
{
    MyDB db;
    if (!ReadOldProject(oldPath, db))
        return {};
    for (Variant *v : {&db.DateFormat, &db.DateSeparator})
        *v = v->isEmpty() ? Variant(0) : Variant(v->toText());
    return dump(db);
}

// The project an XML file holds, member by member; empty when it does not read.
inline QStringList xmlDump(const QString &xmlPath)
{
    MyDB db;
    return ReadXmlProject(xmlPath, db) ? dump(db) : QStringList();
}

} // namespace tess::testing
