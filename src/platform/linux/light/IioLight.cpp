// SPDX-License-Identifier: MIT
#include "IioLight.h"

#include "base/Files.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <vector>

namespace lumvex {

namespace fs = std::filesystem;

namespace {

std::optional<double> parseNumber(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> readNumber(const fs::path &file)
{
    const std::optional<std::string> text = files::readAll(file);
    return text ? parseNumber(*text) : std::nullopt;
}

} // namespace

std::optional<IioChannel> findIlluminanceChannel(const fs::path &root)
{
    std::vector<fs::path> devices;
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(root / "sys/bus/iio/devices", error)) {
        devices.push_back(entry.path());
    }
    std::sort(devices.begin(), devices.end());

    static constexpr struct
    {
        const char *prefix;
        bool processed;
    } kChannels[] = {
        {"in_illuminance", true},
        {"in_illuminance0", true},
        {"in_illuminance", false},
        {"in_illuminance0", false},
    };
    for (const fs::path &device : devices) {
        for (const auto &channel : kChannels) {
            const std::string file = std::string(channel.prefix) + (channel.processed ? "_input" : "_raw");
            if (fs::is_regular_file(device / file, error)) {
                return IioChannel{device, channel.prefix, channel.processed};
            }
        }
    }
    return std::nullopt;
}

IioLight::IioLight(IioChannel channel)
    : m_channel(std::move(channel))
{}

std::optional<double> IioLight::readLux()
{
    if (m_channel.processed) {
        return readNumber(m_channel.device / (m_channel.prefix + "_input"));
    }
    const std::optional<double> raw = readNumber(m_channel.device / (m_channel.prefix + "_raw"));
    const std::optional<double> scale = attribute("scale", 1.0);
    const std::optional<double> offset = attribute("offset", 0.0);
    if (!raw || !scale || !offset) {
        return std::nullopt;
    }
    return (*raw + *offset) * *scale;
}

std::optional<double> IioLight::attribute(const char *suffix, double absent) const
{
    // Most specific first: this channel, every illuminance channel, every input, the whole device.
    const std::string name(suffix);
    for (const std::string &file : {m_channel.prefix + "_" + name, "in_illuminance_" + name, "in_" + name, name}) {
        std::error_code error;
        if (fs::exists(m_channel.device / file, error)) {
            return readNumber(m_channel.device / file);
        }
    }
    return absent;
}

} // namespace lumvex
