#pragma once
// The programs' application object. An error that a command did not handle
// itself is reported here instead of ending the program inside Qt's event
// loop, which cannot pass exceptions through.
#include <QApplication>
#include <functional>

namespace tess {

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Runs fn and reports any error it raises in a message box ("Error n: desc");
// returns false when it did.
bool guarded(const std::function<void()> &fn);

} // namespace tess
