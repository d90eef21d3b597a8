#pragma once
// The per-user settings store: one INI file under the user's configuration
// folder, organisation "Halvorn Corvane", section "Settings".
#include <QString>

namespace tess::settings {

QString get(const QString &key, const QString &defaultValue = {});
void set(const QString &key, const QString &value);
// Removes every setting of the section (a first run; tests start there).
void clear();

} // namespace tess::settings
