// SPDX-License-Identifier: MIT
#include "DisplayRanges.h"

#include "base/JsonFields.h"

namespace lumvex {

namespace {

constexpr std::size_t kLongestIdentity = 256;

} // namespace

DisplayRanges::DisplayRanges(const std::filesystem::path &folder)
    : DisplayRanges(files::loadStateFile<Table>(folder / "display_ranges.json", decode, "unreadable display ranges",
                                                "is not a table of display ranges"))
{}

DisplayRanges::DisplayRanges(files::LoadedState<Table> loaded)
    : m_file(std::move(loaded.file))
    , m_table(std::move(loaded.state))
{}

DisplayRange DisplayRanges::range(const std::string &identity) const
{
    const auto it = m_table.find(identity);
    return it == m_table.end() ? DisplayRange{} : it->second.range;
}

bool DisplayRanges::set(const std::string &identity, const std::string &name, const DisplayRange &range)
{
    if (range.problem() || identity.empty() || identity.size() > kLongestIdentity) {
        return false;
    }
    m_table[identity] = {range, name};
    Json file = Json::object();
    for (const auto &[key, entry] : m_table) {
        Json value = {{"low", entry.range.low}, {"high", entry.range.high}};
        if (!entry.name.empty()) {
            value["name"] = entry.name;
        }
        file[key] = std::move(value);
    }
    return m_file.write(file.dump(2) + "\n");
}

std::optional<DisplayRanges::Table> DisplayRanges::decode(std::string_view text, files::DecodeNotes *notes)
{
    const auto value = json::parse(text);
    if (!value || !value->is_object()) {
        return std::nullopt;
    }
    files::DecodeNotes found;
    Table table;
    for (const auto &[key, item] : value->items()) {
        try {
            if (key.empty() || key.size() > kLongestIdentity) {
                throw JsonDecodeError("is no monitor identity");
            }
            if (!item.is_object()) {
                throw JsonDecodeError("is not an object");
            }
            const DisplayRange range{json::requireNumber(item, "low"), json::requireNumber(item, "high")};
            if (const auto problem = range.problem()) {
                throw JsonDecodeError(*problem);
            }
            const auto name = item.find("name");
            table[key] = {range, name != item.end() && name->is_string() ? name->get<std::string>() : std::string()};
        } catch (const JsonDecodeError &error) {
            ++found.leftOut;
            found.losses.push_back("monitor " + files::quoted(key) + " left out: " + error.what());
        }
    }
    if (notes != nullptr) {
        *notes = std::move(found);
    }
    return table;
}

} // namespace lumvex
