#include "model/appstate.h"

namespace tess {

void AppState::reset()
{
    // Fresh members, the same project object: others may hold it.
    *ProjectDB = MyDB();
    ProjectSaved = true;
    FileName.clear();
    CommandLine.clear();
    CurrentTable.reset();
    CurrentField.reset();
    IsFillingPanes = false;
    OverwriteMode = 0;
    AnyImageUpload = false;
    MySQLDateFormat.clear();
    DatePartSeparator.clear();
    Styles = StyleTable();
}

AppState &app()
{
    static AppState state;
    return state;
}

} // namespace tess
