#include "WaylandOutputId.h"

namespace lumvex {

DisplayId waylandOutputId(std::string_view name)
{
    DisplayId hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    // 0 names no display.
    return hash == 0 ? 1 : hash;
}

} // namespace lumvex
