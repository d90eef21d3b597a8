#include "model/constants.h"

namespace tess {

const std::array<QString, 31> DataTypeNames = {
    QString(), "TINYINT", "SMALLINT", "MEDIUMINT", "INT", "BIGINT", "FLOAT", "DOUBLE", "DECIMAL",
    "DATE", "DATETIME", "TIMESTAMP", "TIME", "YEAR", "CHAR", "VARCHAR", "TINYBLOB", "TINYTEXT",
    "TEXT", "BLOB", "MEDIUMBLOB", "MEDIUMTEXT", "LONGBLOB", "LONGTEXT",
};

namespace {

const QString kIntegerHint = QStringLiteral(
    "* Length property is optional -- if you specify a number here, data is left-padded with spaces.\r\n"
    "* There is no need to specify a precision.\r\n"
    "* You might check the Unsigned property to force this field to accept positive values only.\r\n"
    "* If you check Zero Fill, data values in this field will be left-padded with zeros.\r\n"
    "* This field can't be Binary.");
const QString kFractionalHint = QStringLiteral(
    "* You should specify a length and a precision.\r\n"
    "* If you check Unsigned, only positive values will be accepted in this field.\r\n"
    "* If you check Zero Fill, data values in this field will be left-padded with zeros.\r\n"
    "* You shouldn't check Auto Increment or Binary for this data type.");
const QString kCharacterHint = QStringLiteral(
    "* Specify a Length but leave the Precision property empty for this data type.\r\n"
    "* Maximum Length is 255. If you need a larger size, use Text or Blob data types.\r\n"
    "* Can't be Unsigned, Zero Filled or Auto Incremented.\r\n"
    "* Check the Binary property if you want values to be treated as binary rather than text data.");
const QString kNoSizeHint = QStringLiteral(
    "* Do not specify a Length or a Precision.\r\n"
    "* Can't be Unsigned, Zero Filled, Binary or Auto Incremented.");

} // namespace

const std::array<QString, 31> DataTypeHints = {
    QString(),
    kIntegerHint, kIntegerHint, kIntegerHint, kIntegerHint, kIntegerHint,
    kFractionalHint, kFractionalHint, kFractionalHint,
    kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint,
    kCharacterHint, kCharacterHint,
    kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint, kNoSizeHint,
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
