// SPDX-License-Identifier: MIT
#pragma once

#include "AdjustmentSource.h"
#include "SituationBucket.h"
#include "base/Timestamp.h"
#include "base/UniqueFd.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumvex {

class Clock;
class FrontmostAppProvider;

// One CSV row per brightness adjustment, appended to adjustments.csv for the life of the process. At
// kRotateBytes the file becomes adjustments.csv.1 (replacing the one before) and a new one is started.
class AdjustmentLogger
{
public:
    static constexpr std::string_view kHeader =
        "timestamp_iso,event_type,B_before,B_after,L_filtered,R_target,situation,offset,frontmost_app\n";
    static constexpr std::uintmax_t kRotateBytes = 10 * 1024 * 1024;

    // An existing file is appended to; an empty or new one gets the header first (and, should that
    // write fail, with the first row). A symbolic link, FIFO or device in the
    // file's place is never written through: the log is then off, with a line on stderr.
    // The provider may be null (every row then names "unknown").
    AdjustmentLogger(const std::filesystem::path &folder, const Clock &clock,
                     const FrontmostAppProvider *frontmostApp = nullptr, std::uintmax_t rotateBytes = kRotateBytes);

    void log(AdjustmentSource source, double B_before, double B_after, double L, double R,
             const std::optional<SituationBucket> &situation, double offset);

    const std::filesystem::path &filePath() const { return m_filePath; }

    // "1|0|2|-|3", or empty without a situation.
    static std::string situationField(const std::optional<SituationBucket> &situation);
    static std::string formatRow(Timestamp moment, std::string_view event, double B_before, double B_after, double L,
                                 double R, const std::optional<SituationBucket> &situation, double offset,
                                 std::string_view frontmostApp);

private:
    void open();
    void rotate();

    const Clock &m_clock;
    const FrontmostAppProvider *m_frontmostApp;
    std::filesystem::path m_filePath;
    const std::uintmax_t m_rotateBytes;
    UniqueFd m_file;
    std::uintmax_t m_size = 0;
    // A row cut short by a kill is ended before the next one, which then starts on a line of its own.
    bool m_endLineFirst = false;
};

} // namespace lumvex
