#include "editor/namerules.h"

#include <QSet>

namespace tess {

namespace {

bool isLowerLetter(QChar c) { return c >= u'a' && c <= u'z'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

const QSet<QString> &reservedWords()
{
    static const QSet<QString> words = [] {
        const char *list[] = {
            "add", "aggregate", "all", "alter", "after", "and", "as", "asc", "avg", "avg_row_length",
            "auto_increment", "between", "bigint", "binary", "blob", "bool", "both", "by", "cascade",
            "case", "char", "character", "change", "check", "checksum", "column", "columns", "comment",
            "constraint", "create", "cross", "current_date", "current_time", "current_timestamp", "data",
            "database", "databases", "datetime", "day", "day_hour", "day_minute", "day_second",
            "dayofmonth", "dayofweek", "dayofyear", "dec", "decimal", "default", "delayed",
            "delay_key_write", "delete", "desc", "describe", "distinct", "distinctrow", "double", "drop",
            "end", "else", "escape", "escaped", "enclosed", "explain", "exists", "fields", "file",
            "first", "float", "float4", "float8", "flush", "foreign", "from", "for", "full", "function",
            "global", "grant", "grants", "group", "having", "heap", "high_priority", "hour",
            "hour_minute", "hour_second", "hosts", "identified", "ignore", "in", "index", "infile",
            "inner", "insert", "insert_id", "int", "integer", "interval", "int1", "int2", "int3", "int4",
            "int8", "into", "if", "is", "isam", "join", "key", "keys", "kill", "last_insert_id",
            "leading", "left", "length", "like", "lines", "limit", "load", "local", "lock", "logs",
            "long", "longblob", "longtext", "low_priority", "max", "max_rows", "match", "mediumblob",
            "mediumtext", "mediumint", "middleint", "min_rows", "minute", "minute_second", "modify",
            "month", "monthname", "myisam", "natural", "numeric", "not", "null", "on", "optimize",
            "option", "optionally", "or", "order", "outer", "outfile", "pack_keys", "partial",
            "password", "precision", "primary", "procedure", "process", "processlist", "privileges",
            "read", "real", "references", "reload", "regexp", "rename", "replace", "restrict",
            "returns", "revoke", "rlike", "row", "rows", "second", "select", "set", "show", "shutdown",
            "smallint", "soname", "sql_big_tables", "sql_big_selects", "sql_low_priority_updates",
            "sql_log_off", "sql_log_update", "sql_select_limit", "sql_small_result", "sql_big_result",
            "sql_warnings", "straight_join", "starting", "status", "string", "table", "tables",
            "temporary", "terminated", "then", "tinyblob", "tinytext", "tinyint", "trailing", "to",
            "type", "use", "using", "unique", "unlock", "unsigned", "update", "usage", "values",
            "varchar", "variables", "varying", "varbinary", "with", "write", "when", "where", "year",
            "year_month", "zerofill",
        };
        QSet<QString> s;
        for (const char *w : list)
            s.insert(QString::fromLatin1(w));
        return s;
    }();
    return words;
}

} // namespace

bool hasValidNameCharacters(const QString &name, NameKind kind)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        // Only ASCII counts: some other letters (the Kelvin sign) lower-case
        // into a to z.
        if (name[i].unicode() > 127)
            return false;
        const QChar c = name[i].toLower();
        bool ok = isLowerLetter(c) || c == u'_';
        if (i > 0)
            ok = ok || isDigit(c) || (kind == NameKind::Database && c == u'-');
        if (!ok)
            return false;
    }
    return true;
}

bool isReservedWord(const QString &name)
{
    return reservedWords().contains(name.toLower());
}

QString invalidNameMessage()
{
    return QStringLiteral("Error: Invalid name.\r\n"
                          "Database, table and field names can only contain alphanumeric characters "
                          "and underscores.\r\n"
                          "Names cannot begin with a numeric character.");
}

QString reservedWordMessage(const QString &name)
{
    return u'\'' + name + QStringLiteral("' is a MySQL reserved keyword. Please choose another name.");
}

} // namespace tess
