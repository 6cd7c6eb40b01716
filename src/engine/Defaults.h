// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace lumvex {

// The user's settings by key. An absent key reads as an empty optional, which is not the same as false.
class Defaults
{
public:
    virtual ~Defaults() = default;

    virtual std::optional<bool> boolValue(const std::string &key) const = 0;
    virtual std::optional<std::string> stringValue(const std::string &key) const = 0;
    virtual void setBool(const std::string &key, bool value) = 0;
    virtual void setString(const std::string &key, const std::string &value) = 0;
    virtual void remove(const std::string &key) = 0;
};

} // namespace lumvex
