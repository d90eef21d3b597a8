#include "platform/cp1252.h"
#include "platform/runtimeerror.h"

#include <QFile>
#include <array>

namespace tess::cp1252 {

namespace {

// 0x80..0x9F; the undefined 0x81, 0x8D, 0x8F, 0x90, 0x9D map to the C1
// control of the same number so that they survive a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar toChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

int toByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

QString decode(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = toChar(static_cast<unsigned char>(bytes[i]));
    return out;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        // A character beyond the 16-bit range is one character, one "?".
        if (s[i].isHighSurrogate() && i + 1 < n && s[i + 1].isLowSurrogate())
            ++i;
        const int b = toByte(s[i]);
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

QString readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        raise(Err::FileNotFound);
    return decode(f.readAll());
}

} // namespace tess::cp1252
