#include "model/scramble.h"
#include "platform/cp1252.h"

namespace tess {

namespace {
constexpr unsigned char kScrambleKey = 0xD5;
}

QString ScrambleText(const QString &text)
{
    QString out;
    out.resize(text.size());
    QChar *d = out.data();
    const QChar *s = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        int byte = cp1252::toByte(s[i]);
        if (byte < 0)
            byte = '?';
        d[i] = cp1252::toChar(static_cast<unsigned char>(byte ^ kScrambleKey));
    }
    return out;
}

QString UnscrambleBytes(QByteArrayView bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = cp1252::toChar(static_cast<unsigned char>(bytes[i] ^ kScrambleKey));
    return out;
}

} // namespace tess
