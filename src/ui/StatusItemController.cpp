// SPDX-License-Identifier: MIT
#include "StatusItemController.h"

#include "IconRenderer.h"
#include "IconStyle.h"
#include "MenuText.h"
#include "TrayItem.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"
#include "output/BrightnessController.h"
#include "output/DisplayLink.h"
#include "output/ExternalBrightness.h"
#include "output/VolumeControl.h"
#include "sensing/DisplayRouter.h"
#include "sensing/DisplayServices.h"
#include "system/LoginItemControl.h"
#include "telemetry/RecordingSwitch.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <filesystem>

namespace lumvex {

namespace {

constexpr double kDeltaPerRange = -200.0;

} // namespace

std::optional<bool> StatusItemController::keyboardAltState()
{
    // Only the X server tells anyone the keyboard's state.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr ||
        QGuiApplication::platformName() != QLatin1String("xcb")) {
        return std::nullopt;
    }
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

StatusItemController::StatusItemController(const Services &services, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_menu(*this, {services.volume, services.loop, services.calibration, services.dailyStats, services.recorder,
                     services.loginItem, services.defaults})
    , m_brightnessView([this](double level) {
        return IconRenderer::brightnessImage(level, m_displayKind, iconStyle::current(m_services.defaults));
    })
    , m_volumeView([this](double level) {
        return IconRenderer::volumeImage(level, m_services.volume.isMuted(), iconStyle::current(m_services.defaults));
    })
{
    m_services.external.onLevelKnown = [this](DisplayId display, double level) {
        if (!isBuiltIn(display) && display == targetDisplay()) {
            m_brightnessView.setLevel(level);
            m_brightnessView.redraw();
        }
    };
    m_displayKind = isBuiltIn(targetDisplay()) ? DisplayKind::builtIn : DisplayKind::external;
    makeBrightnessItem();
    makeVolumeItem();
}

StatusItemController::~StatusItemController()
{
    m_services.external.onLevelKnown = nullptr;
}

void StatusItemController::makeBrightnessItem()
{
    connect(&m_brightnessView, &ScrollableStatusView::scrollRequested, this, &StatusItemController::scrollBrightness);
    connect(&m_brightnessView, &ScrollableStatusView::clicked, this, [this] { presentMenu(MenuOrigin::brightness); });
    m_brightnessItem = std::make_unique<TrayItem>(
        m_brightnessView,
        TrayItem::Identity{"lumvex-brightness", menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "Brightness"))},
        [this](bool optionKey) { return buildMenu(MenuOrigin::brightness, optionKey); },
        [this] { return optionKeyDown(); }, m_services.defaults);
    forwardHostPosition(*m_brightnessItem);
}

void StatusItemController::makeVolumeItem()
{
    VolumeControl &volume = m_services.volume;
    m_volumeView.setLevel(volume.get());
    connect(&m_volumeView, &ScrollableStatusView::scrollRequested, this, &StatusItemController::scrollVolume);
    connect(&m_volumeView, &ScrollableStatusView::clicked, this, [this] { presentMenu(MenuOrigin::volume); });
    connect(&m_volumeView, &ScrollableStatusView::secondaryActivated, this, &StatusItemController::toggleMute);
    m_volumeItem = std::make_unique<TrayItem>(
        m_volumeView,
        TrayItem::Identity{"lumvex-volume", menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "Volume"))},
        [this](bool optionKey) { return buildMenu(MenuOrigin::volume, optionKey); }, [this] { return optionKeyDown(); },
        m_services.defaults);
    forwardHostPosition(*m_volumeItem);
    // SNI hosts keep the right click for the menu: the volume applets' middle click mutes.
    connect(m_volumeItem.get(), &TrayItem::secondaryActivateRequested, &m_volumeView,
            &ScrollableStatusView::secondaryActivate);
}

void StatusItemController::forwardHostPosition(TrayItem &item)
{
    connect(&item, &TrayItem::activated, this, &StatusItemController::hostClickedAt);
}

void StatusItemController::updateBrightness(double level)
{
    m_brightnessView.setLevel(level);
    refreshMenus();
}

void StatusItemController::updateVolume(double level)
{
    m_volumeView.setLevel(level);
    refreshMenus();
}

void StatusItemController::refreshSilhouette()
{
    m_displayKind = isBuiltIn(targetDisplay()) ? DisplayKind::builtIn : DisplayKind::external;
    m_brightnessView.redraw();
}

DisplayId StatusItemController::targetDisplay() const
{
    return m_services.router.currentTarget();
}

bool StatusItemController::isBuiltIn(DisplayId display) const
{
    return actsOnBuiltIn(m_services.displays, display);
}

