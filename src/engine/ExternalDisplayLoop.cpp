// SPDX-License-Identifier: MIT
#include "ExternalDisplayLoop.h"

#include "CalibrationModel.h"
#include "CompensationLoop.h"
#include "Settings.h"
#include "base/Clock.h"
#include "base/Files.h"
#include "base/JsonFields.h"
#include "output/ExternalBrightness.h"
#include "output/RationedBrightness.h"
#include "sensing/DisplayServices.h"

#include <algorithm>
#include <cctype>

namespace lumvex {

namespace {

// The day's count of automatic writes, so that a restart opens no second allowance.
constexpr const char *kWritesFile = "writes_today.json";

// A name that is safe as one folder's name.
std::string folderName(const std::string &name)
{
    std::string safe = name;
    std::ranges::replace_if(
        safe, [](char c) { return !(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'); }, '_');
    return safe.empty() || safe[0] == '.' ? "_" + safe : safe;
}

} // namespace

// One monitor: its level as the DDC helper knows it, the ration in front of it, its table and its loop.
struct ExternalDisplayLoop::Monitor final : BrightnessController, MainDisplayProvider
{
    Monitor(const Collaborators &c, DisplayId display, const std::string &name, const std::string &key)
        : m_external(c.external)
        , id(display)
        , name(name)
        , rationed(*this, c.clock)
        , calibration(c.folder / "monitors" / folderName(key), c.clock)
        , loop({rationed, calibration, c.dailyStats, c.logger, c.clock, c.defaults, c.ambient, c.content, *this},
               CompensationLoop::ContentJumps::band)
    {
        const std::filesystem::path file = c.folder / "monitors" / folderName(key) / kWritesFile;
        // Read as state files are, never blocking on what is not a small regular file.
        const files::StateFileText text = files::readStateFile(file);
        const std::optional<ParsedJson> kept = json::parse(text.text);
        try {
            if (kept && kept->is_object() && kept->value("day", "") == c.clock.dayKey(c.clock.now())) {
                rationed.restoreWritesToday(static_cast<int>(json::requireInteger(*kept, "writes")));
            }
        } catch (const std::exception &) {
            // A damaged file counts as none: it is written afresh with the next write.
        }
        rationed.onWrite = [file, &clock = c.clock](int writes) {
            files::writeAtomically(file, Json{{"day", clock.dayKey(clock.now())}, {"writes", writes}}.dump());
        };
    }

    std::optional<double> get() override { return m_external.get(id); }
    bool set(double value) override { return m_external.set(id, value); }
    // The loop asks whether the main display is the one it drives; it is while this monitor is active.
    bool mainDisplayIsBuiltIn() const override { return driving; }

    ExternalBrightness &m_external;
    DisplayId id;
    std::string name; // the connector it is on now
    bool driving = false;
    RationedBrightness rationed;
    CalibrationModel calibration;
    CompensationLoop loop;
};

ExternalDisplayLoop::ExternalDisplayLoop(const Collaborators &collaborators)
    : m_c(collaborators)
{}

ExternalDisplayLoop::~ExternalDisplayLoop() = default;

void ExternalDisplayLoop::tick()
{
    Monitor *now = nullptr;
    // Off (the default), the poll asks the desktop nothing more.
    const bool on = settings::value(m_c.defaults, settings::adjustExternalDisplays);
    const DisplayId main = on ? m_c.displays.mainDisplay() : 0;
    if (main != 0 && !m_c.displays.isBuiltIn(main)) {
        const std::string name = m_c.displays.outputName(main).value_or("display-" + std::to_string(main));
        if (m_active && m_active->id == main && m_active->name == name) {
            now = m_active;
        } else {
            const std::string key = m_c.monitorKey ? m_c.monitorKey(main) : name;
            auto &slot = m_monitors[key];
            if (!slot) {
                slot = std::make_unique<Monitor>(m_c, main, name, key);
            }
            slot->id = main; // ids and connectors may change when the monitor comes back
            slot->name = name;
            now = slot.get();
        }
    }
    if (now != m_active) {
        if (m_active) {
            m_active->driving = false;
        }
        m_active = now;
        if (m_active) {
            m_active->driving = true;
            m_active->loop.resetTarget(); // a fresh baseline from what the monitor shows now
        }
    }
    if (!m_active) {
        return;
    }
    CompensationLoop &loop = m_active->loop;
    if (loop.enabled() != m_c.builtIn.enabled()) {
        loop.setEnabled(m_c.builtIn.enabled());
    }
    if (loop.paused() != m_c.builtIn.paused()) {
        loop.setPaused(m_c.builtIn.paused());
    }
    m_active->rationed.settle();
}

void ExternalDisplayLoop::onLuminanceUpdate(double L_slow, double L_fast)
{
    if (m_active && !m_c.builtIn.userPause()) {
        m_active->loop.onLuminanceUpdate(L_slow, L_fast);
    }
}

void ExternalDisplayLoop::onManualChange(DisplayId display, double level, AdjustmentSource source)
{
    if (m_active && m_active->id == display) {
        m_active->loop.onManualChange(level, source);
    }
}

void ExternalDisplayLoop::signatureArrived()
{
    if (m_active) {
        m_active->loop.signatureArrived();
    }
}

void ExternalDisplayLoop::resetCalibration(bool everything)
{
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(m_c.folder / "monitors", error)) {
        const auto loaded = std::ranges::find_if(m_monitors, [&](const auto &monitor) {
            return monitor.second->calibration.filePath().parent_path() == entry.path();
        });
        if (loaded != m_monitors.end()) {
            loaded->second->calibration.resetAll();
        } else if (entry.is_directory(error)) {
            CalibrationModel(entry.path(), m_c.clock).resetAll();
        }
    }
    if (everything && m_active) {
        m_active->loop.resetTarget();
    }
}

const CompensationLoop *ExternalDisplayLoop::active() const
{
    return m_active ? &m_active->loop : nullptr;
}

std::optional<std::string> ExternalDisplayLoop::monitorOutOfWrites() const
{
    if (!m_active || !m_active->rationed.usedUpToday()) {
        return std::nullopt;
    }
    return m_active->name;
}

} // namespace lumvex
