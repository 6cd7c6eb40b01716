// SPDX-License-Identifier: MIT
#include "DailyLogFile.h"

#include "base/Files.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace lumvex {

DailyLogFile::DailyLogFile(std::filesystem::path folder, std::string prefix, std::string suffix, std::size_t keptDays,
                           std::uintmax_t keptBytes)
    : m_folder(std::move(folder))
    , m_prefix(std::move(prefix))
    , m_suffix(std::move(suffix))
    , m_keptDays(keptDays)
    , m_keptBytes(keptBytes)
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
    if (m_keptDays == 0 && m_keptBytes == 0) {
        return;
    }
    struct Day
    {
        std::filesystem::path file;
        std::uintmax_t bytes;
    };
    std::vector<Day> days;
    std::uintmax_t total = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(m_folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > m_prefix.size() + m_suffix.size() && name.starts_with(m_prefix) && name.ends_with(m_suffix)) {
            std::error_code sizeError;
            const std::uintmax_t bytes = it->is_regular_file(sizeError) ? it->file_size(sizeError) : 0;
            days.push_back({it->path(), sizeError ? 0 : bytes});
            total += days.back().bytes;
        }
    }
    std::sort(days.begin(), days.end(), [](const Day &a, const Day &b) { return a.file < b.file; });
    std::string removed;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const bool tooMany = m_keptDays > 0 && i + m_keptDays < days.size();
        const bool tooLarge = m_keptBytes > 0 && total > m_keptBytes;
        if (!tooMany && !tooLarge) {
            break;
        }
        if (days[i].file != keep && std::filesystem::remove(days[i].file, error)) {
            total -= days[i].bytes;
            const std::string name = days[i].file.filename().string();
            removed = name.substr(m_prefix.size(), name.size() - m_prefix.size() - m_suffix.size());
        }
    }
    if (!removed.empty()) {
        files::writeAtomically(m_folder / removedNoteName(m_prefix), removed + "\n");
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
