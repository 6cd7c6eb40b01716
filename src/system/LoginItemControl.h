// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumvex {

enum class LoginItemStatus { notRegistered, enabled, requiresApproval, notFound };

// "notRegistered", "enabled", "requiresApproval", "notFound": the words of the log lines.
inline std::string statusDescription(LoginItemStatus status)
{
    switch (status) {
    case LoginItemStatus::notRegistered:
        return "notRegistered";
    case LoginItemStatus::enabled:
        return "enabled";
    case LoginItemStatus::requiresApproval:
        return "requiresApproval";
    case LoginItemStatus::notFound:
        return "notFound";
    }
    return "unknown";
}

// Starting at login: its state and a switch, for the menu.
class LoginItemControl
{
public:
    virtual ~LoginItemControl() = default;

    virtual LoginItemStatus status() const = 0;
    bool isEnabled() const { return status() == LoginItemStatus::enabled; }
    // Switches on when not enabled, off when enabled; false when the change was refused.
    virtual bool toggle() = 0;
};

} // namespace lumvex
