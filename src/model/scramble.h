#pragma once
// The self-inverse text scrambler of style files and old project files.
#include <QByteArrayView>
#include <QString>

namespace tess {

// Each character's Windows-1252 byte combined with 0xD5 by exclusive or;
// applying it twice gives the text back. A character outside the code page
// is first taken as "?", so only text of the code page survives unchanged.
QString ScrambleText(const QString &text);

// The text of scrambled bytes read from a file: each byte is combined with
// the key before it is decoded, so every byte gives its own character,
// whatever the code page makes of the scrambled byte.
QString UnscrambleBytes(QByteArrayView bytes);

} // namespace tess
