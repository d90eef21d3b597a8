#pragma once
#include "platform/runtimeerror.h"

#include <functional>

namespace tess::test {

// The error number a call raises, 0 when it raises none.
inline int errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

} // namespace tess::test
