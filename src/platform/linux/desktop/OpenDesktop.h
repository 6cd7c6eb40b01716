// SPDX-License-Identifier: MIT
#pragma once

#include "Desktop.h"
#include "SessionEnvironment.h"

#include <memory>
#include <optional>
#include <string>

namespace lumvex {

class Defaults;

// The desktop of this session. LUMVEX_CAPTURE (screencopy or portal) overrides the Wayland capture
// choice, for compositors that offer both and for tests.
std::unique_ptr<Desktop> openDesktop(const SessionEnvironment &session, Defaults &defaults,
                                     const std::optional<std::string> &captureOverride);

} // namespace lumvex
