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

// The whole text of datalist.php: CR LF line ends, no line end after the
// closing "?>".
QString BuildDataListScript(const DataListOptions &options);
// The header-row cells of DataList::Render() (sort links or the sort-by
// drop-down); always the same text, each line ending in CR LF.
QString BuildTableHeadersCode();
// Entry for the generator: the text of datalist.php, built anew.
QString GetDataListScript(const DataListOptions &options);

} // namespace tess
