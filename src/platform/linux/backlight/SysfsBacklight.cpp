// SPDX-License-Identifier: MIT
#include "SysfsBacklight.h"

#include "LogindBrightness.h"
#include "base/Files.h"
#include "base/Translation.h"
#include "base/UniqueFd.h"

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <system_error>

namespace lumvex {

namespace fs = std::filesystem;
using namespace backlight;

namespace {

std::optional<long> readValue(const fs::path &file)
{
    const std::optional<std::string> text = files::readAll(file);
    return text ? parseRawValue(*text) : std::nullopt;
}

BacklightType readType(const fs::path &folder)
{
    const std::optional<std::string> text = files::readAll(folder / "type");
    return text ? parseType(*text) : BacklightType::Unknown;
}

// Sysfs ignores truncation; a plain file (a test tree) needs it when the new number is shorter.
bool writeValue(const fs::path &file, long raw, bool truncate)
{
    UniqueFd fd(::open(file.c_str(), O_WRONLY | O_CLOEXEC | (truncate ? O_TRUNC : 0)));
    return fd && files::writeAll(fd.get(), std::to_string(raw) + "\n") && fd.close();
}

} // namespace

SysfsBacklight::SysfsBacklight(const fs::path &root)
    : m_root(root)
{
    open();
}

bool SysfsBacklight::rescan()
{
    if (!isAvailable()) {
        open();
    }
    return isAvailable();
}

void SysfsBacklight::open()
{
    const fs::path classFolder = m_root / "sys/class/backlight";
    std::vector<BacklightDevice> devices;
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(classFolder, error)) {
        // Real entries are symbolic links to the device folders.
        if (fs::is_directory(entry.path(), error)) {
            devices.push_back({entry.path().filename().string(), readType(entry.path())});
        }
    }
    const std::optional<BacklightDevice> chosen = chooseDevice(devices);
    if (!chosen) {
        return;
    }
    const fs::path folder = classFolder / chosen->name;
    const std::optional<long> maxBrightness = readValue(folder / "max_brightness");
    if (!maxBrightness || *maxBrightness <= 0) {
        return;
    }
    m_folder = folder;
    m_name = chosen->name;
    m_maxBrightness = *maxBrightness;
    m_minStep = lowestStep(chosen->type);

    // Writing back the value the device holds changes nothing and shows whether we may write at all. It
    // needs no truncation, so a refused write cannot empty the file either.
    const std::optional<long> current = readRaw();
    m_throughLogind = !current || !writeValue(m_folder / "brightness", *current, false);
}

std::optional<double> SysfsBacklight::get()
{
    const std::optional<long> raw = readRaw();
    if (!raw) {
        return std::nullopt;
    }
    if (!holdsWrittenStep(*raw, m_written)) {
        // Someone else moved it; what we wrote no longer describes the panel.
        m_written.reset();
    }
    return readBackLevel(*raw, m_maxBrightness, m_written);
}

bool SysfsBacklight::set(double value)
{
    if (!isAvailable() || std::isnan(value)) {
        return false;
    }
    const float level = static_cast<float>(std::clamp(value, 0.0, 1.0));
    const long step = rawStepFor(level, m_maxBrightness, m_minStep);
    // A write of the step the device holds would be a no-op on the panel but still costs a sysfs write or
    // a bus round trip; only the remembered level changes.
    if (readRaw() != step && !writeRaw(step)) {
        m_writeProblem = i18n::arg(
            m_throughLogind ? i18n::translate("Backlight", "The login manager refused to set the brightness of %1.")
                            : i18n::translate("Backlight", "The brightness of %1 cannot be written."),
            {m_name});
        return false;
    }
    m_written = WrittenLevel{level, step};
    m_writeProblem.reset();
    return true;
}

std::optional<long> SysfsBacklight::readRaw() const
{
    // "brightness" is the step last requested; "actual_brightness" can differ from it and reads 0 on some
    // drivers while the panel is blanked, which would look like a manual change to the poll.
    if (!isAvailable()) {
        return std::nullopt;
    }
    return readValue(m_folder / "brightness");
}

bool SysfsBacklight::writeRaw(long raw) const
{
    return m_throughLogind ? setThroughLogind(m_name, raw, m_logindTimeoutMs)
                           : writeValue(m_folder / "brightness", raw, true);
}

} // namespace lumvex
