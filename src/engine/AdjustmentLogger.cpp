#include "AdjustmentLogger.h"

#include "Clock.h"
#include "Files.h"
#include "FrontmostAppProvider.h"
#include "Iso8601.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace lumvex {

AdjustmentLogger::AdjustmentLogger(const std::filesystem::path &folder, const Clock &clock,
                                   const FrontmostAppProvider *frontmostApp)
    : m_clock(clock)
    , m_frontmostApp(frontmostApp)
    , m_filePath(folder / "adjustments.csv")
{
    files::makePrivateDirectories(folder);
    constexpr int flags = O_WRONLY | O_APPEND | O_CLOEXEC;
    // O_EXCL tells a file we create (which gets the header) from one that was already there.
    m_file = UniqueFd(::open(m_filePath.c_str(), flags | O_CREAT | O_EXCL, 0600));
    if (m_file) {
        files::writeAll(m_file.get(), kHeader);
    } else if (errno == EEXIST) {
        m_file = UniqueFd(::open(m_filePath.c_str(), flags));
    }
}

std::string AdjustmentLogger::situationField(const std::optional<SituationBucket> &situation)
{
    if (!situation) {
        return {};
    }
    const auto bin = [](std::int64_t value) { return std::to_string(value); };
    return bin(situation->darkBin) + '|' + bin(situation->brightBin) + '|' + bin(situation->meanBin) + '|' +
           (situation->ambientBin ? bin(*situation->ambientBin) : "-") + '|' + bin(situation->timeOfDayBin);
}

std::string AdjustmentLogger::formatRow(Timestamp moment, std::string_view event, double B_before, double B_after,
                                        double L, double R, const std::optional<SituationBucket> &situation,
                                        double offset, std::string_view frontmostApp)
{
    // Fields are not quoted: a separator or line break inside the application id would forge columns or rows.
    std::string app(frontmostApp);
    for (char &c : app) {
        if (c == ',' || c == '\n' || c == '\r') {
            c = '_';
        }
    }
    const std::string time = iso8601Utc(moment);
    const std::string kind(event);
    const std::string bins = situationField(situation);
    constexpr const char *format = "%s,%s,%.4f,%.4f,%.4f,%.4f,%s,%.4f,%s\n";
    const int length = std::snprintf(nullptr, 0, format, time.c_str(), kind.c_str(), B_before, B_after, L, R,
                                     bins.c_str(), offset, app.c_str());
    std::string row(static_cast<std::size_t>(length), '\0');
    std::snprintf(row.data(), row.size() + 1, format, time.c_str(), kind.c_str(), B_before, B_after, L, R, bins.c_str(),
                  offset, app.c_str());
    return row;
}

void AdjustmentLogger::log(std::string_view event, double B_before, double B_after, double L, double R,
                           const std::optional<SituationBucket> &situation, double offset)
{
    if (!m_file) {
        return;
    }
    std::optional<std::string> app = m_frontmostApp ? m_frontmostApp->frontmostAppId() : std::nullopt;
    if (!app || app->empty()) {
        app = "unknown";
    }
    // One write per row: with O_APPEND a row never interleaves with another writer's.
    files::writeAll(m_file.get(), formatRow(m_clock.now(), event, B_before, B_after, L, R, situation, offset, *app));
}

} // namespace lumvex
