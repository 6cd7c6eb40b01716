// SPDX-License-Identifier: MIT
#include "Translation.h"

#include <algorithm>
#include <utility>

namespace lumvex::i18n {

namespace {

Translator &installed()
{
    static Translator translator;
    return translator;
}

std::string &decimal()
{
    static std::string point = ".";
    return point;
}

} // namespace

std::string english(const char *source, int n)
{
    std::string text = source;
    if (n < 0) {
        return text;
    }
    for (std::size_t at = text.find("(s)"); at != std::string::npos; at = text.find("(s)", at)) {
        text.replace(at, 3, n == 1 ? "" : "s");
    }
    for (std::size_t at = text.find("%n"); at != std::string::npos; at = text.find("%n", at)) {
        const std::string count = std::to_string(n);
        text.replace(at, 2, count);
        at += count.size();
    }
    return text;
}

void setTranslator(Translator translator, std::string decimalPoint)
{
    installed() = std::move(translator);
    decimal() = std::move(decimalPoint);
}

std::string translate(const char *context, const char *source, const char *, int n)
{
    if (installed()) {
        return installed()(context, source, n);
    }
    return english(source, n);
}

std::string arg(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            result += values.begin()[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string localNumber(std::string number)
{
    if (const std::size_t point = number.find('.'); point != std::string::npos) {
        number.replace(point, 1, decimal());
    }
    return number;
}

int displayWidth(std::string_view text)
{
    int width = 0;
    for (const char c : text) {
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return width;
}

std::string padRight(std::string_view text, int width)
{
    return std::string(text) + std::string(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ');
}

std::string padLeft(std::string_view text, int width)
{
    return std::string(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ') + std::string(text);
}

} // namespace lumvex::i18n
