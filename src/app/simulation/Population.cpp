// SPDX-License-Identifier: MIT
#include "Population.h"
#include "Summary.h"

#include "base/Translation.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <string>

namespace lumvex::sim {

using i18n::arg;
using i18n::translate;

namespace {

int total(const RunResult &run)
{
    int sum = 0;
    for (const DayResult &d : run.days) {
        sum += d.corrections;
    }
    return sum;
}

// First day, last day, all days.
std::array<int, 3> figures(const RunResult &run)
{
    if (run.days.empty()) {
        return {0, 0, 0};
    }
    return {run.days.front().corrections, run.days.back().corrections, total(run)};
}

const RunResult *find(const UserResult &user, Strategy strategy)
{
    const auto it = std::find_if(user.runs.begin(), user.runs.end(),
                                 [strategy](const RunResult &r) { return r.strategy == strategy; });
    return it == user.runs.end() ? nullptr : &*it;
}

std::string format(const char *pattern, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

SimulatedUser::Taste TasteChoice::appliedTo(SimulatedUser::Taste taste) const
{
    taste.contentExponent = exponent.value_or(taste.contentExponent);
    taste.tolerance = tolerance.value_or(taste.tolerance);
    taste.patience = patience.value_or(taste.patience);
    return taste;
}

int usersWorseThanFixed(const std::vector<UserResult> &users)
{
    int worse = 0;
    for (const UserResult &user : users) {
        const RunResult *lumvex = find(user, Strategy::lumvex);
        const RunResult *fixed = find(user, Strategy::fixed);
        if (lumvex && fixed && total(*lumvex) > total(*fixed)) {
            ++worse;
        }
    }
    return worse;
}

std::string populationSentence(const std::vector<UserResult> &users)
{
    std::vector<double> lumvex;
    std::vector<double> fixed;
    for (const UserResult &user : users) {
        if (const RunResult *run = find(user, Strategy::lumvex)) {
            lumvex.push_back(total(*run));
        }
        if (const RunResult *run = find(user, Strategy::fixed)) {
            fixed.push_back(total(*run));
        }
    }
    if (lumvex.empty()) {
        return {};
    }
    const int days = static_cast<int>(users.front().runs.front().days.size());
    const std::string over = translate("Simulate", "%n day(s)", nullptr, days);
    const std::string count = std::to_string(users.size());
    const auto spoken = [](double value) { return i18n::localNumber(format("%g", value)); };
    const std::string worst = spoken(*std::max_element(lumvex.begin(), lumvex.end()));
    if (fixed.empty()) {
        return arg(translate("Simulate", "Over %1 the median of %2 simulated users corrected the brightness %3 times "
                                         "with Lumvex; the worst user %4 times."),
                   {over, count, spoken(median(lumvex)), worst});
    }
    return arg(translate("Simulate", "Over %1 the median of %2 simulated users corrected the brightness %3 times "
                                     "with Lumvex and %4 with fixed brightness; the worst user %5 times."),
               {over, count, spoken(median(lumvex)), spoken(median(fixed)), worst}) +
           " " +
           arg(translate("Simulate", "%n of %1 are worse off with Lumvex than with fixed brightness.", nullptr,
                         usersWorseThanFixed(users)),
               {count});
}

std::string displayWritesLine(const std::vector<UserResult> &users)
{
    if (users.empty()) {
        return {};
    }
    std::string line;
    bool any = false;
    const std::vector<RunResult> &first = users.front().runs;
    for (std::size_t s = 0; s < first.size(); ++s) {
        std::vector<double> perDay;
        std::size_t busiest = 0;
        for (const UserResult &user : users) {
            if (s >= user.runs.size() || user.runs[s].days.empty()) {
                continue;
            }
            std::size_t sum = 0;
            for (const DayResult &d : user.runs[s].days) {
                sum += d.displayWrites;
                busiest = std::max(busiest, d.displayWrites);
            }
            perDay.push_back(static_cast<double>(sum) / static_cast<double>(user.runs[s].days.size()));
        }
        any = any || busiest > 0;
        line += (s ? "; " : " ") + arg(translate("Simulate", "%1 median %2, worst user %3 (busiest day %4)"),
                                       {strategyName(first[s].strategy), format("%.0f", median(perDay)),
                                        format("%.0f", perDay.empty() ? 0.0 : *std::ranges::max_element(perDay)),
                                        std::to_string(busiest)});
    }
    return any ? translate("Simulate", "Display writes per day:") + line : std::string();
}

void printPopulation(std::ostream &out, const std::vector<UserResult> &users)
{
    if (users.empty()) {
        return;
    }
    const std::vector<RunResult> &first = users.front().runs;
    const bool ratio = find(users.front(), Strategy::lumvex) && find(users.front(), Strategy::fixed);
    // Three strategies and the ratio fit 100 columns.
    constexpr int kCell = 6;

    std::string head = "user  seed  exp   tol  pat";
    std::string sub = std::string(head.size(), ' ');
    for (const RunResult &run : first) {
        head += " | " + i18n::padLeft(strategyName(run.strategy), 3 * kCell);
        sub += " | " + i18n::padLeft(translate("Simulate", "day 1"), kCell) +
               i18n::padLeft(translate("Simulate", "last"), kCell) + i18n::padLeft(translate("Simulate", "all"), kCell);
    }
    if (ratio) {
        head += " | lumvex";
        sub += " | /fixed";
    }
    out << head << '\n' << sub << '\n' << std::string(sub.size(), '-') << '\n';

    // Columns of figures, kept for the sum, median and worst rows.
    std::vector<std::vector<double>> columns(first.size() * 3 + (ratio ? 1 : 0));
    for (std::size_t u = 0; u < users.size(); ++u) {
        const UserResult &user = users[u];
        char lead[64];
        std::snprintf(lead, sizeof lead, "%4zu %5llu %4.2f %5.2f %4.1f", u + 1,
                      static_cast<unsigned long long>(user.seed), user.taste.contentExponent, user.taste.tolerance,
                      user.taste.patience);
        std::string line = lead;
        for (std::size_t s = 0; s < user.runs.size() && s < first.size(); ++s) {
            line += " | ";
            const auto f = figures(user.runs[s]);
            for (std::size_t i = 0; i < 3; ++i) {
                line += i18n::padLeft(std::to_string(f[i]), kCell);
                columns[s * 3 + i].push_back(f[i]);
            }
        }
        if (ratio) {
            const int fixed = total(*find(user, Strategy::fixed));
            const double r = static_cast<double>(total(*find(user, Strategy::lumvex))) / std::max(fixed, 1);
            line += " | " + i18n::padLeft(format("%.2f", r), 6);
            columns.back().push_back(r);
        }
        out << line << '\n';
    }
    out << std::string(sub.size(), '-') << '\n';

    const auto sum = [](const std::vector<double> &v) { return std::accumulate(v.begin(), v.end(), 0.0); };
    const auto summary = [&](const std::string &label, auto reduce) {
        const auto width = static_cast<std::size_t>(i18n::displayWidth(label));
        std::string line = label + std::string(head.find('|') - 1 - std::min(width, head.find('|') - 1), ' ');
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const bool isRatio = ratio && c + 1 == columns.size();
            if (c % 3 == 0 || isRatio) {
                line += " | ";
            }
            line +=
                isRatio ? i18n::padLeft(format("%.2f", reduce(c)), 6) : i18n::padLeft(format("%.0f", reduce(c)), kCell);
        }
        out << line << '\n';
    };
    const auto allColumn = [&](Strategy s) {
        return 3 * static_cast<std::size_t>(find(users.front(), s) - first.data()) + 2;
    };
    const std::size_t lumvexAll = ratio ? allColumn(Strategy::lumvex) : 0;
    const std::size_t fixedAll = ratio ? allColumn(Strategy::fixed) : 0;
    summary(translate("Simulate", "sum"), [&](std::size_t c) {
        // The ratio of the sums, not the sum of the ratios.
        return ratio && c + 1 == columns.size() ? sum(columns[lumvexAll]) / std::max(sum(columns[fixedAll]), 1.0)
                                                : sum(columns[c]);
    });
    summary(translate("Simulate", "median"), [&](std::size_t c) { return median(columns[c]); });
    summary(translate("Simulate", "worst"),
            [&](std::size_t c) { return *std::max_element(columns[c].begin(), columns[c].end()); });
    if (ratio) {
        out << arg(translate("Simulate", "Users worse off than fixed: %1 of %2"),
                   {std::to_string(usersWorseThanFixed(users)), std::to_string(users.size())})
            << '\n';
    }
    std::vector<std::reference_wrapper<const std::vector<RunResult>>> runsPerUser;
    for (const UserResult &user : users) {
        runsPerUser.push_back(std::cref(user.runs));
    }
    out << choicesTakenBackLine(runsPerUser) << '\n';
    if (const std::string writes = displayWritesLine(users); !writes.empty()) {
        out << writes << '\n';
    }
}

} // namespace lumvex::sim
