// SPDX-License-Identifier: MIT
#pragma once

#include "LoginService.h"

#include <filesystem>

namespace lumvex {

// Starting at login through an XDG autostart entry (lumvex.desktop under $XDG_CONFIG_HOME/autostart),
// which every desktop that follows the autostart rules reads at login.
//
// Enabled while the entry exists and the desktop would start it; not registered without it. Without the
// program's own path nothing can be registered (not found), though an entry already there still counts,
// so that it can be switched off. Inside a sandbox the entry would not reach the desktop: there the
// desktop's background permission is what starts programs at login, which this service does not ask
// for, so it reports that approval is required and refuses to register.
class XdgAutostart final : public LoginService
{
public:
    // `program` is the path the entry starts; empty when it could not be determined.
    XdgAutostart(std::filesystem::path entryFile, std::filesystem::path program, bool sandboxed);

    LoginItemStatus status() const override;
    // Writes the entry whole (creating its folder), replacing any earlier one, so that it starts the
    // program at its present path.
    std::optional<std::string> registerProgram() override;
    std::optional<std::string> unregisterProgram() override;

private:
    bool entryStartsAtLogin() const;

    std::filesystem::path m_entryFile;
    std::filesystem::path m_program;
    bool m_sandboxed;
};

} // namespace lumvex
