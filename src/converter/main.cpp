// tzp2tzx: converts old project files into XML project files, in its window
// or, given a path, silently.
#include "converter/frmconverter.h"
#include "platform/qtapplication.h"
#include "platform/qtui.h"

int main(int argc, char **argv)
{
    tess::Application app(argc, argv);
    tess::QtUi ui;
    tess::setUi(&ui);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    return tess::runConverter(arguments.join(u' '));
}
