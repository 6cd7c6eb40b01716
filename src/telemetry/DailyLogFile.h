// SPDX-License-Identifier: MIT
#pragma once

#include "base/UniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumvex {

// Lines appended to one file per day in a folder: "<prefix><day><suffix>". The file of a day is opened
// by its first line and stays open until a line for another day comes. Opening a day's file removes the
// files of all but the `keptDays` latest days, then the oldest while all of them take more than `keptBytes`,
// never the day being opened (0 bounds nothing); days sort as their names do. The latest day removed is
// noted in the folder's removedNoteName(prefix), so that readers can tell that the oldest days are gone.
class DailyLogFile
{
public:
    DailyLogFile(std::filesystem::path folder, std::string prefix, std::string suffix, std::size_t keptDays = 0,
                 std::uintmax_t keptBytes = 0);

    static std::string removedNoteName(std::string_view prefix) { return std::string(prefix) + "removed.txt"; }

    const std::filesystem::path &folder() const { return m_folder; }
    std::filesystem::path fileFor(std::string_view day) const;

    // Appends the line and a line feed to the day's file, opening it first when needed (folder 0700, new file
    // 0600). Returns false when nothing could be written; a later line tries again.
    bool append(std::string_view day, std::string_view line);
    void close();

private:
    void open(std::string_view day);
    void removeOldDays(const std::filesystem::path &keep) const;

    std::filesystem::path m_folder;
    std::string m_prefix;
    std::string m_suffix;
    std::size_t m_keptDays;
    std::uintmax_t m_keptBytes;
    std::string m_day;
    UniqueFd m_fd;
    // The file does not end in a line feed (an earlier write failed half way, or a crash cut a line).
    bool m_lineOpen = false;
};

} // namespace lumvex
