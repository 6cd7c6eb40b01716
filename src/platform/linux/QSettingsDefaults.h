// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Defaults.h"

#include <QSettings>

#include <filesystem>

namespace lumvex {

// Settings in an INI file (lumvex.conf under the XDG config folder), under the same keys as everywhere.
// The settings backend rewrites the whole file and drops comments and lines it cannot parse: before its
// first write, a file holding such lines is copied to lumvex.conf.orig. A symbolic link in the file's
// place is read, then replaced by a file of its own at the first write; the link's target is never
// written. A FIFO or device there is moved aside unread.
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

    void keepWhatTheUserWrote();

    const std::filesystem::path m_file;
    mutable QSettings m_settings;
    bool m_written = false;
};

} // namespace lumvex
