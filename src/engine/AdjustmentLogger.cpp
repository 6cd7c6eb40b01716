// SPDX-License-Identifier: MIT
#include "AdjustmentLogger.h"

#include "FrontmostAppProvider.h"
#include "base/Clock.h"
#include "base/Files.h"
#include "base/Iso8601.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumvex {

AdjustmentLogger::AdjustmentLogger(const std::filesystem::path &folder, const Clock &clock,
                                   const FrontmostAppProvider *frontmostApp, std::uintmax_t rotateBytes)
    : m_clock(clock)
    , m_frontmostApp(frontmostApp)
    , m_filePath(folder / "adjustments.csv")
    , m_rotateBytes(rotateBytes)
{
    files::makePrivateDirectories(folder);
    open();
    struct stat info
    {};
    if (!m_file && ::lstat(m_filePath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        files::warn("Lumvex: " + m_filePath.string() +
                    " is a symbolic link, FIFO or device, not a file; the adjustment log is not written");
    }
}

void AdjustmentLogger::open()
{
    m_file = files::openLogForAppend(m_filePath);
    m_size = 0;
    m_endLineFirst = false;
    struct stat info
    {};
    if (!m_file || ::fstat(m_file.get(), &info) != 0) {
        return;
    }
    m_size = static_cast<std::uintmax_t>(info.st_size);
    char last = '\n';
    if (m_size > 0 && ::pread(m_file.get(), &last, 1, info.st_size - 1) == 1) {
        m_endLineFirst = last != '\n';
    }
    // Also repairs a file left empty by a kill right after its creation.
    if (m_size == 0 && files::writeAll(m_file.get(), kHeader)) {
        m_size = kHeader.size();
    }
}

void AdjustmentLogger::rotate()
{
    std::filesystem::path previous = m_filePath;
    previous += ".1";
    m_file.close();
    ::rename(m_filePath.c_str(), previous.c_str());
    open();
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

void AdjustmentLogger::log(AdjustmentSource source, double B_before, double B_after, double L, double R,
                           const std::optional<SituationBucket> &situation, double offset)
{
    if (!m_file) {
        return;
    }
    std::optional<std::string> app = m_frontmostApp ? m_frontmostApp->frontmostAppId() : std::nullopt;
    if (!app || app->empty()) {
        app = "unknown";
    }
    const std::string row = formatRow(m_clock.now(), logText(source), B_before, B_after, L, R, situation, offset, *app);
    if (m_size > 0 && m_size + row.size() > m_rotateBytes) {
        rotate();
        if (!m_file) {
            return;
        }
    }
    // One write per row: with O_APPEND a row never interleaves with another writer's.
    std::string text;
    if (m_size == 0) {
        text = kHeader;
    } else if (m_endLineFirst) {
        text = "\n";
    }
    text += row;
    if (files::writeAll(m_file.get(), text)) {
        m_size += text.size();
        m_endLineFirst = false;
    }
}

} // namespace lumvex
