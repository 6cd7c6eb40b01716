// SPDX-License-Identifier: MIT
#include "LinuxToolContext.h"

#include "LinuxI2cBus.h"
#include "platform/linux/backlight/SysfsRoot.h"
#include "platform/linux/desktop/SessionEnvironment.h"

#include <cstdlib>
#include <grp.h>
#include <sys/stat.h>

namespace lumvex::ddc {

namespace {

std::optional<std::string> environment(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::string> owningGroup(const std::filesystem::path &device)
{
    struct stat status = {};
    if (::stat(device.c_str(), &status) != 0) {
        return std::nullopt;
    }
    const group *entry = ::getgrgid(status.st_gid);
    return entry ? std::optional<std::string>(entry->gr_name) : std::nullopt;
}

} // namespace

ToolContext linuxToolContext(DdcClock &clock)
{
    const std::filesystem::path root = sysfsRoot();
    std::optional<std::filesystem::path> lockFolder;
    if (const std::optional<std::string> runtime = environment("XDG_RUNTIME_DIR")) {
        lockFolder = std::filesystem::path(*runtime) / "lumvex-ddc";
    }
    return ToolContext{
        .clock = clock,
        .monitors = readX11Monitors,
        .connectors = [root] { return readDrmConnectors(root); },
        .openBus = LinuxI2cBus::open,
        .deviceGroup = owningGroup,
        .timings = {},
        .root = root,
        .lockFolder = lockFolder,
        .connectorOverride = environment("LUMVEX_DDC_CONNECTOR"),
        .waylandSession = displayProtocol(SessionEnvironment::current()) == DisplayProtocol::wayland,
    };
}

} // namespace lumvex::ddc
