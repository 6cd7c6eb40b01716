// SPDX-License-Identifier: MIT
#include "XdgAutostart.h"

#include "DesktopEntry.h"
#include "base/Files.h"

#include <cerrno>
#include <cstring>

namespace lumvex {

namespace fs = std::filesystem;

XdgAutostart::XdgAutostart(fs::path entryFile, fs::path program, bool sandboxed)
    : m_entryFile(std::move(entryFile))
    , m_program(std::move(program))
    , m_sandboxed(sandboxed)
{}

bool XdgAutostart::entryStartsAtLogin() const
{
    const auto text = files::readAll(m_entryFile);
    return text && desktop_entry::startsAtLogin(*text);
}

LoginItemStatus XdgAutostart::status() const
{
    if (m_sandboxed) {
        return LoginItemStatus::requiresApproval;
    }
    if (entryStartsAtLogin()) {
        return LoginItemStatus::enabled;
    }
    return m_program.empty() ? LoginItemStatus::notFound : LoginItemStatus::notRegistered;
}

std::optional<std::string> XdgAutostart::registerProgram()
{
    if (m_sandboxed) {
        return "running in a sandbox, where only the desktop's background permission can start a program at "
               "login";
    }
    if (m_program.empty()) {
        return "the program's own path could not be determined";
    }
    std::error_code error;
    fs::create_directories(m_entryFile.parent_path(), error);
    if (error) {
        return "cannot create the folder " + m_entryFile.parent_path().string() + ": " + error.message();
    }
    errno = 0;
    if (!files::writeAtomically(m_entryFile, desktop_entry::autostartText(m_program))) {
        const int cause = errno;
        return "cannot write " + m_entryFile.string() + (cause != 0 ? ": " + std::string(std::strerror(cause)) : "");
    }
    return std::nullopt;
}

std::optional<std::string> XdgAutostart::unregisterProgram()
{
    std::error_code error;
    fs::remove(m_entryFile, error);
    if (error) {
        return "cannot remove " + m_entryFile.string() + ": " + error.message();
    }
    return std::nullopt;
}

} // namespace lumvex
