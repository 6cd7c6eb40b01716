// SPDX-License-Identifier: MIT
#include "VersionOrder.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace lumvex {

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view withoutPrefixAndBuild(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    if (!text.empty() && (text.front() == 'v' || text.front() == 'V')) {
        text.remove_prefix(1);
    }
    return text.substr(0, text.find('+'));
}

// Numbers of any length, compared as digit strings so that none overflows.
std::strong_ordering compareNumbers(std::string_view a, std::string_view b)
{
    const auto significant = [](std::string_view digits) {
        const auto first = digits.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : digits.substr(first);
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size()) {
        return a.size() <=> b.size();
    }
    return a.compare(b) <=> 0;
}

struct Parsed
{
    std::vector<std::string_view> numbers;
    std::string_view tag; // empty for a release
};

Parsed parse(std::string_view text)
{
    Parsed version;
    text = withoutPrefixAndBuild(text);
    while (!text.empty() && isDigit(text.front())) {
        std::size_t length = 0;
        while (length < text.size() && isDigit(text[length])) {
            ++length;
        }
        version.numbers.push_back(text.substr(0, length));
        text.remove_prefix(length);
        if (text.size() < 2 || text.front() != '.' || !isDigit(text[1])) {
            break;
        }
        text.remove_prefix(1);
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '~' || text.front() == '.')) {
        text.remove_prefix(1);
    }
    version.tag = text;
    return version;
}

// Runs of digits compare as numbers, everything else as text.
std::strong_ordering compareTags(std::string_view a, std::string_view b)
{
    while (!a.empty() && !b.empty()) {
        const bool digits = isDigit(a.front());
        if (digits != isDigit(b.front())) {
            return digits ? std::strong_ordering::less : std::strong_ordering::greater;
        }
        const auto run = [digits](std::string_view text) {
            std::size_t length = 0;
            while (length < text.size() && isDigit(text[length]) == digits) {
                ++length;
            }
            return text.substr(0, length);
        };
        const std::string_view runA = run(a);
        const std::string_view runB = run(b);
        const auto order = digits ? compareNumbers(runA, runB) : runA.compare(runB) <=> 0;
        if (order != 0) {
            return order;
        }
        a.remove_prefix(runA.size());
        b.remove_prefix(runB.size());
    }
    return a.size() <=> b.size();
}

} // namespace

std::strong_ordering compareVersions(std::string_view a, std::string_view b)
{
    const Parsed left = parse(a);
    const Parsed right = parse(b);
    const std::size_t count = std::max(left.numbers.size(), right.numbers.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view x = i < left.numbers.size() ? left.numbers[i] : "0";
        const std::string_view y = i < right.numbers.size() ? right.numbers[i] : "0";
        if (const auto order = compareNumbers(x, y); order != 0) {
            return order;
        }
    }
    if (left.tag.empty() != right.tag.empty()) {
        return left.tag.empty() ? std::strong_ordering::greater : std::strong_ordering::less;
    }
    return compareTags(left.tag, right.tag);
}

bool isVersion(std::string_view text)
{
    text = withoutPrefixAndBuild(text);
    return !text.empty() && isDigit(text.front());
}

} // namespace lumvex
