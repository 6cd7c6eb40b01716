// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Defaults.h"

#include <map>
#include <variant>

namespace lumvex {

// Settings held in memory only: for tests and the simulation.
class MemoryDefaults final : public Defaults
{
public:
    std::optional<bool> boolValue(const std::string &key) const override
    {
        const auto it = m_values.find(key);
        if (it == m_values.end() || !std::holds_alternative<bool>(it->second)) {
            return std::nullopt;
        }
        return std::get<bool>(it->second);
    }

    std::optional<std::string> stringValue(const std::string &key) const override
    {
        const auto it = m_values.find(key);
        if (it == m_values.end() || !std::holds_alternative<std::string>(it->second)) {
            return std::nullopt;
        }
        return std::get<std::string>(it->second);
    }

    void setBool(const std::string &key, bool value) override { m_values[key] = value; }
    void setString(const std::string &key, const std::string &value) override { m_values[key] = value; }
    void remove(const std::string &key) override { m_values.erase(key); }

private:
    std::map<std::string, std::variant<bool, std::string>, std::less<>> m_values;
};

} // namespace lumvex
