#include "platform/scriptedui.h"

namespace tess {

int ScriptedUi::messageBox(const QString &text, int style, const QString &title)
{
    shown.append({QStringLiteral("message"), text, title.isEmpty() ? programTitle() : title, style, {}});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return defaultAnswer(style);
}

QString ScriptedUi::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    shown.append({QStringLiteral("input"), prompt, title, 0, {}});
    return inputs.isEmpty() ? defaultText : inputs.takeFirst();
}

QString ScriptedUi::openFileName(const FileDialogRequest &request)
{
    shown.append({QStringLiteral("open"), request.title, request.title, request.flags, request});
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedUi::saveFileName(const FileDialogRequest &request)
{
    shown.append({QStringLiteral("save"), request.title, request.title, request.flags, request});
    return files.isEmpty() ? QString() : files.takeFirst();
}

bool ScriptedUi::openExternal(const QString &target)
{
    shown.append({QStringLiteral("external"), target, {}, 0, {}});
    return true;
}

bool ScriptedUi::startProgram(const QString &path)
{
    shown.append({QStringLiteral("program"), path, {}, 0, {}});
    return true;
}

QStringList ScriptedUi::messages() const
{
    QStringList out;
    for (const auto &s : shown)
        if (s.kind == QLatin1String("message"))
            out << s.text;
    return out;
}

} // namespace tess
