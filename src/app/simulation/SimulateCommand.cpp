// SPDX-License-Identifier: MIT
#include "SimulateCommand.h"

#include "Population.h"
#include "Scenarios.h"
#include "Simulator.h"
#include "Summary.h"
#include "SvgPlot.h"
#include "TelemetryTrace.h"
#include "base/Files.h"
#include "base/Translation.h"
#include "engine/Settings.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include <sys/stat.h>

namespace lumvex::sim {

namespace fs = std::filesystem;
using i18n::arg;
using i18n::translate;

namespace {

constexpr const char *kUsage = QT_TRANSLATE_NOOP("Simulate", R"(Usage: lumvex simulate [options]

Runs Lumvex's compensation loop without a desktop: simulated screen content, ambient light and
backlight, and a simulated user with hidden preferences who corrects the brightness when the light
stays too far from what they like. Says what it found, prints a table per day and draws a plot.

Options:
  --scenario NAME   office (default), video, night-reading, laptop-day or docked-day
  --trace FILE      replay a recorded telemetry file instead of a scenario (not with --scenario)
  --days N          simulated days, 1...366 (default 7; with --trace, the recorded days)
  --seed N          seed of the content and of the user (default 1)
  --compare         also run fixed brightness and ambient-only automatic brightness
  --taste LIST      fix parts of the user's taste, any of exponent=E (0...1: how much of the
                    content's own contrast they want; 0: the light held steady), tolerance=T
                    (1.01...3: the factor the light may be off before they act) and
                    patience=P (0.1...60 s), separated by commas or in several --taste; the rest
                    is drawn from the seed
  --population N    simulate N users (1...300) instead of one, each with its own content and
                    taste (seeds S to S+N-1), under all three strategies, and print corrections
                    per user. Their tastes: content exponent 0...1, tolerance 1.15...1.35,
                    patience 3...5 s, preferred light +-15 % around a typical curve, each uniform.
                    A run simulates at most 3000 days: users x days x strategies (three with
                    --compare or --population)
  --behaviour NAME  how the user corrects: jump (default: straight to the best notch), notch
                    (notch by notch, stopping at the first acceptable level), overshoot (notch by
                    notch, a quarter of the time one notch too far), drift (what they want
                    changes by up to 25 % every 1.5 to 2.5 hours), picky (half the tolerance for
                    ten minutes after each correction), or mixed (each user of a population one
                    of these five, drawn from their seed)
  --set KEY=VALUE   run the loop with a setting: rememberBrightnessPerSituation=true|false,
                    adjustExternalDisplays=true|false (docked-day: on unless set)
  --plot FILE.svg   where to draw brightness, luminance and corrections (default: plot.svg in
                    the output folder)
  --table brief|full  the one user's table: brief (default) the columns compared first, full all
                    of them; the full table is also written to summary.csv in the output folder
  --out DIR         folder for the learned table, statistics and log (default: a new
                    folder under the state directory; an existing folder must not hold
                    Lumvex files)
  -h, --help        show this help
)");

// About a tenth of a second and under a megabyte per simulated day and strategy: a run stays within a few
// minutes and a few hundred MB.
constexpr int kMostDays = 366;
constexpr int kMostUsers = 300;
constexpr long long kMostSimulatedDays = 3000;

struct Options
{
    std::string scenario = "office";
    std::optional<fs::path> trace;
    std::optional<int> days;
    std::uint64_t seed = 1;
    bool compare = false;
    TasteChoice taste;
    std::optional<int> population;
    std::optional<Behaviour> behaviour = Behaviour::jump; // nothing: mixed
    std::map<std::string, bool> settings;
    std::optional<fs::path> plot;
    TableWidth table = TableWidth::brief;
    std::optional<fs::path> out;
    bool help = false;

    Behaviour behaviourOf(std::uint64_t seed) const
    {
        return behaviour ? *behaviour : allBehaviours()[seed % allBehaviours().size()];
    }
};

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

template<typename T>
T parseNumber(const std::string &option, const std::string &text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw UsageError(arg(translate("Simulate", "%1: not a whole number: %2"), {option, files::quoted(text)}));
    }
    return value;
}

double parseDecimal(const std::string &option, const std::string &name, const std::string &text, double low,
                    double high)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw UsageError(arg(translate("Simulate", "%1: %2 is not a number: %3"), {option, name, files::quoted(text)}));
    }
    if (!(value >= low && value <= high)) {
        char range[64];
        std::snprintf(range, sizeof range, "%g...%g", low, high);
        throw UsageError(arg(translate("Simulate", "%1: %2 must be within %3, not %4"), {option, name, range, text}));
    }
    return value;
}

