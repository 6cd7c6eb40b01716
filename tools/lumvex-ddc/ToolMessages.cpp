// SPDX-License-Identifier: MIT
#include "ToolMessages.h"

#include "base/Translation.h"

namespace lumvex::ddc {

using i18n::arg;
using i18n::translate;

namespace {

const std::string kPrefix = "lumvex-ddc: ";

std::string monitorOn(const DrmConnector &connector, const std::filesystem::path &device)
{
    return arg(translate("Ddc", "the monitor on %1 (%2)"), {connector.name, device.string()});
}

} // namespace

std::string helpText()
{
    return translate("Ddc", R"(Usage:
  lumvex-ddc display id=N get luminance     print display N's brightness in percent
  lumvex-ddc display id=N set luminance P   set display N's brightness to P percent (0-100)
  lumvex-ddc list                           list displays, their connectors, I2C buses and DDC/CI state
  lumvex-ddc --help                         show this text

N is the display id Lumvex uses, as `list` shows it: on X11 the RandR monitor's name atom, on Wayland a
hash of the output's connector name. The tool finds the monitor's DRM connector under /sys/class/drm and talks DDC/CI (VCP feature 0x10) on its I2C bus,
/dev/i2c-N. A value the monitor already holds is not written again.

Access to /dev/i2c-*: load the i2c-dev module (sudo modprobe i2c-dev; for every boot, add i2c-dev to
/etc/modules-load.d/i2c-dev.conf). If `ls -l /dev/i2c-*` shows a group such as i2c, join it:
  sudo usermod -aG i2c $USER   (then log in again)
If the devices belong to root, give them to that group with a udev rule such as
  KERNEL=="i2c-[0-9]*", GROUP="i2c", MODE="0660"
in /etc/udev/rules.d/60-i2c.rules (create the group first: sudo groupadd --system i2c).

Environment:
  LUMVEX_DDC_CONNECTOR   use this DRM connector (DP-1 or card0-DP-1) for any display id, without asking X
  LUMVEX_SYSFS_ROOT      look up /sys and /dev under this folder instead of /

Exit status: 0 on success, 1 when the display cannot be reached, 2 for a malformed command line.
)");
}

std::string usageError(const std::string &problem)
{
    return kPrefix + arg(translate("Ddc", "%1 (see lumvex-ddc --help)"), {problem});
}

std::string noXServerError(std::uint32_t display)
{
    return kPrefix + arg(translate("Ddc", "cannot tell which connector display %1 is on: no X server with RandR 1.5 "
                                          "answers on DISPLAY; set LUMVEX_DDC_CONNECTOR to its connector (e.g. DP-1)"),
                         {std::to_string(display)});
}

std::string noSuchDisplayError(std::uint32_t display)
{
    return kPrefix + arg(translate("Ddc", "no display with id %1 on this X server; `lumvex-ddc list` shows the ids"),
                         {std::to_string(display)});
}

std::string noSuchOutputError(std::uint32_t display)
{
    return kPrefix + arg(translate("Ddc", "no connected connector in /sys/class/drm has display id %1; `lumvex-ddc "
                                          "list` shows the ids"),
                         {std::to_string(display)});
}

std::string noConnectorError(std::uint32_t display, const std::string &monitorName)
{
    return kPrefix + arg(translate("Ddc", "display %1 (%2) matches no connected connector in /sys/class/drm; set "
                                          "LUMVEX_DDC_CONNECTOR to its connector (see `lumvex-ddc list`)"),
                         {std::to_string(display), monitorName});
}

std::string unknownConnectorError(const std::string &name)
{
    return kPrefix + arg(translate("Ddc", "no connector named %1 in /sys/class/drm (from LUMVEX_DDC_CONNECTOR); "
                                          "`lumvex-ddc list` shows the connectors"),
                         {name});
}

std::string noBusError(const DrmConnector &connector)
{
    return kPrefix + arg(translate("Ddc", "%1 has no I2C bus in /sys/class/drm: its driver offers no DDC channel for "
                                          "it, so its brightness cannot be set from here"),
                         {connector.name});
}

std::string openError(const std::filesystem::path &device, std::error_code error, bool addressRefused,
                      const std::optional<std::string> &group)
{
    const std::string path = device.string();
    if (addressRefused) {
        return kPrefix + arg(translate("Ddc", "%1 refused the DDC/CI address 0x37 (%2); is it an I2C adapter, and does "
                                              "a kernel driver hold that address?"),
                             {path, error.message()});
    }
    if (error == std::errc::no_such_file_or_directory) {
        return kPrefix +
               arg(translate("Ddc", "%1 does not exist: load the i2c-dev module with `sudo modprobe i2c-dev`"), {path});
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        if (group && *group != "root") {
            return kPrefix + arg(translate("Ddc", "no permission to open %1, which belongs to group %2: join it with "
                                                  "`sudo usermod -aG %2 $USER` and log in again"),
                                 {path, *group});
        }
        return kPrefix + arg(translate("Ddc", "no permission to open %1: give I2C devices to the i2c group with a udev "
                                              "rule (see lumvex-ddc --help) and join that group"),
                             {path});
    }
    return kPrefix + arg(translate("Ddc", "cannot open %1: %2"), {path, error.message()});
}

std::string busyError(const std::filesystem::path &device)
{
    return kPrefix + arg(translate("Ddc", "%1 is in use by another lumvex-ddc; try again"), {device.string()});
}

std::string ddcError(const DdcOutcome &outcome, const DrmConnector &connector, const std::filesystem::path &device)
{
    switch (outcome.result) {
    case DdcResult::Ok:
        break;
    case DdcResult::Unsupported:
        return kPrefix + arg(translate("Ddc", "%1 offers no brightness control (VCP feature 0x10)"),
                             {monitorOn(connector, device)});
    case DdcResult::BadReply:
        return kPrefix + arg(translate("Ddc", "garbled DDC/CI replies from %1; try again, or another cable or port"),
                             {monitorOn(connector, device)});
    case DdcResult::NoReply:
        return kPrefix +
               arg(outcome.busError
                       ? translate("Ddc", "no DDC/CI reply from %1 (%2); switch DDC/CI on in the monitor's own menu")
                       : translate("Ddc", "no DDC/CI reply from %1; switch DDC/CI on in the monitor's own menu"),
                   {monitorOn(connector, device), outcome.busError.message()});
    }
    return {};
}

std::string zeroMaximumError(const DrmConnector &connector, const std::filesystem::path &device)
{
    return kPrefix + arg(translate("Ddc", "%1 reports a brightness range of 0; it cannot be set"),
                         {monitorOn(connector, device)});
}

} // namespace lumvex::ddc
