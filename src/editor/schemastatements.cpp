#include "editor/schemastatements.h"

namespace tess::alter {

namespace {
const QString alterTable = QStringLiteral("ALTER TABLE `");
const QString end = QStringLiteral(";;");
} // namespace

QString keyChange(const QString &t, const QString &f, const QString &def)
{
    return alterTable + t + QStringLiteral("` CHANGE `") + f + QStringLiteral("` `") + f + QStringLiteral("` ")
        + def + end;
}

QString addIndex(const QString &t, const QString &f)
{
    return alterTable + t + QStringLiteral("` ADD INDEX (`") + f + QStringLiteral("`)") + end;
}

QString dropPrimaryKey(const QString &t)
{
    return alterTable + t + QStringLiteral("` DROP PRIMARY KEY") + end;
}

QString addUnique(const QString &t, const QString &f)
{
    return alterTable + t + QStringLiteral("` ADD UNIQUE (`") + f + QStringLiteral("`)") + end;
}

QString dropIndex(const QString &t, const QString &f)
{
    return alterTable + t + QStringLiteral("` DROP INDEX `") + f + QStringLiteral("`") + end;
}

QString columnChange(const QString &t, const QString &f, const QString &def)
{
    return u' ' + keyChange(t, f, def);
}

QString renameColumn(const QString &t, const QString &oldName, const QString &newName, const QString &def)
{
    return alterTable + t + QStringLiteral("` CHANGE `") + oldName + QStringLiteral("` `") + newName
        + QStringLiteral("` ") + def + end;
}

QString addColumn(const QString &t, const QString &f, const QString &type)
{
    return alterTable + t + QStringLiteral("` ADD `") + f + QStringLiteral("` ") + type + end;
}

QString dropColumn(const QString &t, const QString &f)
{
    return alterTable + t + QStringLiteral("` DROP `") + f + QStringLiteral("`") + end;
}

} // namespace tess::alter