// Parts given in several --taste options add up; a part given twice is refused rather than one value lost.
void parseTaste(const std::string &text, TasteChoice &taste)
{
    const auto once = [&](std::optional<double> &part, const std::string &name, double value) {
        if (part) {
            throw UsageError(arg(translate("Simulate", "%1: %2 is given twice"), {"--taste", name}));
        }
        part = value;
    };
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string item = text.substr(from, comma - from);
        const std::size_t equals = item.find('=');
        const std::string name = item.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : item.substr(equals + 1);
        if (equals == std::string::npos) {
            throw UsageError(
                arg(translate("Simulate", "--taste: expected NAME=VALUE (exponent, tolerance, patience), not %1"),
                    {files::quoted(item)}));
        } else if (name == "exponent") {
            once(taste.exponent, name, parseDecimal("--taste", name, value, 0.0, 1.0));
        } else if (name == "tolerance") {
            once(taste.tolerance, name, parseDecimal("--taste", name, value, 1.01, 3.0));
        } else if (name == "patience") {
            once(taste.patience, name, parseDecimal("--taste", name, value, 0.1, 60.0));
        } else {
            throw UsageError(
                arg(translate("Simulate", "--taste: unknown part %1 (known: exponent, tolerance, patience)"),
                    {files::quoted(name)}));
        }
        from = comma + 1;
    }
}

// Settings the loop reads; all are switches.
const std::string_view kSettings[] = {settings::rememberBrightnessPerSituation.name,
                                      settings::adjustExternalDisplays.name};

void parseSetting(const std::string &text, std::map<std::string, bool> &settings)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        throw UsageError(arg(translate("Simulate", "--set: expected KEY=VALUE, not %1"), {files::quoted(text)}));
    }
    const std::string key = text.substr(0, equals);
    const std::string value = text.substr(equals + 1);
    if (std::find(std::begin(kSettings), std::end(kSettings), key) == std::end(kSettings)) {
        throw UsageError(arg(translate("Simulate", "--set: unknown setting %1 (known: %2)"),
                             {files::quoted(key), "rememberBrightnessPerSituation, adjustExternalDisplays"}));
    }
    if (value != "true" && value != "false") {
        throw UsageError(
            arg(translate("Simulate", "--set: %1 takes true or false, not %2"), {key, files::quoted(value)}));
    }
    if (!settings.emplace(key, value == "true").second) {
        throw UsageError(arg(translate("Simulate", "%1: %2 is given twice"), {"--set", key}));
    }
}

// Whole numbers within low...high, or a line that says so.
int parseCount(const std::string &option, const std::string &text, int low, int high)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size() ||
        (error != std::errc() && error != std::errc::result_out_of_range)) {
        throw UsageError(arg(translate("Simulate", "%1: not a whole number: %2"), {option, files::quoted(text)}));
    }
    if (error != std::errc() || value < low || value > high) {
        throw UsageError(arg(translate("Simulate", "%1: must be within %2...%3, not %4"),
                             {option, std::to_string(low), std::to_string(high), files::quoted(text)}));
    }
    return static_cast<int>(value);
}

