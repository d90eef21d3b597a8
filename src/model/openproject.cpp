#include "model/openproject.h"

#include "model/appstate.h"
#include "model/styles.h"
#include "model/xmlreader.h"
#include "platform/runtimeerror.h"
#include "platform/ui.h"

#include <QFileInfo>

namespace tess {

namespace {

// What a failed read leaves: no project, no file.
void forgetProject()
{
    ClearProject();
    app().ProjectDB->DBName.clear();
    app().FileName.clear();
}

// The styles of the style file the opened project names; one that cannot
// be read leaves the default styles, after its message.
void loadProjectStyles()
{
    const QString &file = app().ProjectDB->StyleSheetFile;
    if (!app().projectOpen() || file.isEmpty())
        return;
    try {
        LoadStylesFile(file);
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e));
        LoadDefaultStyles(app().Styles);
    }
}

} // namespace

void ClearProject()
{
    ResetProject(*app().ProjectDB);
    LoadDefaultStyles(app().Styles);
}

bool OpenProjectFile(const QString &path)
{
    app().FileName = path;
    ClearProject();
    // Whatever ends the reading early leaves no project behind: not a
    // half-read one, and no file name for Save to write it over.
    try {
        if (!ReadXmlProject(path, *app().ProjectDB)) {
            ui().messageBox(QStringLiteral("Error while opening the file '") + path
                                + QStringLiteral("'.\r\nInvalid or corrupted file"),
                            Mb::Critical);
            forgetProject();
        }
    } catch (const RuntimeError &e) {
        if (e.number() == Err::InputPastEnd)
            ui().messageBox(QStringLiteral("An error occured while reading the file:\r\n") + path
                            + QStringLiteral("\r\nInvalid file format."));
        else
            ui().messageBox(e.message());
        forgetProject();
    } catch (const std::exception &e) {
        ui().messageBox(errorMessage(e));
        forgetProject();
    }
    loadProjectStyles();
    return app().projectOpen();
}

QString ProjectFileMissing(const QString &path)
{
    if (QFileInfo(path).isFile())
        return {};
    return QStringLiteral("Couldn't open '") + path + QStringLiteral("'.\r\nFile not found.");
}

} // namespace tess
