// SPDX-License-Identifier: MIT
#pragma once

#include "base/Files.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
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

} // namespace lumvex::test
