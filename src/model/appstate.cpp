#include "model/appstate.h"

namespace tess {

AppState &app()
{
    static AppState state;
    return state;
}

} // namespace tess
