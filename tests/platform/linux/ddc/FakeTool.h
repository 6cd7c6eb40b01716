// SPDX-License-Identifier: MIT
#pragma once

#include "base/Files.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace lumvex::test {

// A stand-in for lumvex-ddc: a shell script that appends its arguments to a log, then runs `body`.
class FakeTool
{
public:
    FakeTool(const std::filesystem::path &folder, const std::string &name, const std::string &body)
        : m_path(folder / name)
        , m_log(folder / (name + ".log"))
    {
        files::writeAtomically(m_path, "#!/bin/sh\necho \"$*\" >> '" + m_log.string() + "'\n" + body + "\n");
        ::chmod(m_path.c_str(), 0755);
    }

    const std::filesystem::path &path() const { return m_path; }

    // One line per run: the arguments.
    std::vector<std::string> calls() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_log;
};

// Whether a process is gone: no such process, or a zombie that nobody reaps in this container.
inline bool processGone(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

inline int readPid(const std::filesystem::path &file)
{
    return std::stoi(files::readAll(file).value_or("0"));
}

} // namespace lumvex::test
