#pragma once
// Windows-1252, the 8-bit character set of every generated file, style file
// and old project file. Every byte maps to one character and back, the five
// bytes the code page leaves undefined included; characters outside the
// code page are written as "?".
#include <QByteArray>
#include <QString>

namespace tess::cp1252 {

QChar toChar(unsigned char byte);
// The byte of a character, or -1 when the code page has none.
int toByte(QChar c);

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

// Whole files as bytes; no line-end translation happens here.
// readFile raises error 53 when the file cannot be opened.
QString readFile(const QString &path);

} // namespace tess::cp1252
