// SPDX-License-Identifier: MIT
#include "CtlCommand.h"

#include "RemoteControl.h"
#include "base/Files.h"
#include "base/Translation.h"
#include "output/DisplayRange.h"
#include "platform/linux/i18n/Translations.h"
#include "ui/PauseEndText.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDateTime>

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <iomanip>
#include <optional>
#include <sstream>

namespace lumvex {

namespace {

constexpr const char *kUsage = QT_TRANSLATE_NOOP("Ctl", R"(Usage: lumvex ctl COMMAND

Drives the running Lumvex; brightness set this way is learned at once, like a scroll on its icon.

Commands:
  up [STEP]          brighten the built-in display by STEP percent (default 5%)
  down [STEP]        darken it by STEP percent (default 5%)
  set LEVEL          set it to LEVEL percent, as in "set 40%"
  auto on|off        switch automatic adjustment on or off
  pause [DURATION]   stop automatic adjustment for a while ("30m", "2h", "1h30m", "90s"; default until resumed)
  resume             end a pause
  status [--json]    show the state
  display            list the connected displays with their levels and ranges
  display NAME range LOW-HIGH
                     the levels of display NAME (connector or monitor name) for the built-in
                     display's 0% and 100% when displays are linked, as in "display DP-2 range 10%-80%"
  show               open the menu where Lumvex can, else say in a notification where it is

Exit status: 0 done, 1 Lumvex is not running or refused, 2 bad usage.
)");

constexpr double kDefaultStep = 5.0;
constexpr double kSmallestStep = RemoteControl::kSmallestChange * 100.0;
constexpr int kCallTimeoutMs = 10000;

struct Request
{
    QString method;
    QVariantList arguments;
    bool status = false;
    bool json = false;
    bool displays = false;
};

struct UsageError
{
    std::string message;
};

// A text of `lumvex ctl` in the user's language, its %1 (and %2) filled in at once, so that a %2 typed
// into the first is kept as typed.
std::string text(const char *source)
{
    return QCoreApplication::translate("Ctl", source).toStdString();
}

std::string text(const char *source, const std::string &first)
{
    return QCoreApplication::translate("Ctl", source).arg(QString::fromStdString(first)).toStdString();
}

std::string text(const char *source, const std::string &first, const std::string &second)
{
    return QCoreApplication::translate("Ctl", source)
        .arg(QString::fromStdString(first), QString::fromStdString(second))
        .toStdString();
}

// "40", "40%", "2.5%": percent within [low, 100].
std::optional<double> parsePercent(std::string text, double low)
{
    if (!text.empty() && text.back() == '%') {
        text.pop_back();
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < low || value > 100.0) {
        return std::nullopt;
    }
    return value;
}

// "90s", "30m", "2h", "1h30m": seconds, at least one and at most the longest pause.
std::optional<uint> parseDuration(const std::string &text)
{
    unsigned long long total = 0;
    const char *p = text.data();
    const char *const end = p + text.size();
    if (p == end) {
        return std::nullopt;
    }
    while (p != end) {
        unsigned long long number = 0;
        const auto [next, error] = std::from_chars(p, end, number);
        if (error != std::errc() || next == end || number > RemoteControl::kLongestPauseSeconds) {
            return std::nullopt;
        }
        const unsigned long long unit = *next == 's'   ? 1
                                        : *next == 'm' ? 60
                                        : *next == 'h' ? 3600
                                        : *next == 'd' ? 86400
                                                       : 0;
        if (unit == 0) {
            return std::nullopt;
        }
        total += number * unit;
        if (total > RemoteControl::kLongestPauseSeconds) {
            return std::nullopt;
        }
        p = next + 1;
    }
    return total > 0 ? std::optional<uint>(static_cast<uint>(total)) : std::nullopt;
}

Request parse(const std::vector<std::string> &args)
{
    const std::string &command = args.at(0);
    const std::size_t extra = args.size() - 1;
    if (command == "up" || command == "down") {
        if (extra > 1) {
            throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "%1 takes at most one STEP"), command)};
        }
        // Smaller steps move no panel, and a change that changes nothing is no correction to learn.
        const auto step = extra == 1 ? parsePercent(args[1], kSmallestStep) : kDefaultStep;
        if (!step) {
            throw UsageError{
                text(QT_TRANSLATE_NOOP("Ctl", "STEP is a percentage from 0.1 to 100, like 5 or 10%, not %1"),
                     files::quoted(args[1]))};
        }
        return {QStringLiteral("ChangeBrightness"), {(command == "up" ? 1.0 : -1.0) * *step / 100.0}};
    }
    if (command == "set") {
        const auto level = extra == 1 ? parsePercent(args[1], 0.0) : std::nullopt;
        if (!level) {
            throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "set takes one LEVEL from 0% to 100%, like \"set 40%\""))};
        }
        return {QStringLiteral("SetBrightness"), {*level / 100.0}};
    }
    if (command == "auto") {
        if (extra != 1 || (args[1] != "on" && args[1] != "off")) {
            throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "auto takes on or off"))};
        }
        return {QStringLiteral("Set"),
                {QString::fromLatin1(RemoteControl::kInterface), QStringLiteral("AutomaticAdjustment"),
                 QVariant::fromValue(QDBusVariant(args[1] == "on"))}};
    }
    if (command == "pause") {
        if (extra > 1) {
            throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "pause takes at most one DURATION"))};
        }
        const auto seconds = extra == 1 ? parseDuration(args[1]) : std::optional<uint>(0);
        if (!seconds) {
            throw UsageError{
                text(QT_TRANSLATE_NOOP("Ctl", "DURATION is like 30m, 2h, 1h30m or 90s, at most 7 days, not %1"),
                     files::quoted(args[1]))};
        }
        return {QStringLiteral("Pause"), {*seconds}};
    }
    if (command == "resume" && extra == 0) {
        return {QStringLiteral("Resume"), {}};
    }
    if (command == "show" && extra == 0) {
        return {QStringLiteral("Show"), {}};
    }
    if (command == "status" && (extra == 0 || (extra == 1 && args[1] == "--json"))) {
        return {QStringLiteral("Status"), {}, true, extra == 1};
    }
    if (command == "display" && extra == 0) {
        Request request{QStringLiteral("Displays"), {}};
        request.displays = true;
        return request;
    }
    if (command == "display") {
        if (extra != 3 || args[2] != "range") {
            throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "display takes no arguments, or NAME range LOW-HIGH"))};
        }
        const ParsedRange parsed = parseDisplayRange(args[3]);
        if (!parsed.range) {
            throw UsageError{parsed.problem};
        }
        return {QStringLiteral("SetDisplayRange"),
                {QString::fromStdString(args[1]), parsed.range->low, parsed.range->high}};
    }
    if (command == "resume" || command == "status" || command == "show") {
        throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "unexpected arguments after %1"), command)};
    }
    throw UsageError{text(QT_TRANSLATE_NOOP("Ctl", "unknown command %1"), files::quoted(command))};
}

