#include "datalist/datalist.h"

namespace tess {

// Placeholder until the library text lands.
QString BuildDataListScript(const DataListOptions &) { return QString(); }
QString GetDataListScript(const DataListOptions &options) { return BuildDataListScript(options); }

} // namespace tess