Options parse(const std::vector<std::string> &args)
{
    Options o;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size()) {
                throw UsageError(arg(translate("Simulate", "%1 needs a value"), {a}));
            }
            // One value per option: a second would silently replace the first.
            if (std::find(seen.begin(), seen.end(), a) != seen.end()) {
                throw UsageError(arg(translate("Simulate", "%1 is given twice"), {a}));
            }
            if (a != "--taste" && a != "--set") {
                seen.push_back(a);
            }
            if (args[i + 1].empty()) {
                throw UsageError(arg(translate("Simulate", "%1 needs a value, not an empty one"), {a}));
            }
            return args[++i];
        };
        if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--scenario") {
            o.scenario = value();
        } else if (a == "--trace") {
            o.trace = value();
        } else if (a == "--days") {
            o.days = parseCount(a, value(), 1, kMostDays);
        } else if (a == "--seed") {
            o.seed = parseNumber<std::uint64_t>(a, value());
        } else if (a == "--compare") {
            o.compare = true;
        } else if (a == "--taste") {
            parseTaste(value(), o.taste);
        } else if (a == "--population") {
            o.population = parseCount(a, value(), 1, kMostUsers);
        } else if (a == "--behaviour") {
            const std::string &name = value();
            o.behaviour = behaviourNamed(name); // "mixed" leaves it empty
            if (!o.behaviour && name != "mixed") {
                throw UsageError(arg(translate("Simulate", "--behaviour: unknown behaviour %1 (known: %2)"),
                                     {files::quoted(name), "jump, notch, overshoot, drift, picky, mixed"}));
            }
        } else if (a == "--set") {
            parseSetting(value(), o.settings);
        } else if (a == "--plot") {
            o.plot = value();
        } else if (a == "--table") {
            const std::string &text = value();
            if (text != "brief" && text != "full") {
                throw UsageError(arg(translate("Simulate", "--table: brief or full, not %1"), {files::quoted(text)}));
            }
            o.table = text == "full" ? TableWidth::full : TableWidth::brief;
        } else if (a == "--out") {
            o.out = value();
        } else {
            throw UsageError(
                arg(translate("Simulate", "unknown option %1 (see lumvex simulate --help)"), {files::quoted(a)}));
        }
    }
    const auto given = [&](const char *option) { return std::find(seen.begin(), seen.end(), option) != seen.end(); };
    if (o.trace && given("--scenario")) {
        throw UsageError(translate("Simulate", "--trace replays a recorded file; it does not go with --scenario"));
    }
    if (o.population && o.plot) {
        throw UsageError(translate("Simulate", "--plot draws one user; it does not go with --population"));
    }
    const std::uint64_t users = static_cast<std::uint64_t>(o.population.value_or(1));
    if (o.seed > std::numeric_limits<std::uint64_t>::max() - (users - 1)) {
        throw UsageError(arg(translate("Simulate", "--seed: %1 users need seeds up to %2+%3, past the largest seed"),
                             {std::to_string(users), std::to_string(o.seed), std::to_string(users - 1)}));
    }
    // Each user runs under every strategy compared; the sum bounds how long and how large one run gets.
    const int strategies = o.population || o.compare ? 3 : 1;
    const long long work = static_cast<long long>(users) * o.days.value_or(7) * strategies;
    if (work > kMostSimulatedDays) {
        throw UsageError(arg(
            translate("Simulate", "a run simulates at most %1 days (users x days x strategies), not %2; ask for fewer"),
            {std::to_string(kMostSimulatedDays), std::to_string(work)}));
    }
    return o;
}

