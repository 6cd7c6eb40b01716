// SPDX-License-Identifier: MIT
#include "CompiledCatalogue.h"

#include "Files.h"
#include "Translation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string_view>
#include <utility>

namespace lumvex::i18n {

namespace {

using Messages = std::map<std::pair<std::string, std::string>, std::vector<std::string>>;

constexpr std::array<unsigned char, 16> kMagic{0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                               0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
// The sections and the parts of a message, as lrelease writes them.
constexpr unsigned char kMessagesSection = 0x69;
enum Tag : unsigned char { end = 1, translation = 3, obsolete = 5, sourceText = 6, context = 7, comment = 8 };

class Reader
{
public:
    explicit Reader(std::string_view bytes)
        : m_bytes(bytes)
    {}

    bool atEnd() const { return m_at >= m_bytes.size(); }

    std::optional<std::uint8_t> byte()
    {
        if (atEnd()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(m_bytes[m_at++]);
    }

    std::optional<std::uint32_t> word()
    {
        if (m_bytes.size() - m_at < 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<std::uint8_t>(m_bytes[m_at++]);
        }
        return value;
    }

    std::optional<std::string_view> bytes(std::uint32_t count)
    {
        if (m_bytes.size() - m_at < count) {
            return std::nullopt;
        }
        const std::string_view part = m_bytes.substr(m_at, count);
        m_at += count;
        return part;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

void appendUtf8(std::string &text, std::uint32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | c >> 6);
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | c >> 18);
        text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Translations are UTF-16, big end first.
std::optional<std::string> fromUtf16(std::string_view bytes)
{
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t unit = static_cast<std::uint8_t>(bytes[i]) << 8 | static_cast<std::uint8_t>(bytes[i + 1]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low =
                static_cast<std::uint8_t>(bytes[i + 2]) << 8 | static_cast<std::uint8_t>(bytes[i + 3]);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(text, unit);
    }
    return text;
}

std::optional<Messages> readMessages(std::string_view section)
{
    Messages messages;
    Reader in(section);
    std::vector<std::string> translations;
    std::string source;
    std::string where;
    while (!in.atEnd()) {
        const std::optional<std::uint8_t> tag = in.byte();
        if (*tag == Tag::end) {
            messages[{where, source}] = std::exchange(translations, {});
            source.clear();
            where.clear();
            continue;
        }
        const std::optional<std::uint32_t> size = in.word();
        if (!size) {
            return std::nullopt;
        }
        if (*tag == Tag::obsolete) {
            continue; // a number with no meaning any more
        }
        if (*size == 0xFFFFFFFF && *tag == Tag::translation) {
            translations.emplace_back();
            continue;
        }
        const std::optional<std::string_view> part = in.bytes(*size);
        if (!part) {
            return std::nullopt;
        }
        if (*tag == Tag::translation) {
            std::optional<std::string> text = fromUtf16(*part);
            if (!text) {
                return std::nullopt;
            }
            translations.push_back(std::move(*text));
        } else if (*tag == Tag::sourceText) {
            source = *part;
        } else if (*tag == Tag::context) {
            where = *part;
        } else if (*tag != Tag::comment) {
            return std::nullopt;
        }
    }
    return messages;
}

std::optional<Messages> readCatalogue(const std::filesystem::path &file)
{
    const std::optional<std::string> bytes = files::readAll(file);
    if (!bytes || bytes->size() < kMagic.size() ||
        !std::equal(kMagic.begin(), kMagic.end(), reinterpret_cast<const unsigned char *>(bytes->data()))) {
        return std::nullopt;
    }
    Reader in(std::string_view(*bytes).substr(kMagic.size()));
    while (!in.atEnd()) {
        const std::optional<std::uint8_t> section = in.byte();
        const std::optional<std::uint32_t> size = in.word();
        const std::optional<std::string_view> content = size ? in.bytes(*size) : std::nullopt;
        if (!content) {
            return std::nullopt;
        }
        if (*section == kMessagesSection) {
            return readMessages(*content);
        }
    }
    return std::nullopt;
}

// "de_DE.UTF-8@euro" is "de_DE".
std::string withoutEncoding(std::string_view name)
{
    return std::string(name.substr(0, name.find_first_of(".@")));
}

} // namespace

std::vector<std::string> userLanguages()
{
    std::vector<std::string> wanted;
    const char *list = std::getenv("LANGUAGE");
    if (list && *list) {
        for (std::string_view rest = list; !rest.empty();) {
            const std::size_t colon = std::min(rest.find(':'), rest.size());
            wanted.push_back(withoutEncoding(rest.substr(0, colon)));
            rest = rest.substr(std::min(colon + 1, rest.size()));
        }
    } else {
        for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            if (const char *value = std::getenv(name); value && *value) {
                wanted.push_back(withoutEncoding(value));
                break;
            }
        }
    }
    std::vector<std::string> languages;
    const auto add = [&languages](const std::string &name) {
        if (!name.empty() && std::find(languages.begin(), languages.end(), name) == languages.end()) {
            languages.push_back(name);
        }
    };
    for (std::string name : wanted) {
        std::replace(name.begin(), name.end(), '-', '_');
        add(name);
        add(name.substr(0, name.find('_')));
    }
    return languages;
}

std::optional<std::filesystem::path> installCompiledCatalogue(const std::filesystem::path &folder)
{
    for (const std::string &language : userLanguages()) {
        const std::filesystem::path file = folder / ("lumvex_" + language + ".qm");
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) {
            continue;
        }
        std::optional<Messages> messages = readCatalogue(file);
        if (!messages) {
            return file;
        }
        setTranslator([messages = std::make_shared<const Messages>(std::move(*messages))](const char *context,
                                                                                          const char *source, int n) {
            const auto found = messages->find({context, source});
            if (found == messages->end() || found->second.empty() || found->second.front().empty()) {
                return english(source, n);
            }
            // The tool's texts have no plural forms; for others, the first form stands for one.
            std::string text = n == 1 || n < 0 ? found->second.front() : found->second.back();
            for (std::size_t at = text.find("%n"); n >= 0 && at != std::string::npos; at = text.find("%n", at)) {
                text.replace(at, 2, std::to_string(n));
            }
            return text;
        });
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace lumvex::i18n
