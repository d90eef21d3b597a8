#include "model/xmlchars.h"

#include <cstdint>
#include <cstring>

namespace tess {

namespace {

char *putUtf8(char *p, char32_t c)
{
    if (c < 0x80) {
        *p++ = char(c);
    } else if (c < 0x800) {
        *p++ = char(0xC0 | (c >> 6));
        *p++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *p++ = char(0xE0 | (c >> 12));
        *p++ = char(0x80 | ((c >> 6) & 0x3F));
        *p++ = char(0x80 | (c & 0x3F));
    } else {
        *p++ = char(0xF0 | (c >> 18));
        *p++ = char(0x80 | ((c >> 12) & 0x3F));
        *p++ = char(0x80 | ((c >> 6) & 0x3F));
        *p++ = char(0x80 | (c & 0x3F));
    }
    return p;
}

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The character of the reference at s ("&#65;", "&#x41;", "&lt;" and the
// other four of XML), with end set after it; false when s starts no
// reference. A number too large for any character gives one beyond them.
bool reference(const char *s, char32_t &c, const char *&end)
{
    if (s[1] == '#') {
        const bool hex = s[2] == 'x';
        const char *q = s + (hex ? 3 : 2);
        const char *const digits = q;
        char32_t v = 0;
        for (int d; (d = digitValue(*q, hex)) >= 0; ++q) {
            if (v <= 0x10FFFF)
                v = v * (hex ? 16 : 10) + char32_t(d);
        }
        if (q == digits || *q != ';')
            return false;
        c = v;
        end = q + 1;
        return true;
    }
    static const struct {
        const char *name;
        size_t length;
        char32_t c;
    } named[] = {{"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&apos;", 6, '\''}, {"&quot;", 6, '"'}};
    for (const auto &e : named) {
        if (std::strncmp(s, e.name, e.length) == 0) {
            c = e.c;
            end = s + e.length;
            return true;
        }
    }
    return false;
}

} // namespace

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

bool isXmlText(const char *s, size_t n)
{
    constexpr std::uint64_t ones = 0x0101010101010101u;
    const auto *p = reinterpret_cast<const unsigned char *>(s);
    const auto *const end = p + n;
    while (p < end) {
        // Eight characters at a time while they are ASCII and no control
        // characters (the usual case).
        while (end - p >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            if ((w & 0x80 * ones) || ((w - 0x20 * ones) & ~w & 0x80 * ones))
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned c = *p;
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                return false;
            ++p;
            continue;
        }
        ptrdiff_t len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p < len)
            return false;
        for (ptrdiff_t i = 1; i < len; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms; the surrogates and the range end fail the last test.
        if ((len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) || !isXmlChar(cp))
            return false;
        p += len;
    }
    return true;
}

bool isXmlText(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (!isXmlChar(c))
            return false;
    }
    return true;
}

bool decodeReferences(char *s)
{
    char *in = std::strchr(s, '&');
    if (!in)
        return true;
    char *out = in;
    while (*in) {
        char32_t c;
        const char *after;
        if (*in == '&' && reference(in, c, after)) {
            if (!isXmlChar(c))
                return false;
            out = putUtf8(out, c);
            in = const_cast<char *>(after);
        } else {
            *out++ = *in++;
        }
    }
    *out = 0;
    return true;
}

// A search for the "&" alone is many times faster than one for the pair.
bool containsNumericReference(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    while ((p = static_cast<const char *>(std::memchr(p, '&', size_t(end - p))))) {
        if (++p < end && *p == '#')
            return true;
    }
    return false;
}

} // namespace tess
