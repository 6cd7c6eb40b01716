// SPDX-License-Identifier: MIT
#pragma once

#include "DdcTool.h"

namespace lumvex::ddc {

// The context of a real run: the X server named by DISPLAY, sysfs and device nodes under
// sysfsRoot(), i2c-dev buses, lock files in $XDG_RUNTIME_DIR/lumvex-ddc, $LUMVEX_DDC_CONNECTOR; in a
// Wayland session ids are connector-name hashes instead of X monitors.
ToolContext linuxToolContext(DdcClock &clock);

} // namespace lumvex::ddc
