#pragma once

#include "SituationBucket.h"
#include "Timestamp.h"
#include "UniqueFd.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumvex {

class Clock;
class FrontmostAppProvider;

// One CSV row per brightness adjustment, appended to adjustments.csv for the life of the process.
class AdjustmentLogger
{
public:
    static constexpr std::string_view kHeader =
        "timestamp_iso,event_type,B_before,B_after,L_filtered,R_target,situation,offset,frontmost_app\n";

    // Writes the header only when the file does not exist yet; an existing file is appended to as it is.
    // The provider may be null (every row then names "unknown").
    AdjustmentLogger(const std::filesystem::path &folder, const Clock &clock,
                     const FrontmostAppProvider *frontmostApp = nullptr);

    void log(std::string_view event, double B_before, double B_after, double L, double R,
             const std::optional<SituationBucket> &situation, double offset);

    const std::filesystem::path &filePath() const { return m_filePath; }

    // "1|0|2|-|3", or empty without a situation.
    static std::string situationField(const std::optional<SituationBucket> &situation);
    static std::string formatRow(Timestamp moment, std::string_view event, double B_before, double B_after, double L,
                                 double R, const std::optional<SituationBucket> &situation, double offset,
                                 std::string_view frontmostApp);

private:
    const Clock &m_clock;
    const FrontmostAppProvider *m_frontmostApp;
    std::filesystem::path m_filePath;
    UniqueFd m_file;
};

} // namespace lumvex
