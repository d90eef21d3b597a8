#pragma once
// The error report of the editor's handlers: one information box naming
// the failing procedure and the error.
#include "platform/runtimeerror.h"

#include <QString>

namespace tess {

void ReportError(const QString &procedureName, const RuntimeError &error);

} // namespace tess