QVariantMap asMap(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    }
    return value.toMap();
}

nlohmann::json toJson(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::Int:
    case QMetaType::LongLong:
        return static_cast<std::int64_t>(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return static_cast<std::uint64_t>(value.toULongLong());
    case QMetaType::QString:
        return value.toString().toStdString();
    default: {
        nlohmann::json object = nlohmann::json::object();
        const QVariantMap map = asMap(value);
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            object[it.key().toStdString()] = toJson(it.value());
        }
        return object;
    }
    }
}

std::string percent(double level)
{
    return std::to_string(static_cast<int>(std::lround(level * 100.0))) + "%";
}

std::string fixed(double value, int digits, bool sign = false)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(digits) << (sign && value >= 0 ? "+" : "") << value;
    return text.str();
}

void printStatus(const QVariantMap &s, std::ostream &out)
{
    auto line = [&out](const char *source, const std::string &value) { out << text(source, value) << '\n'; };
    const std::string unknown = text(QT_TRANSLATE_NOOP("Ctl", "unknown"));
    const double brightness = s.value("Brightness", std::nan("")).toDouble();
    line(QT_TRANSLATE_NOOP("Ctl", "Brightness: %1"), std::isnan(brightness) ? unknown : percent(brightness));
    std::string automatic = s.value("AutomaticAdjustment").toBool() ? text(QT_TRANSLATE_NOOP("Ctl", "on"))
                                                                    : text(QT_TRANSLATE_NOOP("Ctl", "off"));
    const qulonglong until = s.value("PausedUntil").toULongLong();
    if (until == RemoteControl::kUntilResumed) {
        automatic += text(QT_TRANSLATE_NOOP("Ctl", ", paused until resumed"));
    } else if (until != 0) {
        automatic += text(QT_TRANSLATE_NOOP("Ctl", ", paused until %1"), pauseEndText(static_cast<double>(until)));
    }
    line(QT_TRANSLATE_NOOP("Ctl", "Automatic adjustment: %1"), automatic);
    line(QT_TRANSLATE_NOOP("Ctl", "Luminance: %1"), fixed(s.value("Luminance").toDouble(), 2));
    line(QT_TRANSLATE_NOOP("Ctl", "Target ratio: %1"), fixed(s.value("TargetRatio").toDouble(), 3));
    const QString situation = s.value("Situation").toString();
    out << text(QT_TRANSLATE_NOOP("Ctl", "Situation: %1 (offset %2)"),
                situation.isEmpty() ? unknown : situation.toStdString(), fixed(s.value("Offset").toDouble(), 3, true))
        << '\n';
    if (const QString problem = s.value("CaptureProblem").toString(); !problem.isEmpty()) {
        line(QT_TRANSLATE_NOOP("Ctl", "Screen capture: %1"), problem.toStdString());
    }
    line(s.value("DisplayUnderPointerIsBuiltIn").toBool()
             ? QT_TRANSLATE_NOOP("Ctl", "Display under the pointer: %1 (built in)")
             : QT_TRANSLATE_NOOP("Ctl", "Display under the pointer: %1"),
         s.value("DisplayUnderPointer").toString().toStdString());
    const QVariantMap external = asMap(s.value("ExternalBrightness"));
    for (auto it = external.cbegin(); it != external.cend(); ++it) {
        out << text(QT_TRANSLATE_NOOP("Ctl", "External display %1: %2"), it.key().toStdString(),
                    percent(it.value().toDouble()))
            << '\n';
    }
    line(s.value("Muted").toBool() ? QT_TRANSLATE_NOOP("Ctl", "Volume: %1 (muted)")
                                   : QT_TRANSLATE_NOOP("Ctl", "Volume: %1"),
         percent(s.value("Volume").toDouble()));
}

