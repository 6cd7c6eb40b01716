#include "DailyLogFile.h"

#include "engine/Files.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace lumvex {

DailyLogFile::DailyLogFile(std::filesystem::path folder, std::string prefix, std::string suffix)
    : m_folder(std::move(folder))
    , m_prefix(std::move(prefix))
    , m_suffix(std::move(suffix))
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
    m_fd = UniqueFd(::open(fileFor(day).c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
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
