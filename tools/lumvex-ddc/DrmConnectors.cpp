// SPDX-License-Identifier: MIT
#include "DrmConnectors.h"

#include "base/Files.h"

#include <algorithm>
#include <charconv>
#include <regex>

namespace lumvex::ddc {

namespace fs = std::filesystem;

namespace {

std::optional<std::uint32_t> readNumber(const fs::path &file)
{
    const std::optional<std::string> text = files::readAll(file);
    if (!text) {
        return std::nullopt;
    }
    const std::string_view digits(text->data(), text->find_last_not_of(" \n") + 1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

// The `ddc` link names the adapter wired to the connector's DDC pins. DisplayPort connectors may
// instead (or also) hold their AUX channel's adapter as a child folder.
std::optional<int> findBus(const fs::path &folder)
{
    std::error_code error;
    const fs::path ddc = fs::read_symlink(folder / "ddc", error);
    if (!error) {
        if (const std::optional<int> number = adapterNumber(ddc.filename().string())) {
            return number;
        }
    }
    std::optional<int> lowest;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder, error)) {
        const std::optional<int> number = adapterNumber(entry.path().filename().string());
        if (number && (!lowest || *number < *lowest)) {
            lowest = number;
        }
    }
    return lowest;
}

} // namespace

std::vector<DrmConnector> readDrmConnectors(const fs::path &root)
{
    static const std::regex kConnectorName("card[0-9]+-(.+)");
    std::vector<DrmConnector> connectors;
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(root / "sys/class/drm", error)) {
        const std::string name = entry.path().filename().string();
        std::smatch match;
        if (!std::regex_match(name, match, kConnectorName)) {
            continue;
        }
        DrmConnector connector;
        connector.name = name;
        connector.connector = match[1];
        const std::optional<std::string> status = files::readAll(entry.path() / "status");
        connector.connected = !status || !status->starts_with("disconnected");
        if (const std::optional<std::string> edid = files::readAll(entry.path() / "edid")) {
            connector.edid.assign(edid->begin(), edid->end());
        }
        connector.connectorId = readNumber(entry.path() / "connector_id");
        connector.bus = findBus(entry.path());
        connectors.push_back(std::move(connector));
    }
    std::ranges::sort(connectors, {}, &DrmConnector::name);
    return connectors;
}

std::optional<int> adapterNumber(std::string_view name)
{
    constexpr std::string_view kPrefix = "i2c-";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size()) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(kPrefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 0) {
        return std::nullopt;
    }
    return number;
}

const DrmConnector *findConnector(const std::vector<DrmConnector> &connectors, std::string_view name)
{
    const auto found = std::ranges::find_if(
        connectors, [name](const DrmConnector &entry) { return entry.name == name || entry.connector == name; });
    return found == connectors.end() ? nullptr : &*found;
}

} // namespace lumvex::ddc
