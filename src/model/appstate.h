#pragma once
// Program-wide state: the one project, its saved flag and file, the
// command line, the editor's selection, the style table and the values
// derived for the generators. Windows and commands reach it through app();
// generators get what they need through their run object instead.
//
// Lower layers never touch a widget: when they change something a window
// shows, they emit one of the signals below and the window, which
// connected to it, updates itself.
#include "model/project.h"

#include <QObject>
#include <QString>
#include <array>

namespace tess {

// 30 slots (1..30; slot 0 unused) of selector and declarations.
struct StyleTable {
    std::array<QString, 31> StyleNames;
    std::array<QString, 31> StyleDefinitions;
    bool operator==(const StyleTable &) const = default;
};

class AppState : public QObject {
    Q_OBJECT
public:
    // The one project; New and open reset it in place, it is never replaced.
    DBPtr ProjectDB = std::make_shared<MyDB>();
    bool ProjectSaved = true;
    QString FileName;    // the project file last opened (the main window's FileName)
    QString CommandLine; // the project named on the command line, until opened
    TablePtr CurrentTable;
    FieldPtr CurrentField;
    bool IsFillingPanes = false;
    qint16 OverwriteMode = 0; // during a Generate run: 0 ask, 1 overwrite all, 2 skip all
    bool AnyImageUpload = false;
    QString MySQLDateFormat;
    QString DatePartSeparator;
    StyleTable Styles;

    // A project is open while it has a database name: a read that failed
    // and a closed editor leave none.
    bool projectOpen() const { return !ProjectDB->DBName.isEmpty(); }

    // Back to the state of a program that has just started (tests start
    // from here). The project object stays the same one, emptied.
    void reset();

    // Tells the database pane's style-file box what to show; showing it
    // commits nothing.
    void showStyleFileName(const QString &name) { emit styleFileNameShown(name); }
    // Asks for the help window on a topic (a control's tag).
    void requestHelp(const QString &tag) { emit helpRequested(tag); }

signals:
    void styleFileNameShown(const QString &name);
    void helpRequested(const QString &tag);
};

AppState &app();

} // namespace tess
