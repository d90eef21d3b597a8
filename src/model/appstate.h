#pragma once
// Program-wide state: the one project, its saved flag, the editor's
// selection, the style table and the values derived for the generators.
// Windows and commands reach it here; generators get what they need
// through their run object instead.
#include "model/project.h"

#include <QString>
#include <array>
#include <functional>

namespace tess {

// 30 slots (1..30; slot 0 unused) of selector and declarations.
struct StyleTable {
    std::array<QString, 31> StyleNames;
    std::array<QString, 31> StyleDefinitions;
    bool operator==(const StyleTable &) const = default;
};

struct AppState {
    DBPtr ProjectDB = std::make_shared<MyDB>();
    bool ProjectSaved = true;
    TablePtr CurrentTable;
    FieldPtr CurrentField;
    bool IsFillingPanes = false;
    bool AnyImageUpload = false;
    QString MySQLDateFormat;
    QString DatePartSeparator;
    StyleTable Styles;
    QString FileName; // the open project file
    // The database pane's style-file box; the editor installs it. Setting
    // it from code commits nothing.
    std::function<void(const QString &)> setStyleFileBox = [](const QString &) {};
};

AppState &app();

} // namespace tess
