#include "platform/settings.h"

#include <QSettings>

namespace tess::settings {


QString get(const QString &key, const QString &defaultValue)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Halvorn Corvane"),
                QStringLiteral("Tessaron"));
    s.beginGroup(QStringLiteral("Settings"));
    return s.value(key, defaultValue).toString();
}

void set(const QString &key, const QString &value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Halvorn Corvane"),
                QStringLiteral("Tessaron"));
    s.beginGroup(QStringLiteral("Settings"));
    s.setValue(key, value);
    s.sync();
}

void clear()
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Halvorn Corvane"),
                QStringLiteral("Tessaron"));
    s.beginGroup(QStringLiteral("Settings"));
    s.remove(QString());
    s.sync();
}

} // namespace tess::settings
