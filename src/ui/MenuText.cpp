// SPDX-License-Identifier: MIT
#include "MenuText.h"

#include <QCoreApplication>
#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>

namespace lumvex::menuText {

std::string fixed(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string percentNumber(double value)
{
    return std::to_string(static_cast<long long>(std::round(value * 100.0)));
}

std::string binWord(std::int64_t bin)
{
    static const std::array<const char *, 5> words{
        QT_TRANSLATE_NOOP("StatusMenu", "none"), QT_TRANSLATE_NOOP("StatusMenu", "low"),
        QT_TRANSLATE_NOOP("StatusMenu", "med"), QT_TRANSLATE_NOOP("StatusMenu", "high"),
        QT_TRANSLATE_NOOP("StatusMenu", "max")};
    return bin >= 0 && bin < 5 ? translated(words[static_cast<std::size_t>(bin)]) : "?";
}

std::string timeOfDayWord(std::int64_t bin)
{
    static const std::array<const char *, 4> words{
        QT_TRANSLATE_NOOP("StatusMenu", "morning"), QT_TRANSLATE_NOOP("StatusMenu", "day"),
        QT_TRANSLATE_NOOP("StatusMenu", "evening"), QT_TRANSLATE_NOOP("StatusMenu", "night")};
    return bin >= 0 && bin < 4 ? translated(words[static_cast<std::size_t>(bin)]) : "?";
}

std::string translated(const char *text, int n)
{
    return QCoreApplication::translate("StatusMenu", text, nullptr, n).toStdString();
}

std::string localNumber(long long value)
{
    return QLocale().toString(value).toStdString();
}

std::string localFixed(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals).toStdString();
}

} // namespace lumvex::menuText
