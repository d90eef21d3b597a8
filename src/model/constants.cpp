#include "model/constants.h"

namespace tess {

const std::array<QString, 31> DataTypeNames = {
    QString(), "TINYINT", "SMALLINT", "MEDIUMINT", "INT", "BIGINT", "FLOAT", "DOUBLE", "DECIMAL",
    "DATE", "DATETIME", "TIMESTAMP", "TIME", "YEAR", "CHAR", "VARCHAR", "TINYBLOB", "TINYTEXT",
    "TEXT", "BLOB", "MEDIUMBLOB", "MEDIUMTEXT", "LONGBLOB", "LONGTEXT",
};

const std::array<QString, 101> SupportFiles = {
    "asc.gif", "deselect.gif", "cancel_search.gif", "csv.gif", "delete.gif", "desc.gif",
    "insert.gif", "print.gif", "qsearch.gif", "scroll_bar.gif", "scroll_box.gif",
    "scroll_next.gif", "scroll_previous.gif", "search.gif", "table.gif", "update.gif",
    "language.php", "save_search.gif", "nextPage.gif", "previousPage.gif", "applyFilters.gif",
    "saveCopy.gif",
    // What today's PHP lacks of the old API the generated code uses;
    // language.php includes it.
    "compat.php",
    // blank.gif stays last: its second copy, into the upload folder, adds
    // its outcome word to this file's log line.
    "blank.gif",
};

} // namespace tess
