#pragma once
// The preset value lists of the field pane: 31 slots of a name and its
// items joined by ";;"; slots 0 to 3 are used.
#include <QString>
#include <array>

namespace tess {

struct QuickLists {
    std::array<QString, 31> names;
    std::array<QString, 31> values;
};

QuickLists FillQuickLists();

} // namespace tess
