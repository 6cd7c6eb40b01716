// SPDX-License-Identifier: MIT
#include "ToolMessages.h"

namespace lumvex::ddc {

namespace {

const std::string kPrefix = "lumvex-ddc: ";

std::string monitorOn(const DrmConnector &connector, const std::filesystem::path &device)
{
    return "the monitor on " + connector.name + " (" + device.string() + ")";
}

} // namespace

std::string helpText()
{
    return R"(Usage:
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
)";
}

std::string usageError(const std::string &problem)
{
    return kPrefix + problem + " (see lumvex-ddc --help)";
}

std::string noXServerError(std::uint32_t display)
{
    return kPrefix + "cannot tell which connector display " + std::to_string(display) +
           " is on: no X server with RandR 1.5 answers on DISPLAY; set LUMVEX_DDC_CONNECTOR to its connector "
           "(e.g. DP-1)";
}

std::string noSuchDisplayError(std::uint32_t display)
{
    return kPrefix + "no display with id " + std::to_string(display) +
           " on this X server; `lumvex-ddc list` shows the ids";
}

std::string noSuchOutputError(std::uint32_t display)
{
    return kPrefix + "no connected connector in /sys/class/drm has display id " + std::to_string(display) +
           "; `lumvex-ddc list` shows the ids";
}

std::string noConnectorError(std::uint32_t display, const std::string &monitorName)
{
    return kPrefix + "display " + std::to_string(display) + " (" + monitorName +
           ") matches no connected connector in /sys/class/drm; set LUMVEX_DDC_CONNECTOR to its connector (see "
           "`lumvex-ddc list`)";
}

std::string unknownConnectorError(const std::string &name)
{
    return kPrefix + "no connector named " + name +
           " in /sys/class/drm (from LUMVEX_DDC_CONNECTOR); `lumvex-ddc list` shows the connectors";
}

std::string noBusError(const DrmConnector &connector)
{
    return kPrefix + connector.name +
           " has no I2C bus in /sys/class/drm: its driver offers no DDC channel for it, so its brightness "
           "cannot be set from here";
}

std::string openError(const std::filesystem::path &device, std::error_code error, bool addressRefused,
                      const std::optional<std::string> &group)
{
    const std::string path = device.string();
    if (addressRefused) {
        return kPrefix + path + " refused the DDC/CI address 0x37 (" + error.message() +
               "); is it an I2C adapter, and does a kernel driver hold that address?";
    }
    if (error == std::errc::no_such_file_or_directory) {
        return kPrefix + path + " does not exist: load the i2c-dev module with `sudo modprobe i2c-dev`";
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        if (group && *group != "root") {
            return kPrefix + "no permission to open " + path + ", which belongs to group " + *group +
                   ": join it with `sudo usermod -aG " + *group + " $USER` and log in again";
        }
        return kPrefix + "no permission to open " + path +
               ": give I2C devices to the i2c group with a udev rule (see lumvex-ddc --help) and join that group";
    }
    return kPrefix + "cannot open " + path + ": " + error.message();
}

std::string busyError(const std::filesystem::path &device)
{
    return kPrefix + device.string() + " is in use by another lumvex-ddc; try again";
}

std::string ddcError(const DdcOutcome &outcome, const DrmConnector &connector, const std::filesystem::path &device)
{
    switch (outcome.result) {
    case DdcResult::Ok:
        break;
    case DdcResult::Unsupported:
        return kPrefix + monitorOn(connector, device) + " offers no brightness control (VCP feature 0x10)";
    case DdcResult::BadReply:
        return kPrefix + "garbled DDC/CI replies from " + monitorOn(connector, device) +
               "; try again, or another cable or port";
    case DdcResult::NoReply:
        return kPrefix + "no DDC/CI reply from " + monitorOn(connector, device) +
               (outcome.busError ? " (" + outcome.busError.message() + ")" : std::string()) +
               "; switch DDC/CI on in the monitor's own menu";
    }
    return {};
}

std::string zeroMaximumError(const DrmConnector &connector, const std::filesystem::path &device)
{
    return kPrefix + monitorOn(connector, device) + " reports a brightness range of 0; it cannot be set";
}

} // namespace lumvex::ddc
