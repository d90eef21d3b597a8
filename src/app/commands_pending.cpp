// The commands and commits that are not built yet: each does nothing.
// A command that gets built moves out of this file.
#include "app/commands.h"

namespace tess::commands {

void miTablesNew_Click() {}
void miTablesDelete_Click() {}
void miFieldsNew_Click() {}
void miFieldsDelete_Click() {}
void miFieldsFirstField_Click() {}
void miFieldsLastField_Click() {}
void miProjectProperties_Click() {}
void miProjectStyles_Click() {}

} // namespace tess::commands
