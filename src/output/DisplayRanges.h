// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayRange.h"
#include "base/Files.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace lumvex {

// Each monitor's range, kept by its EDID identity in display_ranges.json, so that it holds across
// reconnecting, another port or another dock. Entries that are malformed or no usable range are left
// out with a line saying so; the others stay. Written through after every change.
class DisplayRanges
{
public:
    struct Entry
    {
        DisplayRange range;
        std::string name; // the monitor's name when set, for people reading the file
    };
    using Table = std::map<std::string, Entry>;

    explicit DisplayRanges(const std::filesystem::path &folder);

    // 0%-100% for a monitor without an entry.
    DisplayRange range(const std::string &identity) const;
    // False when the range is refused (see DisplayRange::problem) or the file could not be written; the
    // range holds for this run in the latter case.
    bool set(const std::string &identity, const std::string &name, const DisplayRange &range);
    const Table &entries() const { return m_table; }

    static std::optional<Table> decode(std::string_view text, files::DecodeNotes *notes);

private:
    explicit DisplayRanges(files::LoadedState<Table> loaded);

    files::StateFile m_file;
    Table m_table;
};

} // namespace lumvex
