#include "SimulateCommand.h"

#include "Scenarios.h"
#include "Simulator.h"
#include "Summary.h"
#include "SvgPlot.h"
#include "TelemetryTrace.h"
#include "engine/Files.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>

namespace lumvex::sim {

namespace fs = std::filesystem;

namespace {

constexpr const char *kUsage = R"(Usage: lumvex simulate [options]

Runs Lumvex's compensation loop without a desktop: simulated screen content, ambient light and
backlight, and a simulated user with hidden preferences who corrects the brightness when the light
stays too far from what they like. Prints a summary per day.

Options:
  --scenario NAME   office (default), video or night-reading
  --trace FILE      replay a recorded telemetry file instead of a scenario
  --days N          simulated days (default 7; with --trace, the recorded days)
  --seed N          seed of the content and of the user (default 1)
  --compare         also run fixed brightness and ambient-only automatic brightness
  --plot FILE.svg   write a plot of brightness, luminance and corrections
  --out DIR         folder for the learned table, statistics and log (default: a new
                    folder under the state directory; an existing folder must not hold
                    Lumvex files)
  -h, --help        show this help
)";

struct Options
{
    std::string scenario = "office";
    std::optional<fs::path> trace;
    std::optional<int> days;
    std::uint64_t seed = 1;
    bool compare = false;
    std::optional<fs::path> plot;
    std::optional<fs::path> out;
    bool help = false;
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
        throw UsageError(option + ": not a whole number: \"" + text + "\"");
    }
    return value;
}

Options parse(const std::vector<std::string> &args)
{
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size()) {
                throw UsageError(a + " needs a value");
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
            const std::string &text = value();
            if (!text.empty() && text[0] == '-') {
                throw UsageError("--days: must be at least 1, not " + text);
            }
            o.days = parseNumber<int>(a, text);
            if (*o.days < 1) {
                throw UsageError("--days: must be at least 1, not " + text);
            }
        } else if (a == "--seed") {
            o.seed = parseNumber<std::uint64_t>(a, value());
        } else if (a == "--compare") {
            o.compare = true;
        } else if (a == "--plot") {
            o.plot = value();
        } else if (a == "--out") {
            o.out = value();
        } else {
            throw UsageError("unknown option \"" + a + "\" (see lumvex simulate --help)");
        }
    }
    return o;
}

std::string joined(const std::vector<std::string> &names)
{
    std::string text;
    for (const auto &n : names) {
        text += (text.empty() ? "" : ", ") + n;
    }
    return text;
}

// A new folder for this run, never one that already holds results.
fs::path freshFolder(const fs::path &root, const std::string &name)
{
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    fs::path folder = root / (std::string(stamp) + "-" + name);
    for (int n = 2; fs::exists(folder); ++n) {
        folder = root / (std::string(stamp) + "-" + name + "-" + std::to_string(n));
    }
    return folder;
}

class Progress
{
public:
    Progress(std::ostream &out, bool interactive, int total)
        : m_out(out)
        , m_interactive(interactive)
        , m_total(total)
    {}

    void dayDone(const std::string &strategy, int day)
    {
        constexpr int kBar = 28;
        const int filled = (day + 1) * kBar / m_total;
        const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                                std::string(static_cast<std::size_t>(kBar - filled), '.');
        char line[128];
        std::snprintf(line, sizeof line, "%-8s [%s] day %d/%d", strategy.c_str(), bar.c_str(), day + 1, m_total);
        if (m_interactive) {
            m_out << '\r' << line << (day + 1 == m_total ? "\n" : "") << std::flush;
        } else if (day + 1 == m_total || (day + 1) % std::max(1, m_total / 4) == 0) {
            m_out << line << '\n';
        }
    }

private:
    std::ostream &m_out;
    bool m_interactive;
    int m_total;
};

} // namespace

int runSimulateCommand(const std::vector<std::string> &args, const fs::path &defaultOutRoot, std::ostream &out,
                       std::ostream &err, bool interactive)
{
    Options options;
    Trace trace;
    try {
        options = parse(args);
        if (options.help) {
            out << kUsage;
            return 0;
        }
        // Everything is read and checked before the first file is written.
        if (options.trace) {
            trace = readTelemetryTrace(*options.trace);
        } else {
            auto made = makeScenario(options.scenario, options.days.value_or(7), options.seed);
            if (!made) {
                throw UsageError("--scenario: unknown scenario \"" + options.scenario +
                                 "\" (known: " + joined(scenarioNames()) + ")");
            }
            trace = std::move(*made);
        }
        if (options.out) {
            for (const char *name : {"content_offsets.json", "dailystats.json", "adjustments.csv"}) {
                if (fs::exists(*options.out / name)) {
                    throw UsageError("--out: " + (*options.out / name).string() +
                                     " exists; choose a folder without Lumvex files");
                }
            }
        }
    } catch (const std::exception &e) {
        err << "lumvex simulate: " << e.what() << '\n';
        return 2;
    }

    const int days = options.days.value_or(static_cast<int>(trace.days.size()));
    const fs::path folder = options.out.value_or(freshFolder(defaultOutRoot, trace.name));
    if (!files::makePrivateDirectories(folder)) {
        err << "lumvex simulate: cannot create the folder " << folder.string() << '\n';
        return 1;
    }

    out << "Simulating " << days << (days == 1 ? " day" : " days") << " of \"" << trace.name << "\" (seed "
        << options.seed << "); files in " << folder.string() << "\n";
    std::vector<Strategy> strategies{Strategy::lumvex};
    if (options.compare) {
        strategies.push_back(Strategy::fixed);
        strategies.push_back(Strategy::ambientOnly);
    }
    std::vector<RunResult> runs;
    for (const Strategy strategy : strategies) {
        Progress progress(out, interactive, days);
        SimulationOptions simulation;
        simulation.days = days;
        simulation.seed = options.seed;
        simulation.outDir = folder;
        simulation.onDayDone = [&](int day) { progress.dayDone(strategyName(strategy), day); };
        runs.push_back(simulate(trace, strategy, simulation));
    }

    out << '\n';
    printSummary(out, runs);
    if (options.plot) {
        const std::string title = "Lumvex on \"" + trace.name + "\", seed " + std::to_string(options.seed);
        if (!files::writeAtomically(*options.plot, renderPlot(runs.front(), title))) {
            err << "lumvex simulate: cannot write the plot to " << options.plot->string() << '\n';
            return 1;
        }
        out << "Plot written to " << options.plot->string() << '\n';
    }
    return 0;
}

} // namespace lumvex::sim
