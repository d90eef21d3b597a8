#include "app/outsideprograms.h"
#include "app/forms.h"
#include "app/frmm2c.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QFileInfo>

namespace tess {

namespace {

constexpr int kFileMissing = 1000;

// The path of a file beside the program; raises when it is not there.
QString presentFile(const QString &name)
{
    const QString path = joinPath(programFolder(), name);
    if (!QFileInfo(path).isFile())
        raise(kFileMissing, QStringLiteral("File not found"));
    return path;
}

} // namespace

void openHelpFile()
{
    const QString path = joinPath(programFolder(), QStringLiteral("tessaron_help.chm"));
    try {
        ui().openExternal(presentFile(QStringLiteral("tessaron_help.chm")));
    } catch (const std::exception &) {
        ui().messageBox(QStringLiteral("Couldn't open '") + path
                            + QStringLiteral("'. If the file is missing, reinstall the program. If the file exists, "
                                             "you probably need to install a newer version of Internet Explorer "
                                             "that supports HTML Help."),
                        Mb::OkOnly | Mb::Exclamation);
    }
}

void startConverter()
{
    const QString path = joinPath(programFolder(), QStringLiteral("tzp2tzx"));
    try {
        ui().startProgram(presentFile(QStringLiteral("tzp2tzx")));
    } catch (const std::exception &) {
        ui().messageBox(QStringLiteral("Couldn't open '") + path
                            + QStringLiteral("'. If the file is missing, reinstall the program."),
                        Mb::OkOnly | Mb::Exclamation);
    }
}

void startImportTool()
{
    try {
        ui().startProgram(presentFile(QStringLiteral("mysql2tessaron")));
    } catch (const std::exception &) {
        frmM2C &notice = forms().m2c();
        notice.show();
        notice.raise();
        notice.activateWindow();
    }
}

void openWebLink(const QString &address) { ui().openExternal(address); }

} // namespace tess
