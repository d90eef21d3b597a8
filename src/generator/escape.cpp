#include "generator/escape.h"

namespace tess {

QString phpDq(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'"' || c == u'$')
            out.append(u'\\');
        out.append(c);
    }
    return out;
}

QString phpSq(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'\'')
            out.append(u'\\');
        out.append(c);
    }
    return out;
}

QString sqlInPhpDq(const QString &sql) { return phpDq(sql); }

} // namespace tess
