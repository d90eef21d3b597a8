// Any bytes as a style file, loaded over the default styles. The errors the
// loader raises (too many pairs, a selector without declarations, a file it
// cannot read) are outcomes, not findings.
#include "model/appstate.h"
#include "model/styles.h"
#include "platform/runtimeerror.h"
#include "workfile.h"

using namespace tess;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::inputFile("input.tzs", data, size);
    AppState &state = app();
    LoadDefaultStyles(state.Styles);
    state.ProjectDB->StyleSheetFile.clear();
    try {
        LoadStylesFile(input);
    } catch (const RuntimeError &) {
    }
    // What was loaded writes.
    (void)StylesFileBytes(state.Styles);
    return 0;
}
