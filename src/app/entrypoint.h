#pragma once
// Every menu item, toolbar button and key command of the windows runs
// through runEntry: an error it raises ends that command with the message
// "Error n: desc" (exclamation icon, OK) and never the program.
#include <QObject>
#include <QString>
#include <functional>

namespace tess {

class EntryPoints : public QObject {
    Q_OBJECT
signals:
    // Before each command runs, with the name of its handler (tests follow
    // which command a control reached).
    void started(const QString &name);
};

EntryPoints &entryPoints();

// Runs the command; returns false when it ended in an error.
bool runEntry(const QString &name, const std::function<void()> &command);

} // namespace tess
