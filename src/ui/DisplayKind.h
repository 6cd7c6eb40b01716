// SPDX-License-Identifier: MIT
#pragma once

namespace lumvex {

// Which device the brightness icon stands for: the machine's own panel (a laptop glyph) or an external
// monitor (a monitor glyph).
enum class DisplayKind { builtIn, external };

} // namespace lumvex
