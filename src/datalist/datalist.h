#pragma once
// The text of datalist.php, the run-time list library of every generated
// application. It is the same for every project except where these
// settings enter.
#include <QString>

namespace tess {

struct DataListOptions {
    bool anyImageUpload = false;   // the form declares a file upload
    bool hideNavMenu = false;      // no navigation menu lines
    qint16 scrollStyle = 0;        // position of the header fragment
    QString datePartSeparator;     // written into DateCombo::GetHTML
};

QString BuildDataListScript(const DataListOptions &options);
QString GetDataListScript(const DataListOptions &options);

} // namespace tess
