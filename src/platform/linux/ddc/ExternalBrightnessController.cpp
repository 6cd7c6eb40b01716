// SPDX-License-Identifier: MIT
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

// Running helpers are killed and pending values dropped unwritten.
ExternalBrightnessController::~ExternalBrightnessController() = default;

std::optional<double> ExternalBrightnessController::get(DisplayId display)
{
    if (!m_toolPath) {
        return std::nullopt;
    }
    Display &state = m_displays[display];
    if (state.wanted || state.writing) {
        return state.wanted ? state.wanted : state.writing;
    }
    if (!state.known) {
        state.readWanted = true;
        next(display);
    }
    return state.known;
}

bool ExternalBrightnessController::set(DisplayId display, double brightness)
{
    if (!m_toolPath || std::isnan(brightness)) {
        return false;
    }
    m_displays[display].wanted = brightness;
    next(display);
    return true;
}

bool ExternalBrightnessController::answers(DisplayId display) const
{
    const auto it = m_displays.find(display);
    return it == m_displays.end() || !it->second.failed;
}

// Starts what the display waits for, writes before reads, unless a run is under way.
void ExternalBrightnessController::next(DisplayId display)
{
    Display &state = m_displays[display];
    if (state.running || (state.spacing && state.spacing->isActive())) {
        return;
    }
    if (state.wanted) {
        const double now = m_clock();
        if (now - state.lastWrite < kMinWriteInterval) {
            armSpacing(display, state, kMinWriteInterval - (now - state.lastWrite));
            return;
        }
        const double value = *state.wanted;
        state.wanted.reset();
        state.lastWrite = now; // counts whether or not the write succeeds
        const std::optional<int> percent = percentForBrightness(value);
        state.writing = value;
        run(display, writeArguments(display, *percent), [this, display, value](Display &s, auto output) {
            s.writing.reset();
            s.failed = !output;
            if (output) {
                s.known = value;
                if (onLevelKnown) {
                    onLevelKnown(display, value);
                }
            }
        });
        return;
    }
    if (state.readWanted) {
        state.readWanted = false;
        run(display, readArguments(display), [this, display](Display &s, auto output) {
            const std::optional<double> level = output ? brightnessFromOutput(*output) : std::nullopt;
            s.failed = !level;
            // A value asked for meanwhile is what the display will show.
            if (level && !s.wanted) {
                s.known = level;
                if (onLevelKnown) {
                    onLevelKnown(display, *level);
                }
            }
        });
    }
}

void ExternalBrightnessController::run(DisplayId display, const std::vector<std::string> &arguments,
                                       std::function<void(Display &, std::optional<std::string>)> then)
{
    QStringList list;
    for (const std::string &argument : arguments) {
        list.append(QString::fromStdString(argument));
    }
    m_displays[display].running = true;
    m_runner.start(QString::fromStdString(m_toolPath->string()), list,
                   [this, display, then = std::move(then)](std::optional<QByteArray> output) {
                       Display &state = m_displays[display];
                       state.running = false;
                       std::optional<std::string> text;
                       if (output && isValidUtf8(std::string_view(output->constData(),
                                                                  static_cast<std::size_t>(output->size())))) {
                           text = output->toStdString();
                       }
                       then(state, std::move(text));
                       next(display);
                   });
}

void ExternalBrightnessController::armSpacing(DisplayId display, Display &state, double delay)
{
    if (!state.spacing) {
        state.spacing = std::make_unique<QTimer>();
        state.spacing->setSingleShot(true);
        state.spacing->setTimerType(Qt::PreciseTimer);
        state.spacing->callOnTimeout([this, display] {
            // The timer measured the interval; a clock that stood still meanwhile must not hold the write.
            m_displays[display].lastWrite = -1e300;
            next(display);
        });
    }
    state.spacing->start(std::chrono::milliseconds(std::max(5L, std::lround(delay * 1000.0))));
}

} // namespace lumvex
