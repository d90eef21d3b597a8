#pragma once
// Conversions between text and numbers with the semantics the project files
// and the editor rely on: a lenient leading-number read, strict numbers for
// stored integers and flags, and integer narrowing that rounds half to even.
#include <QString>
#include <QtGlobal>

namespace tess {

// The leading number of a text: blanks are skipped, then digits with an
// optional sign, point and exponent are read; "12px" -> 12, "" -> 0.
// "&H" and hex digits are read as a 16-bit (up to four digits) or 32-bit
// signed value ("&HFFFF" -> -1, "&HFFFF&" -> 65535).
double leadingNumber(const QString &text);

// leadingNumber of the text with its blanks, tabs and line feeds taken out
// wherever they stand ("1 2px" -> 12), as stored numbers are read.
double leadingNumberIgnoringBlanks(QString text);

// The whole text as a number (blanks around it allowed, "&H" hex accepted);
// anything else raises error 13, a number beyond a double error 6.
double strictNumber(const QString &text);

// "True"/"False" in any letter case, or a number (non-zero is true); anything
// else, the empty text included, raises error 13.
bool toBoolean(const QString &text);

// Round half to even, then narrow; out of range raises error 6.
qint16 toInt16(double value);
qint32 toInt32(double value);
qint16 toInt16(const QString &text); // strictNumber, then toInt16
qint32 toInt32(const QString &text);

// Half-to-even rounding of a double to the nearest whole number.
double roundHalfEven(double value);

// "True" / "False", the text form of a Boolean.
inline QString booleanText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace tess
