// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace lumvex {

// The application the user works in right now.
class FrontmostAppProvider
{
public:
    virtual ~FrontmostAppProvider() = default;

    // The application's identifier (desktop application id or window class); nothing when no
    // application is in front or it has no identifier.
    virtual std::optional<std::string> frontmostAppId() const = 0;
    // Its name for people (the window class on X11); nothing when unknown.
    virtual std::optional<std::string> frontmostAppName() const { return std::nullopt; }
};

} // namespace lumvex