void StatusItemController::scrollBrightness(double delta)
{
    const double step = delta / kDeltaPerRange;
    const DisplayId target = targetDisplay();
    if (isBuiltIn(target)) {
        const std::optional<double> B = m_services.brightness.adjust(step);
        if (!B) {
            refreshMenus(); // nothing was written; the menu says why when the panel refused
            return;
        }
        m_brightnessView.setLevel(*B);
        m_displayKind = DisplayKind::builtIn;
        m_services.loop.onManualChange(*B, AdjustmentSource::scroll);
        m_services.link.panelChanged(*B);
    } else {
        ExternalBrightness &external = m_services.external;
        const double current = external.get(target).value_or(m_brightnessView.level());
        double next = std::min(current + step, 1.0);
        if (next < 0.0) {
            next = 0.0;
        }
        m_displayKind = DisplayKind::external;
        if (!m_services.link.enabled()) {
            // The icon shows the monitor's level once it has taken it (onLevelKnown), not before.
            if (external.set(target, next)) {
                emit externalLevelChosen(target, next);
            }
            m_brightnessView.redraw();
            return;
        }
        // Linked: the panel follows as the user's own change, and is learned as one.
        if (const std::optional<double> panel = m_services.link.externalChanged(target, next);
            panel && m_services.brightness.set(*panel)) {
            m_services.loop.onManualChange(*panel, AdjustmentSource::scroll);
        }
        emit externalLevelChosen(target, next);
        refreshMenus();
    }
    m_brightnessView.redraw();
}

void StatusItemController::scrollVolume(double delta)
{
    VolumeControl &volume = m_services.volume;
    const double v = volume.adjust(delta / kDeltaPerRange);
    if (volume.isMuted() && v > 0.0) {
        volume.setMuted(false);
    }
    m_volumeView.setLevel(v);
    m_volumeView.redraw();
}

MenuEntry StatusItemController::buildMenu(MenuOrigin origin)
{
    return buildMenu(origin, optionKeyDown());
}

MenuEntry StatusItemController::buildMenu(MenuOrigin origin, bool optionKey)
{
    StatusMenu::Moment moment;
    moment.brightness = m_brightnessView.level();
    moment.optionKey = optionKey;
    moment.optionKeyReadable = m_services.optionKey().has_value();
    moment.captureProblem = m_services.captureProblem();
    moment.brightnessProblem = m_services.brightness.writeProblem();
    // Offered where there is something to link: a monitor, and the helper to reach it.
    const auto online = m_services.displays.onlineDisplays().value_or(std::vector<DisplayId>());
    const bool monitor = std::ranges::any_of(online, [this](DisplayId id) { return !isBuiltIn(id); });
    if (m_services.external.isAvailable() && (monitor || m_services.link.enabled())) {
        moment.linkDisplays = m_services.link.enabled();
    }
    if (moment.linkDisplays.value_or(false)) {
        for (const DisplayLink::Row &row : m_services.link.rows()) {
            if (!row.builtIn) {
                moment.displays.push_back({row.connector, row.monitor, row.level, row.answers});
            }
        }
    }
    if (!moment.brightnessProblem) {
        moment.brightnessProblem = m_services.displayProblem();
    }
    return m_menu.build(origin, moment);
}

void StatusItemController::presentMenu(MenuOrigin origin)
{
    TrayItem &item = origin == MenuOrigin::volume ? *m_volumeItem : *m_brightnessItem;
    item.popupMenu(buildMenu(origin));
}

void StatusItemController::refreshMenus()
{
    m_brightnessItem->refreshMenu();
    m_volumeItem->refreshMenu();
}

bool StatusItemController::optionKeyDown() const
{
    return m_services.optionKey().value_or(false);
}

// Menu actions.

void StatusItemController::toggleAuto()
{
    m_services.loop.setEnabled(!m_services.loop.enabled());
    refreshMenus();
}

void StatusItemController::toggleLinkDisplays()
{
    m_services.link.setEnabled(!m_services.link.enabled());
    refreshMenus();
}

void StatusItemController::toggleMute()
{
    m_services.volume.setMuted(!m_services.volume.isMuted());
    m_volumeView.redraw();
    refreshMenus();
}

void StatusItemController::toggleLoginItem()
{
    m_services.loginItem.toggle();
    refreshMenus();
}

void StatusItemController::checkForUpdates()
{
    emit checkForUpdatesRequested();
}

void StatusItemController::setIconStyle(const std::string &representedObject)
{
    const std::optional<IconStyle> style = iconStyle::fromRawValue(representedObject);
    if (!style) {
        return;
    }
    iconStyle::setCurrent(m_services.defaults, *style);
    m_brightnessView.redraw();
    m_volumeView.redraw();
    refreshMenus();
}

void StatusItemController::toggleDebug()
{
    Defaults &defaults = m_services.defaults;
    settings::set(defaults, settings::showCompensationDebug,
                  !settings::value(defaults, settings::showCompensationDebug));
    refreshMenus();
}

void StatusItemController::toggleRecording()
{
    m_services.recorder.toggleRecording();
    refreshMenus();
}

void StatusItemController::revealData()
{
    const std::filesystem::path directory = m_services.recorder.directory();
    std::error_code ignored;
    std::filesystem::create_directories(directory, ignored);
    emit revealRequested(QUrl::fromLocalFile(QString::fromStdString(directory.string())));
}

void StatusItemController::resetAllCalibration()
{
    m_services.calibration.resetAll();
    m_services.onCalibrationReset(false);
    refreshMenus();
}

void StatusItemController::resetEverything()
{
    m_services.calibration.resetAll();
    m_services.loop.resetTarget();
    m_services.onCalibrationReset(true);
    refreshMenus();
}

void StatusItemController::pauseAutomatic(std::optional<double> seconds)
{
    if (m_services.loop.enabled()) {
        m_services.loop.pauseAutomatic(seconds);
    }
    refreshMenus();
}

void StatusItemController::resumeAutomatic()
{
    m_services.loop.resumeAutomatic();
    refreshMenus();
}

void StatusItemController::quit()
{
    emit quitRequested();
}

} // namespace lumvex
