// SPDX-License-Identifier: MIT
#include "DesktopEntry.h"

namespace lumvex::desktop_entry {

namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// A boolean as desktops read it; anything else counts as neither.
bool isTrue(std::string_view value)
{
    return value == "true" || value == "1";
}

bool isFalse(std::string_view value)
{
    return value == "false" || value == "0";
}

} // namespace

std::string execArgument(const std::filesystem::path &program)
{
    // Characters that make an argument need quotes; inside them four more need a backslash.
    constexpr std::string_view kReserved = " \t\n\r\"'\\><~|&;$*?#()`";
    constexpr std::string_view kEscapedInQuotes = "\"`$\\";

    const std::string path = program.string();
    const bool quote = path.find_first_of(kReserved) != std::string::npos;
    std::string argument;
    if (quote) {
        argument += '"';
    }
    for (const char c : path) {
        if (c == '%') {
            argument += "%%"; // not a field code
            continue;
        }
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) {
            argument += '\\';
        }
        argument += c;
    }
    if (quote) {
        argument += '"';
    }

    // The escapes of every string value come on top, so a backslash of the quoting is written twice.
    std::string value;
    for (const char c : argument) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string autostartText(const std::filesystem::path &program)
{
    return "# Written by Lumvex; \"Start at Login\" in its menu switches it.\n"
           "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Lumvex\n"
           "Comment=Keeps the light of the display steady while the screen content changes\n"
           "Exec=" +
           execArgument(program) +
           "\n"
           "Icon=lumvex\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool startsAtLogin(std::string_view text)
{
    bool inMainGroup = false;
    bool sawMainGroup = false;
    bool hasExec = false;
    bool hidden = false;
    bool switchedOff = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "Exec") {
            hasExec = !value.empty();
        } else if (key == "Hidden") {
            hidden = isTrue(value);
        } else if (key == "X-GNOME-Autostart-enabled") {
            switchedOff = isFalse(value);
        }
    }
    return sawMainGroup && hasExec && !hidden && !switchedOff;
}

} // namespace lumvex::desktop_entry