// One line per display: name, monitor, level, range and whether it answers, in columns.
void printDisplays(bool linked, const QVariantList &displays, std::ostream &out)
{
    out << text(linked ? QT_TRANSLATE_NOOP("Ctl", "Link Displays: on") : QT_TRANSLATE_NOOP("Ctl", "Link Displays: off"))
        << '\n';
    std::vector<std::vector<std::string>> rows{
        {text(QT_TRANSLATE_NOOP("Ctl", "DISPLAY")), text(QT_TRANSLATE_NOOP("Ctl", "MONITOR")),
         text(QT_TRANSLATE_NOOP("Ctl", "LEVEL")), text(QT_TRANSLATE_NOOP("Ctl", "RANGE")), ""}};
    for (const QVariant &item : displays) {
        const QVariantMap d = asMap(item);
        const bool builtIn = d.value("BuiltIn").toBool();
        const DisplayRange range{d.value("Low").toDouble(), d.value("High").toDouble()};
        rows.push_back({files::printable(d.value("Name").toString().toStdString()),
                        builtIn ? text(QT_TRANSLATE_NOOP("Ctl", "(built in)"))
                                : files::printable(d.value("Monitor").toString().toStdString()),
                        d.contains("Level") ? percent(d.value("Level").toDouble()) : "-", builtIn ? "-" : range.text(),
                        d.value("Answers").toBool() ? "" : text(QT_TRANSLATE_NOOP("Ctl", "does not answer"))});
    }
    // In columns as a terminal shows them, not bytes: translated headings and monitor names have accents.
    int widths[4] = {};
    for (const auto &row : rows) {
        for (std::size_t i = 0; i < 4; ++i) {
            widths[i] = std::max(widths[i], i18n::displayWidth(row[i]));
        }
    }
    for (const auto &row : rows) {
        std::string line;
        for (std::size_t i = 0; i < 4; ++i) {
            line += i18n::padRight(row[i], widths[i] + 2);
        }
        line += row[4];
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out << line << '\n';
    }
}

} // namespace

int runCtlCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, const char *translations)
{
    int argc = 1;
    char name[] = "lumvex";
    char *argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    if (translations) {
        i18n::installTranslations(QString::fromUtf8(translations));
    }
    if (!args.empty() && (args[0] == "-h" || args[0] == "--help")) {
        out << text(kUsage);
        return 0;
    }
    const std::string seeHelp = text(QT_TRANSLATE_NOOP("Ctl", "(see lumvex ctl --help)"));
    if (args.empty()) {
        err << "lumvex ctl: " << text(QT_TRANSLATE_NOOP("Ctl", "a COMMAND is needed")) << ' ' << seeHelp << '\n';
        return 2;
    }
    Request request;
    try {
        request = parse(args);
    } catch (const UsageError &error) {
        err << "lumvex ctl: " << error.message << ' ' << seeHelp << '\n';
        return 2;
    }

    // Qt's D-Bus types registered before its connection thread exists are still registered when that thread
    // ends at exit; registered by the thread itself they may be gone already, and Qt warns about them.
    QMetaType::fromType<QDBusArgument>().id();
    QMetaType::fromType<QDBusVariant>().id();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        err << "lumvex ctl: " << text(QT_TRANSLATE_NOOP("Ctl", "Lumvex is not running (there is no session bus)"))
            << '\n';
        return 1;
    }
    const bool isProperty = request.method == QLatin1String("Set");
    // Built by hand, not through a generated proxy: only a message can be kept from starting the service.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(RemoteControl::kService), QString::fromLatin1(RemoteControl::kPath),
        isProperty ? QStringLiteral("org.freedesktop.DBus.Properties") : QString::fromLatin1(RemoteControl::kInterface),
        request.method);
    call.setArguments(request.arguments);
    // Lumvex is started by the session, never by a call.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QString errorName = reply.errorName();
        if (errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
            errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
            err << "lumvex ctl: " << text(QT_TRANSLATE_NOOP("Ctl", "Lumvex is not running")) << '\n';
        } else if (errorName == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
                   errorName == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
            // Lumvex drops a brightness call whose caller has gone by the time it gets to it, and this
            // process ends now; a switch or a pause is still made, and making it twice does no harm.
            const bool brightness = request.method.endsWith(QLatin1String("Brightness"));
            err << "lumvex ctl: "
                << text(
                       brightness
                           ? QT_TRANSLATE_NOOP("Ctl",
                                               "Lumvex did not answer within %1 s; the brightness was not changed")
                           : QT_TRANSLATE_NOOP(
                                 "Ctl", "Lumvex did not answer within %1 s; it takes effect when Lumvex answers again"),
                       std::to_string(kCallTimeoutMs / 1000))
                << '\n';
        } else {
            err << "lumvex ctl: " << reply.errorMessage().toStdString() << '\n';
        }
        return 1;
    }
    if (request.displays) {
        const QVariantList arguments = reply.arguments();
        printDisplays(!arguments.isEmpty() && arguments.first().toBool(),
                      arguments.size() > 1 ? qdbus_cast<QVariantList>(arguments.at(1).value<QDBusArgument>())
                                           : QVariantList(),
                      out);
    }
    if (request.status) {
        const QVariantMap status = reply.arguments().isEmpty() ? QVariantMap() : asMap(reply.arguments().first());
        if (request.json) {
            nlohmann::json json = toJson(status);
            if (!json.contains("Brightness")) {
                json["Brightness"] = nullptr; // the panel cannot be read
            }
            out << json.dump(2) << '\n';
        } else {
            printStatus(status, out);
        }
    }
    return 0;
}

} // namespace lumvex
