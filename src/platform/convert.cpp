#include "platform/convert.h"
#include "platform/runtimeerror.h"

#include <cmath>
#include <limits>

namespace tess {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Length of the numeric prefix of s starting at pos (sign, digits, point,
// exponent); 0 when there is no digit at all.
qsizetype numberPrefix(const QString &s, qsizetype pos)
{
    qsizetype i = pos;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    bool digits = false;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) { ++i; digits = true; }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) { ++i; digits = true; }
    }
    if (!digits)
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        qsizetype k = j;
        while (k < n && s[k].isDigit() && s[k].unicode() < 128)
            ++k;
        if (k > j)
            i = k;
    }
    return i - pos;
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// Reads "&H" and hex digits at the start of s, with an optional trailing
// "&" that marks a 32-bit value. Up to four digits without "&" are a signed
// 16-bit value ("&HFFFF" is -1), otherwise a signed 32-bit one; more than
// eight digits raise error 6. Returns the characters used, 0 when s does not
// start with "&H".
qsizetype hexPrefix(const QString &s, double &out)
{
    if (s.size() < 2 || s[0] != u'&' || (s[1] != u'H' && s[1] != u'h'))
        return 0;
    qsizetype i = 2;
    while (i < s.size() && isHexDigit(s[i]))
        ++i;
    const qsizetype digits = i - 2;
    const bool longMark = i < s.size() && s[i] == u'&';
    if (longMark)
        ++i;
    if (digits > 8)
        raise(Err::Overflow);
    const qlonglong v = digits == 0 ? 0 : s.mid(2, digits).toLongLong(nullptr, 16);
    if (digits <= 4 && !longMark && v > 0x7FFF)
        out = double(v - 0x10000);
    else if (v > 0x7FFFFFFF)
        out = double(v - 0x100000000LL);
    else
        out = double(v);
    return i;
}

} // namespace

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    double hex = 0;
    if (hexPrefix(text.mid(i), hex) > 0)
        return hex;
    const qsizetype len = numberPrefix(text, i);
    if (len == 0)
        return 0;
    return text.mid(i, len).toDouble();
}

double leadingNumberIgnoringBlanks(QString text)
{
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    text.remove(QLatin1Char('\n'));
    return leadingNumber(text);
}

double strictNumber(const QString &text)
{
    const QString t = text.trimmed();
    double hex = 0;
    if (const qsizetype used = hexPrefix(t, hex); used > 0) {
        // "&H" needs digits and nothing after them
        if (used != t.size() || used < 3 || !isHexDigit(t[2]))
            raise(Err::TypeMismatch);
        return hex;
    }
    if (t.isEmpty() || numberPrefix(t, 0) != t.size())
        raise(Err::TypeMismatch);
    const double d = t.toDouble();
    // Too large for a double ("1e999"): toDouble gives an infinity.
    if (std::isinf(d))
        raise(Err::Overflow);
    return d;
}

bool toBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return strictNumber(t) != 0;
}

double roundHalfEven(double value)
{
    // Spelled out rather than left to the floating-point environment.
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff > 0.5)
        return lower + 1;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

qint16 toInt16(double value)
{
    if (std::isnan(value))
        raise(Err::Overflow);
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        raise(Err::Overflow);
    return qint16(r);
}

qint32 toInt32(double value)
{
    if (std::isnan(value))
        raise(Err::Overflow);
    const double r = roundHalfEven(value);
    if (r < double(std::numeric_limits<qint32>::min()) || r > double(std::numeric_limits<qint32>::max()))
        raise(Err::Overflow);
    return qint32(r);
}

qint16 toInt16(const QString &text) { return toInt16(strictNumber(text)); }
qint32 toInt32(const QString &text) { return toInt32(strictNumber(text)); }

} // namespace tess
