#pragma once
// Escaping of model text placed into generated PHP. Ordinary text comes out
// unchanged; only the characters that would end or alter the literal are
// escaped.
#include <QString>

namespace tess {

// Inside a PHP double-quoted string: \ " $
QString phpDq(const QString &text);
// Inside a PHP single-quoted string: \ '
QString phpSq(const QString &text);
// SQL text that already carries its own backslash escapes, placed inside a
// PHP double-quoted string so that MySQL receives it exactly: \ " $
// (same rule as phpDq; kept apart so that call sites say what they hold)
QString sqlInPhpDq(const QString &sql);

} // namespace tess
