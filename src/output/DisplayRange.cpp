// SPDX-License-Identifier: MIT
#include "DisplayRange.h"

#include "base/Files.h"
#include "base/Translation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace lumvex {

namespace {

std::string percentText(double level)
{
    const double percent = level * 100.0;
    char text[32];
    if (std::abs(percent - std::round(percent)) < 1e-9) {
        std::snprintf(text, sizeof text, "%.0f%%", percent);
    } else {
        std::snprintf(text, sizeof text, "%.1f%%", percent);
    }
    return text;
}

std::optional<double> parsePercent(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.back() == '%') {
        text.remove_suffix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value / 100.0;
}

} // namespace

double DisplayRange::levelFor(double shared) const
{
    return low + std::clamp(shared, 0.0, 1.0) * (high - low);
}

double DisplayRange::sharedFor(double level) const
{
    return std::clamp((level - low) / (high - low), 0.0, 1.0);
}

std::optional<std::string> DisplayRange::problem() const
{
    if (!std::isfinite(low) || !std::isfinite(high) || low < 0.0 || high > 1.0) {
        return i18n::translate("Output", "a range lies within 0%-100%");
    }
    if (high - low < kNarrowest - 1e-9) {
        return low > high ? i18n::translate("Output", "the range is inverted: its first level must be the lower")
                          : i18n::translate("Output", "the range must span at least 1%");
    }
    return std::nullopt;
}

std::string DisplayRange::text() const
{
    return percentText(low) + "-" + percentText(high);
}

ParsedRange parseDisplayRange(std::string_view text)
{
    // A dash at the start belongs to a (refused) negative first level.
    const std::size_t dash = text.empty() ? std::string_view::npos : text.find('-', 1);
    const std::string quoted = files::quoted(text);
    if (dash == std::string_view::npos) {
        return {std::nullopt,
                i18n::arg(i18n::translate("Output", "a range is two levels like 10%-80%, not %1"), {quoted})};
    }
    const auto low = parsePercent(text.substr(0, dash));
    const auto high = parsePercent(text.substr(dash + 1));
    if (!low || !high) {
        return {std::nullopt,
                i18n::arg(i18n::translate("Output", "a range is two levels like 10%-80%, not %1"), {quoted})};
    }
    const DisplayRange range{*low, *high};
    if (const auto problem = range.problem()) {
        return {std::nullopt, i18n::arg(i18n::translate("Output", "%1, not %2"), {*problem, quoted})};
    }
    return {range, {}};
}

std::optional<MonitorIdentity> monitorIdentity(const std::vector<std::uint8_t> &edid)
{
    static constexpr std::uint8_t kHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (edid.size() < 128 || !std::equal(std::begin(kHeader), std::end(kHeader), edid.begin())) {
        return std::nullopt;
    }
    const unsigned maker = (edid[8] << 8) | edid[9];
    std::string key;
    for (const int shift : {10, 5, 0}) {
        const unsigned letter = (maker >> shift) & 0x1F;
        key += letter >= 1 && letter <= 26 ? static_cast<char>('A' + letter - 1) : '?';
    }
    char rest[32];
    std::snprintf(rest, sizeof rest, "-%02X%02X-%02X%02X%02X%02X", edid[11], edid[10], edid[15], edid[14], edid[13],
                  edid[12]);
    key += rest;
    MonitorIdentity identity{key, {}};
    // The display descriptors: the one tagged 0xFC holds the name, up to 13 characters ended by a line feed.
    for (std::size_t at = 54; at + 18 <= 126; at += 18) {
        if (edid[at] == 0 && edid[at + 1] == 0 && edid[at + 3] == 0xFC) {
            for (std::size_t i = at + 5; i < at + 18 && edid[i] != '\n'; ++i) {
                if (edid[i] >= 0x20 && edid[i] < 0x7F) {
                    identity.name += static_cast<char>(edid[i]);
                }
            }
            while (!identity.name.empty() && identity.name.back() == ' ') {
                identity.name.pop_back();
            }
        }
    }
    return identity;
}

std::optional<std::vector<std::uint8_t>> connectorEdid(const std::filesystem::path &root, std::string_view connector)
{
    std::error_code error;
    const std::filesystem::path drm = root / "sys/class/drm";
    for (const auto &entry : std::filesystem::directory_iterator(drm, error)) {
        const std::string name = entry.path().filename().string();
        const bool named =
            name == connector || (name.size() > connector.size() + 1 && name.ends_with(connector) &&
                                  name[name.size() - connector.size() - 1] == '-' && name.starts_with("card"));
        if (!named || files::readAll(entry.path() / "status").value_or("") != "connected\n") {
            continue;
        }
        const std::optional<std::string> bytes = files::readAll(entry.path() / "edid");
        if (bytes && !bytes->empty()) {
            return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
        }
    }
    return std::nullopt;
}

} // namespace lumvex
