#pragma once
// The characters of XML 1.0 and its references, for the project file
// reader. The parser it uses takes any byte and any character reference,
// and would turn "&#0;" into the end of a text and a reference to a
// surrogate into bytes that are no UTF-8; a conforming reader refuses a
// document with a character that XML does not allow, written out or by
// reference.
#include <QByteArray>
#include <QStringView>

#include <cstddef>

namespace tess {

// Tab, line feed, carriage return, and U+0020 to U+10FFFF but the
// surrogates, U+FFFE and U+FFFF.
bool isXmlChar(char32_t c);

// Whether the n bytes at s are UTF-8 holding XML characters only.
bool isXmlText(const char *s, size_t n);
// Whether a text holds XML characters only (a lone surrogate is none).
bool isXmlText(QStringView text);

// Replaces the references of a NUL-terminated text ("&#65;", "&#x41;" and
// the five named ones of XML) by their characters, in place: the text never
// grows. False when a character reference names a character XML does not
// allow. An "&" that starts no reference stays as it is.
bool decodeReferences(char *text);

// Whether "&#" occurs in the bytes.
bool containsNumericReference(const QByteArray &bytes);

} // namespace tess
