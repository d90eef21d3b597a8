#include "model/constants.h"

namespace tess {

namespace {
const QString integerHint = QStringLiteral(
    "* Length property is optional -- if you specify a number here, data is left-padded with spaces.\r\n"
    "* There is no need to specify a precision.\r\n"
    "* You might check the Unsigned property to force this field to accept positive values only.\r\n"
    "* If you check Zero Fill, data values in this field will be left-padded with zeros.\r\n"
    "* This field can't be Binary.");
const QString fractionalHint = QStringLiteral(
    "* You should specify a length and a precision.\r\n"
    "* If you check Unsigned, only positive values will be accepted in this field.\r\n"
    "* If you check Zero Fill, data values in this field will be left-padded with zeros.\r\n"
    "* You shouldn't check Auto Increment or Binary for this data type.");
const QString characterHint = QStringLiteral(
    "* Specify a Length but leave the Precision property empty for this data type.\r\n"
    "* Maximum Length is 255. If you need a larger size, use Text or Blob data types.\r\n"
    "* Can't be Unsigned, Zero Filled or Auto Incremented.\r\n"
    "* Check the Binary property if you want values to be treated as binary rather than text data.");
const QString noSizeHint = QStringLiteral(
    "* Do not specify a Length or a Precision.\r\n"
    "* Can't be Unsigned, Zero Filled, Binary or Auto Incremented.");
} // namespace

const std::array<QString, 31> DataTypeHints = {
    QString(),
    integerHint, integerHint, integerHint, integerHint, integerHint,
    fractionalHint, fractionalHint, fractionalHint,
    noSizeHint, noSizeHint, noSizeHint, noSizeHint, noSizeHint,
    characterHint, characterHint,
    noSizeHint, noSizeHint, noSizeHint, noSizeHint, noSizeHint, noSizeHint, noSizeHint, noSizeHint,
};

} // namespace tess
