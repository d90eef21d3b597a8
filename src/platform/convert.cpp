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

bool parseHex(const QString &s, double &out)
{
    if (s.size() < 3 || s[0] != u'&' || (s[1] != u'H' && s[1] != u'h'))
        return false;
    bool ok = false;
    const qlonglong v = s.mid(2).toLongLong(&ok, 16);
    if (!ok)
        return false;
    // &H values of up to four digits are 16-bit and signed, like the
    // colours and flags written by older programs.
    if (s.size() - 2 <= 4 && v > 0x7FFF)
        out = double(v - 0x10000);
    else if (v > 0x7FFFFFFF && v <= 0xFFFFFFFFLL)
        out = double(v - 0x100000000LL);
    else
        out = double(v);
    return true;
}

} // namespace

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    double hex = 0;
    if (parseHex(text.mid(i), hex))
        return hex;
    const qsizetype len = numberPrefix(text, i);
    if (len == 0)
        return 0;
    return text.mid(i, len).toDouble();
}

double strictNumber(const QString &text)
{
    const QString t = text.trimmed();
    double hex = 0;
    if (parseHex(t, hex))
        return hex;
    if (t.isEmpty() || numberPrefix(t, 0) != t.size())
        raise(Err::TypeMismatch);
    return t.toDouble();
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
    // nearbyint under the default rounding mode (to nearest, ties to even)
    return std::nearbyint(value);
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
