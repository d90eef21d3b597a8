#include "model/projectelements.h"

#include <cstddef>

namespace tess {

namespace {

// The reader takes the first element of a name: a second one of the same
// name in a list would never be read, though written.
template <typename Record, size_t N>
consteval bool namesAreUnique(const ProjectElement<Record> (&elements)[N])
{
    for (size_t i = 0; i < N; ++i)
        for (size_t j = i + 1; j < N; ++j)
            if (elements[i].name == elements[j].name)
                return false;
    return true;
}

static_assert(namesAreUnique(databaseElements));
static_assert(namesAreUnique(tableElements));
static_assert(namesAreUnique(fieldElements));

} // namespace

} // namespace tess
