#pragma once

#include "engine/Defaults.h"

#include <QSettings>

#include <filesystem>

namespace lumvex {

// Settings in an INI file (lumvex.conf under the XDG config folder), under the same keys as everywhere.
class QSettingsDefaults final : public Defaults
{
public:
    explicit QSettingsDefaults(const std::filesystem::path &file);

    std::optional<bool> boolValue(const std::string &key) const override;
    std::optional<std::string> stringValue(const std::string &key) const override;
    void setBool(const std::string &key, bool value) override;
    void setString(const std::string &key, const std::string &value) override;
    void remove(const std::string &key) override;

private:
    // Writes the file at once, readable by the user only.
    void store();

    mutable QSettings m_settings;
};

} // namespace lumvex
