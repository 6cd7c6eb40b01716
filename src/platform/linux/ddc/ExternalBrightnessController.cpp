#include "ExternalBrightnessController.h"

#include "ToolOutput.h"

#include <QTimer>

#include <chrono>
#include <cmath>

namespace lumvex {

using namespace external;

double ExternalBrightnessController::steadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ExternalBrightnessController::ExternalBrightnessController(std::optional<std::filesystem::path> toolPath,
                                                           MonotonicClock clock)
    : m_toolPath(std::move(toolPath))
    , m_clock(std::move(clock))
{}

// The timers go with the controller; pending values are dropped unwritten.
ExternalBrightnessController::~ExternalBrightnessController() = default;

bool ExternalBrightnessController::probe(DisplayId display)
{
    return run(readArguments(display)).has_value();
}

std::optional<double> ExternalBrightnessController::get(DisplayId display)
{
    const std::optional<std::string> output = run(readArguments(display));
    return output ? brightnessFromOutput(*output) : std::nullopt;
}

bool ExternalBrightnessController::set(DisplayId display, double brightness)
{
    if (std::isnan(brightness)) {
        return false;
    }
    const double now = m_clock();
    const WriteRateLimiter::Decision decision = m_limiter.request(display, brightness, now);
    switch (decision.action) {
    case WriteRateLimiter::Action::WriteNow:
        return writeNow(display, brightness, now);
    case WriteRateLimiter::Action::ArmTimer:
        scheduleTrailingWrite(display, decision.delay);
        return false;
    case WriteRateLimiter::Action::Hold:
        break;
    }
    return false;
}

std::optional<std::string> ExternalBrightnessController::run(const std::vector<std::string> &arguments)
{
    if (!m_toolPath) {
        return std::nullopt;
    }
    QStringList list;
    for (const std::string &argument : arguments) {
        list.append(QString::fromStdString(argument));
    }
    const std::optional<QByteArray> output = m_runner.run(QString::fromStdString(m_toolPath->string()), list);
    if (!output || !isValidUtf8(std::string_view(output->constData(), static_cast<std::size_t>(output->size())))) {
        return std::nullopt;
    }
    return output->toStdString();
}

bool ExternalBrightnessController::writeNow(DisplayId display, double brightness, double at)
{
    m_limiter.recordWrite(display, at);
    const std::optional<int> percent = percentForBrightness(brightness);
    return percent && run(writeArguments(display, *percent)).has_value();
}

void ExternalBrightnessController::scheduleTrailingWrite(DisplayId display, double delay)
{
    std::unique_ptr<QTimer> &timer = m_trailingTimers[display];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        timer->callOnTimeout([this, display] { trailingWriteDue(display); });
    }
    timer->start(std::chrono::milliseconds(std::lround(delay * 1000.0)));
}

void ExternalBrightnessController::trailingWriteDue(DisplayId display)
{
    if (const std::optional<double> pending = m_limiter.timerFired(display)) {
        writeNow(display, *pending, m_clock());
    }
}

} // namespace lumvex
