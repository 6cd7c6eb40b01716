// SPDX-License-Identifier: MIT
#include "DailyLogFile.h"

#include "base/Files.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace lumvex {

DailyLogFile::DailyLogFile(std::filesystem::path folder, std::string prefix, std::string suffix, std::size_t keptDays)
    : m_folder(std::move(folder))
    , m_prefix(std::move(prefix))
    , m_suffix(std::move(suffix))
    , m_keptDays(keptDays)
{}

std::filesystem::path DailyLogFile::fileFor(std::string_view day) const
{
    return m_folder / (m_prefix + std::string(day) + m_suffix);
}

void DailyLogFile::open(std::string_view day)
{
    close();
    m_day = day;
    // The folder may have been removed since the last day began.
    files::makePrivateDirectories(m_folder);
    // Never through a link, into a FIFO or a device.
    m_fd = files::openLogForAppend(fileFor(day));
    removeOldDays(fileFor(day));
    struct stat info
    {};
    char last = '\n';
    if (m_fd && ::fstat(m_fd.get(), &info) == 0 && info.st_size > 0) {
        if (::pread(m_fd.get(), &last, 1, info.st_size - 1) != 1) {
            last = '\n';
        }
    }
    m_lineOpen = last != '\n';
}

void DailyLogFile::removeOldDays(const std::filesystem::path &keep) const
{
    if (m_keptDays == 0) {
        return;
    }
    std::vector<std::filesystem::path> days;
    std::error_code error;
    for (std::filesystem::directory_iterator it(m_folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > m_prefix.size() + m_suffix.size() && name.starts_with(m_prefix) && name.ends_with(m_suffix)) {
            days.push_back(it->path());
        }
    }
    if (days.size() <= m_keptDays) {
        return;
    }
    std::sort(days.begin(), days.end());
    for (std::size_t i = 0; i + m_keptDays < days.size(); ++i) {
        if (days[i] != keep) {
            std::filesystem::remove(days[i], error);
        }
    }
}

bool DailyLogFile::append(std::string_view day, std::string_view line)
{
    if (day != m_day || !m_fd) {
        open(day);
    }
    if (!m_fd) {
        return false;
    }
    // A cut line is ended first, so that it spoils only itself and not the line that follows.
    std::string text = m_lineOpen ? "\n" : "";
    text.append(line);
    text += '\n';
    // One write per line: with O_APPEND it never interleaves with another writer's.
    const bool written = files::writeAll(m_fd.get(), text);
    m_lineOpen = !written;
    return written;
}

void DailyLogFile::close()
{
    m_fd.close(); // a late write error has nowhere to go
    m_day.clear();
    m_lineOpen = false;
}

} // namespace lumvex
