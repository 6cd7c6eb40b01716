// SPDX-License-Identifier: MIT
#include "ReportCommand.h"

#include "RecordingReader.h"
#include "ReportDay.h"
#include "ReportHtml.h"
#include "ReportSvg.h"
#include "base/Files.h"
#include "base/Translation.h"
#include "telemetry/DailyLogFile.h"
#include "telemetry/TelemetryRecorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

namespace lumvex::report {

namespace fs = std::filesystem;
using i18n::arg;
using i18n::translate;

namespace {

constexpr const char *kDefaultOut = "lumvex-report.html";
constexpr std::size_t kProblemsShown = 5;

constexpr const char *kUsage = QT_TRANSLATE_NOOP("Report", R"(Usage: lumvex report [options] [DIR or FILES...]

Draws what Lumvex recorded: brightness, content luminance, ambient light, your corrections and the
automatic changes, one plot per day, so that you can see what the brightness loop did.

Reads the telemetry files (telemetry-<day>.jsonl, written while "Record Brightness Data" is on in
the menu; hold Alt while opening it) and the adjustment log (adjustments.csv). Without DIR or FILES
it reads Lumvex's own; a DIR is searched for both, also in its telemetry folder. Lines that cannot
be read are skipped and listed.

Options:
  --out FILE   where the report goes (default: lumvex-report.html in the current folder);
               a name ending in .svg gives a single SVG image instead of an HTML page
  -h, --help   show this help
)");

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct Options
{
    std::vector<fs::path> inputs;
    fs::path out = kDefaultOut;
    bool help = false;
};

Options parse(const std::vector<std::string> &args)
{
    Options o;
    bool onlyInputs = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (onlyInputs || a.empty() || a[0] != '-' || a == "-") {
            o.inputs.emplace_back(a);
        } else if (a == "--") {
            onlyInputs = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--out" || a == "-o") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                throw UsageError(arg(translate("Report", "%1 needs a file name"), {a}));
            }
            o.out = args[++i];
        } else if (a.rfind("--out=", 0) == 0 && a.size() > 6) {
            o.out = a.substr(6);
        } else {
            throw UsageError(
                arg(translate("Report", "unknown option %1 (see lumvex report --help)"), {files::quoted(a)}));
        }
    }
    return o;
}

struct InputFiles
{
    std::vector<fs::path> telemetry;
    std::vector<fs::path> logs;
    std::vector<std::string> notes;

    bool empty() const { return telemetry.empty() && logs.empty(); }
};

bool isTelemetryName(const fs::path &file)
{
    const std::string name = file.filename().string();
    return name.rfind("telemetry-", 0) == 0 && file.extension() == ".jsonl";
}

// The telemetry files of a folder in day order, and its adjustment log; a missing folder adds nothing.
void collectFolder(const fs::path &folder, InputFiles &files)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto &entry : fs::directory_iterator(folder, error)) {
        if (isTelemetryName(entry.path()) && entry.is_regular_file(error)) {
            found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());
    files.telemetry.insert(files.telemetry.end(), found.begin(), found.end());
    const fs::path removed = folder / DailyLogFile::removedNoteName("telemetry-");
    if (!found.empty() && fs::is_regular_file(removed, error) && fs::file_size(removed, error) < 64) {
        std::string day = files::readAll(removed).value_or("").substr(0, 10);
        // A day's name, never anything a terminal would act on.
        std::erase_if(day, [](char c) { return (c < '0' || c > '9') && c != '-'; });
        files.notes.push_back(arg(
            translate("Report", "The recorder removed its oldest days, up to %1, to keep its "
                                "folder within %2 days and %3 MB."),
            {day, std::to_string(TelemetryRecorder::kKeptDays), std::to_string(TelemetryRecorder::kKeptBytes >> 20)}));
    }
}

InputFiles collect(const Options &options, const ReportInputs &defaults)
{
    InputFiles files;
    std::error_code error;
    if (options.inputs.empty()) {
        collectFolder(defaults.telemetryDir, files);
        if (fs::is_regular_file(defaults.adjustmentLog, error)) {
            files.logs.push_back(defaults.adjustmentLog);
        }
        return files;
    }
    for (const fs::path &input : options.inputs) {
        if (fs::is_directory(input, error)) {
            collectFolder(input, files);
            collectFolder(input / "telemetry", files);
            if (fs::is_regular_file(input / "adjustments.csv", error)) {
                files.logs.push_back(input / "adjustments.csv");
            }
        } else if (!fs::exists(input, error)) {
            throw UsageError(arg(translate("Report", "%1: no such file or folder"), {input.string()}));
        } else if (input.extension() == ".csv") {
            files.logs.push_back(input);
        } else {
            files.telemetry.push_back(input);
        }
    }
    return files;
}

