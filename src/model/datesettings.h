#pragma once
// The date pattern and separator that the project's date settings stand
// for; the editor's date preview and every Generate run use this one rule.
#include "model/project.h"

#include <QString>

namespace tess {

struct DateSettings {
    QString separator;    // "-", " ", ".", "/", ","
    QString preview;      // the sample date 2004-12-31 in the project's order
    QString mysqlFormat;  // the preview with %Y, %m, %d in place of the parts
};

DateSettings deriveDateSettings(const MyDB &db);

} // namespace tess