// The plot is written after the whole run: a place that cannot take it is refused before any work, and a
// device such as /dev/full is never replaced by a file.
void checkPlotTarget(const fs::path &plot)
{
    struct stat info
    {};
    if (::stat(plot.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        throw UsageError(
            arg(translate("Simulate", "--plot: %1 is not a regular file"), {files::quoted(plot.string())}));
    }
    const fs::path folder = plot.has_parent_path() ? plot.parent_path() : fs::path(".");
    if (!files::canWriteIn(folder)) {
        throw UsageError(
            arg(translate("Simulate", "--plot: cannot write in the folder %1"), {files::quoted(folder.string())}));
    }
}

std::string joined(const std::vector<std::string> &names)
{
    std::string text;
    for (const auto &n : names) {
        text += (text.empty() ? "" : ", ") + n;
    }
    return text;
}

// Claims a new folder for this run, named after the time. mkdir, not a check before it: two simulations
// started in the same second must not share one, or each would load the other's learned table.
std::optional<fs::path> freshFolder(const fs::path &root, const std::string &name)
{
    if (!files::makePrivateDirectories(root)) {
        return std::nullopt;
    }
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = std::string(stamp) + "-" + name;
    for (int n = 1; n < 1000; ++n) {
        const fs::path folder = root / (n == 1 ? base : base + "-" + std::to_string(n));
        if (::mkdir(folder.c_str(), 0700) == 0) {
            return folder;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

class Progress
{
public:
    Progress(std::ostream &out, bool interactive, int total, std::string unit)
        : m_out(out)
        , m_interactive(interactive)
        , m_total(total)
        , m_unit(std::move(unit))
    {}

    void dayDone(const std::string &strategy, int day)
    {
        constexpr int kBar = 28;
        const int filled = (day + 1) * kBar / m_total;
        const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                                std::string(static_cast<std::size_t>(kBar - filled), '.');
        char line[128];
        std::snprintf(line, sizeof line, "%-8s [%s] %s %d/%d", strategy.c_str(), bar.c_str(), m_unit.c_str(), day + 1,
                      m_total);
        if (m_interactive) {
            m_out << '\r' << line << (day + 1 == m_total ? "\n" : "") << std::flush;
        } else if (day + 1 == m_total) {
            m_out << line << '\n' << std::flush; // a file or a pipe sees each line as it comes
        }
    }

private:
    std::ostream &m_out;
    bool m_interactive;
    int m_total;
    std::string m_unit;
};

// Prose broken at spaces into lines of at most 100 columns, as wide as the table below it.
std::string wrapped(const std::string &text)
{
    constexpr std::size_t kWidth = 100;
    std::string lines;
    std::size_t lineStart = 0;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t space = std::min(text.find(' ', from), text.size());
        const std::string word = text.substr(from, space - from);
        if (lines.size() > lineStart && lines.size() - lineStart + 1 + word.size() > kWidth) {
            lines += '\n';
            lineStart = lines.size();
        } else if (lines.size() > lineStart) {
            lines += ' ';
        }
        lines += word;
        from = space + 1;
    }
    return lines;
}

std::string userFolder(int user)
{
    char name[32];
    std::snprintf(name, sizeof name, "user-%02d", user + 1);
    return name;
}

} // namespace

int runSimulateCommand(const std::vector<std::string> &args, const fs::path &defaultOutRoot, std::ostream &out,
                       std::ostream &err, bool interactive)
{
    Options options;
    Trace trace;
    try {
        options = parse(args);
        if (options.help) {
            out << translate("Simulate", kUsage);
            return 0;
        }
        // Everything is read and checked before the first file is written.
        if (options.plot) {
            checkPlotTarget(*options.plot);
        }
        if (options.trace) {
            trace = readTelemetryTrace(*options.trace);
        } else {
            auto made = makeScenario(options.scenario, options.days.value_or(7), options.seed);
            if (!made) {
                throw UsageError(arg(translate("Simulate", "--scenario: unknown scenario %1 (known: %2)"),
                                     {files::quoted(options.scenario), joined(scenarioNames())}));
            }
            trace = std::move(*made);
        }
        if (options.out) {
            for (int u = 0; u < options.population.value_or(1); ++u) {
                const fs::path folder = options.population ? *options.out / userFolder(u) : *options.out;
                for (const char *name : {"content_offsets.json", "content_strength.json", "dailystats.json",
                                         "adjustments.csv", "summary.csv", "plot.svg"}) {
                    if (fs::exists(folder / name)) {
                        throw UsageError(
                            arg(translate("Simulate", "--out: %1 exists; choose a folder without Lumvex files"),
                                {(folder / name).string()}));
                    }
                }
            }
        }
    } catch (const std::exception &e) {
        // File names and fields from the file may hold anything a terminal would obey.
        err << "lumvex simulate: " << files::printable(e.what()) << '\n';
        return 2;
    }

    const int days = options.days.value_or(static_cast<int>(trace.days.size()));
    const std::optional<fs::path> claimed =
        options.out ? (files::makePrivateDirectories(*options.out) ? options.out : std::nullopt)
                    : freshFolder(defaultOutRoot, trace.name);
    if (!claimed) {
        err << "lumvex simulate: "
            << (options.out ? arg(translate("Simulate", "cannot create the folder %1"), {options.out->string()})
                            : arg(translate("Simulate", "cannot create a folder under %1"), {defaultOutRoot.string()}))
            << '\n';
        return 1;
    }
    const fs::path folder = *claimed;

    std::vector<Strategy> strategies{Strategy::lumvex};
    if (options.compare || options.population) {
        strategies.push_back(Strategy::fixed);
        strategies.push_back(Strategy::ambientOnly);
    }
    const auto runAll = [&](const Trace &t, std::uint64_t seed, const SimulatedUser::Taste &taste, Behaviour behaviour,
                            const fs::path &files, const std::function<void(Strategy, int)> &onDayDone) {
        std::vector<RunResult> results;
        for (const Strategy strategy : strategies) {
            SimulationOptions simulation;
            simulation.days = days;
            simulation.seed = seed;
            simulation.user = taste;
            simulation.behaviour = behaviour;
            simulation.outDir = files;
            simulation.settings = options.settings;
            if (options.population || strategy != strategies.front()) {
                // Only the plot reads the points, and it draws the one user's first strategy.
                simulation.plotInterval = std::numeric_limits<double>::infinity();
            }
            simulation.onDayDone = [&](int day) { onDayDone(strategy, day); };
            results.push_back(simulate(t, strategy, simulation));
        }
        return results;
    };

    if (options.population) {
        const int n = *options.population;
        out << arg(translate("Simulate", "Simulating %1 for %2 of \"%3\" (seeds %4 to %5); files in %6"),
                   {translate("Simulate", "%n user(s)", nullptr, n), translate("Simulate", "%n day(s)", nullptr, days),
                    trace.name, std::to_string(options.seed),
                    std::to_string(options.seed + static_cast<std::uint64_t>(n) - 1), folder.string()})
            << std::endl;
        Progress progress(out, interactive, n, translate("Simulate", "user"));
        std::vector<UserResult> users(static_cast<std::size_t>(n));
        // Users share nothing but the command's options: two threads take turns at them, and each user's
        // result lands in its own place, so the table is the same as one thread would make.
        std::atomic<int> next{0};
        std::atomic<int> done{0};
        std::mutex progressMutex;
        const auto work = [&] {
            for (int u = next++; u < n; u = next++) {
                const std::uint64_t seed = options.seed + static_cast<std::uint64_t>(u);
                const Trace own = options.trace ? trace : *makeScenario(options.scenario, days, seed);
                const SimulatedUser::Taste taste = options.taste.appliedTo(SimulatedUser::Taste::fromPopulation(seed));
                users[static_cast<std::size_t>(u)] = {
                    seed, taste,
                    runAll(own, seed, taste, options.behaviourOf(seed), folder / userFolder(u), [](Strategy, int) {})};
                const std::lock_guard lock(progressMutex);
                progress.dayDone(translate("Simulate", "users"), done++);
            }
        };
        {
            std::jthread helper(work);
            work();
        }
        out << '\n' << wrapped(populationSentence(users)) << "\n\n";
        printPopulation(out, users);
        return 0;
    }

    out << arg(translate("Simulate", "Simulating %1 of \"%2\" (seed %3); files in %4"),
               {translate("Simulate", "%n day(s)", nullptr, days), trace.name, std::to_string(options.seed),
                folder.string()})
        << std::endl;
    std::optional<Progress> progress;
    const std::vector<RunResult> runs =
        runAll(trace, options.seed, options.taste.appliedTo(SimulatedUser::Taste::random(options.seed)),
               options.behaviourOf(options.seed), folder, [&](Strategy strategy, int day) {
                   if (day == 0) {
                       progress.emplace(out, interactive, days, translate("Simulate", "day"));
                   }
                   progress->dayDone(strategyName(strategy), day);
               });

    out << '\n' << wrapped(summarySentence(runs)) << "\n\n";
    printSummary(out, runs, options.table);
    out << '\n' << choicesTakenBackLine({std::cref(runs)}) << '\n';
    const fs::path table = folder / "summary.csv";
    if (!files::writeAtomically(table, summaryCsv(runs))) {
        err << "lumvex simulate: " << arg(translate("Simulate", "cannot write the table to %1"), {table.string()})
            << '\n';
        return 1;
    }
    const fs::path plot = options.plot.value_or(folder / "plot.svg");
    const std::string title =
        arg(translate("Simulate", "Lumvex on \"%1\", seed %2"), {trace.name, std::to_string(options.seed)});
    if (!files::writeAtomically(plot, renderPlot(runs.front(), title))) {
        err << "lumvex simulate: " << arg(translate("Simulate", "cannot write the plot to %1"), {plot.string()})
            << '\n';
        return 1;
    }
    out << '\n'
        << arg(translate("Simulate", "All columns: %1"), {table.string()}) << '\n'
        << arg(translate("Simulate", "Plot: %1"), {plot.string()}) << '\n';
    return 0;
}

} // namespace lumvex::sim
