#include "generator/escape.h"

namespace tess {

namespace {

// A backslash before every character for which `special` holds. Text
// without such characters, nearly all of it, is handed back as it is.
template <typename Special>
QString backslashed(const QString &text, Special special)
{
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && !special(s[i]))
        ++i;
    if (i == n)
        return text;
    QString out;
    out.reserve(n + n / 8 + 8);
    // Runs of plain text are appended whole; each run after the first
    // starts with the character that got its backslash.
    qsizetype run = 0;
    for (; i < n; ++i) {
        if (!special(s[i]))
            continue;
        out.append(s + run, i - run);
        out.append(u'\\');
        run = i;
    }
    out.append(s + run, n - run);
    return out;
}

} // namespace

QString phpDq(const QString &text)
{
    return backslashed(text, [](QChar c) { return c == u'\\' || c == u'"' || c == u'$'; });
}

QString phpSq(const QString &text)
{
    return backslashed(text, [](QChar c) { return c == u'\\' || c == u'\''; });
}

QString sqlInPhpDq(const QString &sql) { return phpDq(sql); }

} // namespace tess
