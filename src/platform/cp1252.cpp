#include "platform/cp1252.h"
#include "platform/runtimeerror.h"

#include <QFile>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Copies the leading characters that are the same byte in the code page and
// in Latin-1 (below 0x80, or 0xA0 to 0xFF), which is nearly all generated
// text; returns how many it copied.
qsizetype copySameAsLatin1(const char16_t *s, char *d, qsizetype n)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i notAscii = _mm_set1_epi16(short(0xFF80));
    const __m128i above = _mm_set1_epi16(0xFF);
    const __m128i c1Start = _mm_set1_epi16(0x80);
    const __m128i c1Span = _mm_set1_epi16(0x1F);
    const __m128i zero = _mm_setzero_si128();
    // A lane is fine when it is not above 0xFF and not within 0x80..0x9F.
    auto fine = [&](__m128i v) {
        const __m128i notAbove = _mm_cmpeq_epi16(_mm_subs_epu16(v, above), zero);
        const __m128i inC1 = _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(v, c1Start), c1Span), zero);
        return _mm_andnot_si128(inC1, notAbove);
    };
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i + 8));
        // A block of plain ASCII, the usual case, takes one test; any other
        // block is looked at lane by lane.
        const __m128i high = _mm_and_si128(_mm_or_si128(a, b), notAscii);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, zero)) != 0xFFFF
            && _mm_movemask_epi8(_mm_and_si128(fine(a), fine(b))) != 0xFFFF)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i), _mm_packus_epi16(a, b));
    }
#endif
    for (; i < n; ++i) {
        const char16_t u = s[i];
        if (u >= 0x80 && (u < 0xA0 || u > 0xFF))
            break;
        d[i] = char(u);
    }
    return i;
}

} // namespace

QByteArray encode(const QString &text)
{
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char *d = out.data();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    qsizetype i = 0;
    qsizetype o = 0;
    while (i < n) {
        const qsizetype same = copySameAsLatin1(s + i, d + o, n - i);
        i += same;
        o += same;
        if (i == n)
            break;
        // One character that differs; the copying in blocks goes on after it.
        // A character beyond the 16-bit range is one character, one "?".
        if (QChar::isHighSurrogate(s[i]) && i + 1 < n && QChar::isLowSurrogate(s[i + 1]))
            ++i;
        const int b = toByte(QChar(s[i]));
        d[o++] = b < 0 ? '?' : char(b);
        ++i;
    }
    out.truncate(o);
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
