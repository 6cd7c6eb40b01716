// SPDX-License-Identifier: MIT
#include "DdcTool.h"

#include "BrightnessScale.h"
#include "BusLock.h"
#include "ConnectorMatch.h"
#include "DdcChannel.h"
#include "ToolMessages.h"
#include "base/Translation.h"
#include "sensing/OutputNameId.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <variant>

namespace lumvex::ddc {

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;
// Long enough for another run's read and write, short enough to stay within the caller's second.
constexpr std::chrono::milliseconds kLockPatience{400};

template<typename T>
std::optional<T> parseDecimal(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool digitsOnly = std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
    if (text.empty() || !digitsOnly || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A display's connector, or the line that says why there is none.
using Resolution = std::variant<DrmConnector, std::string>;

// A failure to reach the display, already worded for people.
struct Failure
{
    std::string message;
};

class Tool
{
public:
    Tool(ToolContext &context, std::ostream &out, std::ostream &err)
        : m_context(context)
        , m_out(out)
        , m_err(err)
    {}

    int run(const std::vector<std::string> &args)
    {
        if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
            m_out << helpText();
            return 0;
        }
        if (args.size() == 1 && args[0] == "list") {
            return list();
        }
        const bool get = args.size() == 4 && args[2] == "get";
        const bool set = args.size() == 5 && args[2] == "set";
        if ((!get && !set) || args[0] != "display" || args[3] != "luminance") {
            return usage(i18n::translate(
                "Ddc", "expected `display id=N get luminance`, `display id=N set luminance P`, `list` or --help"));
        }
        const std::optional<std::uint32_t> display =
            args[1].starts_with("id=") ? parseDecimal<std::uint32_t>(args[1].substr(3)) : std::nullopt;
        if (!display) {
            return usage(
                i18n::arg(i18n::translate("Ddc", "the display must be given as id=N with N a display id, not \"%1\""),
                          {args[1]}));
        }
        if (get) {
            return getBrightness(*display);
        }
        const std::optional<int> percent = parseDecimal<int>(args[4]);
        if (!percent || *percent > 100) {
            return usage(
                i18n::arg(i18n::translate("Ddc", "the brightness must be a whole percentage from 0 to 100, not \"%1\""),
                          {args[4]}));
        }
        return setBrightness(*display, *percent);
    }

private:
    int usage(const std::string &problem)
    {
        m_err << usageError(problem) << '\n';
        return kUsage;
    }

    int fail(const std::string &message)
    {
        m_err << message << '\n';
        return kFailure;
    }

    int getBrightness(std::uint32_t display)
    {
        return withDisplay(display,
                           [&](DdcChannel &channel, const DrmConnector &connector,
                               const std::filesystem::path &device) -> std::optional<Failure> {
                               const DdcOutcome outcome = channel.read(kBrightnessCode);
                               if (!outcome.ok()) {
                                   return Failure{ddcError(outcome, connector, device)};
                               }
                               const std::optional<int> percent = percentOf(outcome.value);
                               if (!percent) {
                                   return Failure{zeroMaximumError(connector, device)};
                               }
                               m_out << *percent << '\n';
                               return std::nullopt;
                           });
    }

    int setBrightness(std::uint32_t display, int percent)
    {
        return withDisplay(display,
                           [&](DdcChannel &channel, const DrmConnector &connector,
                               const std::filesystem::path &device) -> std::optional<Failure> {
                               // The monitor keeps its settings in memory that wears with every write: read first and
                               // leave a value it already holds alone.
                               const DdcOutcome current = channel.read(kBrightnessCode);
                               if (!current.ok()) {
                                   return Failure{ddcError(current, connector, device)};
                               }
                               if (current.value.maximum == 0) {
                                   return Failure{zeroMaximumError(connector, device)};
                               }
                               const std::uint16_t wanted = rawValueFor(percent, current.value.maximum);
                               if (wanted == current.value.current) {
                                   return std::nullopt;
                               }
                               const DdcOutcome written = channel.write(kBrightnessCode, wanted);
                               return written.ok() ? std::nullopt
                                                   : std::optional(Failure{ddcError(written, connector, device)});
                           });
    }

    template<typename Work>
    int withDisplay(std::uint32_t display, Work work)
    {
        const Resolution resolution = resolve(display);
        if (const auto *message = std::get_if<std::string>(&resolution)) {
            return fail(*message);
        }
        const DrmConnector &connector = std::get<DrmConnector>(resolution);
        if (!connector.bus) {
            return fail(noBusError(connector));
        }
        const std::optional<Failure> failure = withBus(
            *connector.bus, [&](DdcChannel &channel, const auto &device) { return work(channel, connector, device); });
        return failure ? fail(failure->message) : 0;
    }

    Resolution resolve(std::uint32_t display)
    {
        const std::vector<DrmConnector> connectors = m_context.connectors();
        if (m_context.connectorOverride) {
            const DrmConnector *chosen = findConnector(connectors, *m_context.connectorOverride);
            return chosen ? Resolution(*chosen) : Resolution(unknownConnectorError(*m_context.connectorOverride));
        }
        if (m_context.waylandSession) {
            const auto named = std::ranges::find_if(connectors, [display](const DrmConnector &connector) {
                return connector.connected && outputNameId(connector.connector) == display;
            });
            return named != connectors.end() ? Resolution(*named) : Resolution(noSuchOutputError(display));
        }
        const std::optional<std::vector<X11Monitor>> monitors = m_context.monitors();
        if (!monitors) {
            return noXServerError(display);
        }
        const auto monitor = std::ranges::find(*monitors, display, &X11Monitor::id);
        if (monitor == monitors->end()) {
            return noSuchDisplayError(display);
        }
        const std::optional<std::size_t> index = matchConnector(identityOf(*monitor), connectors);
        if (!index) {
            return noConnectorError(display, monitor->name);
        }
        return connectors[*index];
    }

    // Opens the bus, takes its lock and runs the work on a channel that continues the pauses of the
    // previous run; a failure comes back worded for people.
    template<typename Work>
    std::optional<Failure> withBus(int bus, Work work)
    {
        const std::filesystem::path device = busDevice(bus);
        const OpenedBus opened = m_context.openBus(device);
        if (!opened.bus) {
            const auto group = m_context.deviceGroup ? m_context.deviceGroup(device) : std::nullopt;
            return Failure{openError(device, opened.error, opened.addressRefused, group)};
        }
        std::optional<BusLock> lock;
        if (m_context.lockFolder) {
            BusLock::Failure lockFailure = BusLock::Failure::None;
            lock = BusLock::acquire(*m_context.lockFolder, bus, m_context.clock, kLockPatience, lockFailure);
            if (lockFailure == BusLock::Failure::Busy) {
                return Failure{busyError(device)};
            }
        }
        DdcChannel channel(*opened.bus, m_context.clock, m_context.timings);
        channel.setQuietUntil(lock ? lock->quietUntil() : m_context.clock.now());
        std::optional<Failure> failure = work(channel, device);
        if (lock) {
            lock->setQuietUntil(channel.quietUntil());
        } else {
            m_context.clock.sleepUntil(channel.quietUntil());
        }
        return failure;
    }

    std::filesystem::path busDevice(int bus) const { return m_context.root / "dev" / ("i2c-" + std::to_string(bus)); }

    int list();
    std::string probe(const DrmConnector &connector);

    ToolContext &m_context;
    std::ostream &m_out;
    std::ostream &m_err;
};

struct ListRow
{
    std::string id;
    std::string monitor;
    std::string connector;
    std::string bus;
    std::string ddc;
};

void printTable(std::ostream &out, const std::vector<ListRow> &rows)
{
    std::vector<ListRow> all{{i18n::translate("Ddc", "ID"), i18n::translate("Ddc", "MONITOR"),
                              i18n::translate("Ddc", "CONNECTOR"), i18n::translate("Ddc", "BUS"), "DDC/CI"}};
    all.insert(all.end(), rows.begin(), rows.end());
    std::size_t widths[4] = {};
    for (const ListRow &row : all) {
        const std::string *cells[4] = {&row.id, &row.monitor, &row.connector, &row.bus};
        for (std::size_t i = 0; i < 4; ++i) {
            widths[i] = std::max(widths[i], cells[i]->size());
        }
    }
    for (const ListRow &row : all) {
        const std::string *cells[4] = {&row.id, &row.monitor, &row.connector, &row.bus};
        for (std::size_t i = 0; i < 4; ++i) {
            out << *cells[i] << std::string(widths[i] - cells[i]->size() + 2, ' ');
        }
        out << row.ddc << '\n';
    }
}

int Tool::list()
{
    const std::vector<DrmConnector> connectors = m_context.connectors();
    std::vector<bool> shown(connectors.size(), false);
    std::vector<ListRow> rows;
    const auto busName = [&](const DrmConnector &connector) {
        return connector.bus ? busDevice(*connector.bus).string() : std::string("-");
    };
    if (m_context.waylandSession) {
        for (const DrmConnector &connector : connectors) {
            if (connector.connected) {
                rows.push_back({std::to_string(outputNameId(connector.connector)), connector.connector, connector.name,
                                busName(connector), probe(connector)});
            }
        }
        printTable(m_out, rows);
        if (rows.empty()) {
            m_err << "lumvex-ddc: "
                  << i18n::arg(i18n::translate("Ddc", "no connected connectors in %1"),
                               {(m_context.root / "sys/class/drm").string()})
                  << '\n';
        }
        return 0;
    }
    const std::optional<std::vector<X11Monitor>> monitors = m_context.monitors();
    for (const X11Monitor &monitor : monitors.value_or(std::vector<X11Monitor>{})) {
        ListRow row{std::to_string(monitor.id), monitor.name, "-", "-", i18n::translate("Ddc", "no connector found")};
        if (const std::optional<std::size_t> index = matchConnector(identityOf(monitor), connectors)) {
            const DrmConnector &connector = connectors[*index];
            shown[*index] = true;
            row.connector = connector.name;
            row.bus = busName(connector);
            row.ddc = probe(connector);
        }
        rows.push_back(std::move(row));
    }
    for (std::size_t i = 0; i < connectors.size(); ++i) {
        if (connectors[i].connected && !shown[i]) {
            rows.push_back({"-", "-", connectors[i].name, busName(connectors[i]), probe(connectors[i])});
        }
    }
    printTable(m_out, rows);
    if (rows.empty()) {
        m_err << "lumvex-ddc: "
              << i18n::arg(i18n::translate("Ddc", "no displays found: no monitors on the X server, no connected "
                                                  "connectors in %1"),
                           {(m_context.root / "sys/class/drm").string()})
              << '\n';
    }
    if (!monitors) {
        m_err << "lumvex-ddc: "
              << i18n::translate("Ddc", "no X server with RandR 1.5 answers on DISPLAY, so display ids are unknown; "
                                        "connectors are listed alone")
              << '\n';
    }
    return 0;
}

std::string Tool::probe(const DrmConnector &connector)
{
    if (!connector.bus) {
        return i18n::translate("Ddc", "no I2C bus");
    }
    std::string state;
    const std::optional<Failure> failure = withBus(*connector.bus, [&](DdcChannel &channel, const auto &) {
        const DdcOutcome outcome = channel.read(kBrightnessCode);
        switch (outcome.result) {
        case DdcResult::Ok:
            if (const std::optional<int> percent = percentOf(outcome.value)) {
                state = i18n::arg(i18n::translate("Ddc", "answers, brightness %1%"), {std::to_string(*percent)});
            } else {
                state = i18n::translate("Ddc", "answers, brightness range 0");
            }
            break;
        case DdcResult::Unsupported:
            state = i18n::translate("Ddc", "answers, no brightness control");
            break;
        case DdcResult::BadReply:
            state = i18n::translate("Ddc", "garbled replies");
            break;
        case DdcResult::NoReply:
            state = i18n::translate("Ddc", "no reply");
            break;
        }
        return std::optional<Failure>();
    });
    if (failure) {
        // The full sentence, without the program's name: the table is already ours.
        constexpr std::string_view kPrefix = "lumvex-ddc: ";
        return failure->message.starts_with(kPrefix) ? failure->message.substr(kPrefix.size()) : failure->message;
    }
    return state;
}

} // namespace

int runTool(const std::vector<std::string> &args, ToolContext &context, std::ostream &out, std::ostream &err)
{
    return Tool(context, out, err).run(args);
}

} // namespace lumvex::ddc