std::string where(const Options &options, const ReportInputs &defaults)
{
    if (options.inputs.empty()) {
        return arg(translate("Report", "%1 or %2"), {defaults.telemetryDir.string(), defaults.adjustmentLog.string()});
    }
    std::string text;
    for (const fs::path &input : options.inputs) {
        text += (text.empty() ? "" : ", ") + input.string();
    }
    return text;
}

} // namespace

int runReportCommand(const std::vector<std::string> &args, const ReportInputs &defaults, const Clock &clock,
                     std::ostream &out, std::ostream &err)
{
    Options options;
    InputFiles inputs;
    try {
        options = parse(args);
        if (options.help) {
            out << translate("Report", kUsage);
            return 0;
        }
        inputs = collect(options, defaults);
        if (inputs.empty()) {
            throw UsageError(
                arg(translate("Report", "no telemetry files or adjustment log in %1; switch on \"%2\" in the "
                                        "menu (hold Alt) to record"),
                    {where(options, defaults), translate("StatusMenu", "Record Brightness Data")}));
        }
    } catch (const UsageError &e) {
        err << "lumvex report: " << e.what() << '\n';
        return 2;
    }

    std::error_code error;
    fs::path target = options.out;
    if (fs::is_directory(target, error)) {
        target /= kDefaultOut;
    }
    const bool svg = target.extension() == ".svg";

    Recording recording;
    recording.notes = inputs.notes;
    for (const fs::path &file : inputs.logs) {
        readAdjustmentLog(file, recording);
    }
    // Each day is drawn as soon as it is read; only its summary stays for the table.
    std::string drawn;
    std::vector<ReportDay> days;
    DaySplitter splitter(recording.adjustments, clock, [&](ReportDay &day) {
        drawn += svg ? renderSvgReportDay(day, days.size()) : renderHtmlDay(day);
        // Let go of the rows themselves, not just of their contents.
        std::exchange(day.telemetry, {});
        std::exchange(day.adjustments, {});
        std::exchange(day.appNames, {});
        days.push_back(std::move(day));
    });
    for (std::size_t i = 0; i < inputs.telemetry.size(); ++i) {
        if (defaults.progress) {
            err << "\rlumvex report: "
                << arg(translate("Report", "reading %1 (%2 of %3)"),
                       {inputs.telemetry[i].filename().string(), std::to_string(i + 1),
                        std::to_string(inputs.telemetry.size())})
                << "\x1b[K" << std::flush;
        }
        readTelemetryFile(inputs.telemetry[i], recording, [&](const TelemetryPoint &p) { splitter.add(p); });
        splitter.finishFile();
    }
    splitter.finish();
    if (defaults.progress && !inputs.telemetry.empty()) {
        err << "\r\x1b[K" << std::flush;
    }

    std::string title = translate("Report", "Lumvex report");
    if (!days.empty()) {
        title += ", " + (days.size() == 1 ? days.front().key
                                          : arg(translate("Report", "%1 to %2"), {days.front().key, days.back().key}));
    }
    const std::string text =
        svg ? renderSvgReport(days.size(), title, drawn) : renderHtmlReport(recording, days, title, drawn);
    // The report names the applications in use, like the recordings: readable by the user only.
    if (!files::writeAtomically(target, text)) {
        err << "lumvex report: "
            << arg(translate("Report", "cannot write %1: %2; choose another place with --out"),
                   {target.string(), std::strerror(errno)})
            << '\n';
        return 1;
    }

    // Counts go to the translations as plain variables: lupdate misreads a cast among the arguments.
    const int skipped = static_cast<int>(recording.problemCount);
    if (skipped > 0) {
        err << "lumvex report: " << translate("Report", "skipped %n unreadable line(s):", nullptr, skipped) << '\n';
        for (std::size_t i = 0; i < recording.problems.size() && i < kProblemsShown; ++i) {
            err << "  " << recording.problems[i].text() << '\n';
        }
        if (recording.problemCount > kProblemsShown) {
            const std::string more = std::to_string(recording.problemCount - kProblemsShown);
            err << "  "
                << arg(svg ? translate("Report", "and %1 more")
                           : translate("Report", "and %1 more, listed in the report"),
                       {more})
                << '\n';
        }
    }
    for (const std::string &note : recording.notes) {
        err << "lumvex report: " << note << '\n';
    }
    const int dayCount = static_cast<int>(days.size());
    out << arg(translate("Report", "Report of %1 (%2 telemetry rows, %3 adjustments) written to %4"),
               {translate("Report", "%n day(s)", nullptr, dayCount), std::to_string(recording.telemetryRows),
                std::to_string(recording.adjustments.size()), target.string()})
        << '\n';
    return 0;
}

} // namespace lumvex::report
