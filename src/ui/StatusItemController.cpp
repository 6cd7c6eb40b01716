#include "StatusItemController.h"

#include "IconRenderer.h"
#include "IconStyle.h"
#include "TrayItem.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"
#include "output/BrightnessController.h"
#include "output/ExternalBrightness.h"
#include "output/VolumeControl.h"
#include "sensing/DisplayRouter.h"
#include "sensing/DisplayServices.h"
#include "system/LoginItemControl.h"
#include "telemetry/RecordingSwitch.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QPointer>

#include <algorithm>
#include <filesystem>

namespace lumvex {

namespace {

constexpr double kDeltaPerRange = -200.0;

} // namespace

StatusItemController::StatusItemController(BrightnessController &brightness, Defaults &defaults, QObject *parent)
    : QObject(parent)
    , m_brightness(brightness)
    , m_defaults(defaults)
{
    optionKeyProvider = []() -> std::optional<bool> {
        // Only the X server tells anyone the keyboard's state.
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr ||
            QGuiApplication::platformName() != QLatin1String("xcb")) {
            return std::nullopt;
        }
        return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
    };
    openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    onQuit = [] { QCoreApplication::quit(); };

    const QPointer<StatusItemController> self(this);
    m_brightnessView.render = [self](double level) {
        const DisplayKind kind = self ? self->m_displayKind : DisplayKind::builtIn;
        const IconStyle style = self ? iconStyle::current(self->m_defaults) : IconStyle::pie;
        return IconRenderer::brightnessImage(level, kind, style);
    };
    m_brightnessView.onScroll = [self](double delta) {
        if (self) {
            self->scrollBrightness(delta);
        }
    };
    m_brightnessView.onClick = [self] {
        if (self) {
            self->presentMenu(MenuOrigin::brightness);
        }
    };
    m_brightnessItem = std::make_unique<TrayItem>(
        m_brightnessView, TrayItem::Identity{"lumvex-brightness", "Brightness"},
        [self](bool optionKey) { return self ? self->buildMenu(MenuOrigin::brightness, optionKey) : MenuEntry{}; },
        m_defaults);
    forwardHostPosition(*m_brightnessItem);
}

void StatusItemController::forwardHostPosition(TrayItem &item)
{
    const QPointer<StatusItemController> self(this);
    item.optionKeyDown = [self] { return self && self->optionKeyDown(); };
    item.onHostPosition = [self](int x, int y) {
        if (self && self->onHostClickPosition) {
            self->onHostClickPosition(x, y);
        }
    };
}

StatusItemController::~StatusItemController() = default;

void StatusItemController::enableFullFeatures(ExternalBrightness *external, DisplayRouter *router,
                                              DisplayServices &displays, VolumeControl *volume, CompensationLoop *loop,
                                              CalibrationModel *calibration, DailyStats *dailyStats)
{
    m_external = external;
    m_router = router;
    m_displays = &displays;
    m_volume = volume;
    m_loop = loop;
    m_calibration = calibration;
    m_dailyStats = dailyStats;
    if (m_external != nullptr) {
        m_external->onLevelKnown = [this](DisplayId display, double level) {
            if (!isBuiltIn(display) && display == targetDisplay()) {
                m_brightnessView.setLevel(level);
                m_brightnessView.redraw();
            }
        };
    }
    m_displayKind = isBuiltIn(targetDisplay()) ? DisplayKind::builtIn : DisplayKind::external;
    m_brightnessView.redraw();
    if (!m_volumeItem && m_volume != nullptr) {
        addVolumeItem();
    }
    refreshMenus();
}

void StatusItemController::addVolumeItem()
{
    m_volumeView = std::make_unique<ScrollableStatusView>();
    const QPointer<StatusItemController> self(this);
    m_volumeView->render = [self](double level) {
        const bool muted = self && self->m_volume != nullptr && self->m_volume->isMuted();
        const IconStyle style = self ? iconStyle::current(self->m_defaults) : IconStyle::pie;
        return IconRenderer::volumeImage(level, muted, style);
    };
    m_volumeView->setLevel(m_volume->get());
    m_volumeView->onScroll = [self](double delta) {
        if (self) {
            self->scrollVolume(delta);
        }
    };
    m_volumeView->onClick = [self] {
        if (self) {
            self->presentMenu(MenuOrigin::volume);
        }
    };
    m_volumeView->onRightClick = [self] {
        if (self && self->m_volume != nullptr) {
            self->m_volume->setMuted(!self->m_volume->isMuted());
            self->m_volumeView->redraw();
            self->refreshMenus();
        }
    };
    m_volumeItem = std::make_unique<TrayItem>(
        *m_volumeView, TrayItem::Identity{"lumvex-volume", "Volume"},
        [self](bool optionKey) { return self ? self->buildMenu(MenuOrigin::volume, optionKey) : MenuEntry{}; },
        m_defaults);
    forwardHostPosition(*m_volumeItem);
    // SNI hosts keep the right click for the menu: the volume applets' middle click mutes.
    m_volumeItem->onSecondaryActivate = [self] {
        if (self && self->m_volumeView) {
            self->m_volumeView->rightMouseDown();
        }
    };
}

void StatusItemController::setRecorder(RecordingSwitch *recorder)
{
    m_recorder = recorder;
    refreshMenus();
}

void StatusItemController::setLoginItem(LoginItemControl *loginItem)
{
    m_loginItem = loginItem;
    refreshMenus();
}

void StatusItemController::updateBrightness(double level)
{
    m_brightnessView.setLevel(level);
    refreshMenus();
}

void StatusItemController::updateVolume(double level)
{
    if (m_volumeView) {
        m_volumeView->setLevel(level);
        refreshMenus();
    }
}

void StatusItemController::refreshSilhouette()
{
    m_displayKind = isBuiltIn(targetDisplay()) ? DisplayKind::builtIn : DisplayKind::external;
    m_brightnessView.redraw();
}

DisplayId StatusItemController::targetDisplay() const
{
    if (m_router != nullptr) {
        return m_router->currentTarget();
    }
    return m_displays != nullptr ? m_displays->mainDisplay() : 0;
}

bool StatusItemController::isBuiltIn(DisplayId display) const
{
    // Before the displays are known, the only display we drive is the built-in one.
    return m_displays == nullptr || m_displays->isBuiltIn(display);
}

void StatusItemController::scrollBrightness(double delta)
{
    const double step = delta / kDeltaPerRange;
    const DisplayId target = targetDisplay();
    if (m_external == nullptr || isBuiltIn(target)) {
        const std::optional<double> B = m_brightness.adjust(step);
        if (!B) {
            return; // nothing was written
        }
        m_brightnessView.setLevel(*B);
        m_displayKind = DisplayKind::builtIn;
        if (m_loop != nullptr) {
            m_loop->onManualChange(*B, AdjustmentSource::scroll);
        }
    } else {
        const double current = m_external->get(target).value_or(m_brightnessView.level());
        double next = std::min(current + step, 1.0);
        if (next < 0.0) {
            next = 0.0;
        }
        // The icon shows the monitor's level once it has taken it (onLevelKnown), not before.
        m_external->set(target, next);
        m_displayKind = DisplayKind::external;
    }
    m_brightnessView.redraw();
}

void StatusItemController::scrollVolume(double delta)
{
    if (m_volume == nullptr || !m_volumeView) {
        return;
    }
    const double v = m_volume->adjust(delta / kDeltaPerRange);
    if (m_volume->isMuted() && v > 0.0) {
        m_volume->setMuted(false);
    }
    m_volumeView->setLevel(v);
    m_volumeView->redraw();
}

void StatusItemController::presentMenu(MenuOrigin origin)
{
    TrayItem *item = origin == MenuOrigin::volume ? m_volumeItem.get() : m_brightnessItem.get();
    if (item == nullptr) {
        return;
    }
    item->popupMenu(buildMenu(origin));
}

void StatusItemController::refreshMenus()
{
    m_brightnessItem->refreshMenu();
    if (m_volumeItem) {
        m_volumeItem->refreshMenu();
    }
}

bool StatusItemController::optionKeyDown() const
{
    return optionKeyProvider && optionKeyProvider().value_or(false);
}

bool StatusItemController::optionKeyReadable() const
{
    return optionKeyProvider && optionKeyProvider().has_value();
}

bool StatusItemController::showCompensationDebug() const
{
    return settings::value(m_defaults, settings::showCompensationDebug);
}

// Menu actions.

void StatusItemController::toggleAuto()
{
    if (m_loop != nullptr) {
        m_loop->setEnabled(!m_loop->enabled());
    }
    refreshMenus();
}

void StatusItemController::toggleMute()
{
    if (m_volume != nullptr) {
        m_volume->setMuted(!m_volume->isMuted());
        if (m_volumeView) {
            m_volumeView->redraw();
        }
    }
    refreshMenus();
}

void StatusItemController::toggleLoginItem()
{
    if (m_loginItem != nullptr) {
        m_loginItem->toggle();
    }
    refreshMenus();
}

void StatusItemController::checkForUpdates()
{
    if (onCheckForUpdates) {
        onCheckForUpdates();
    }
}

void StatusItemController::setIconStyle(const std::string &representedObject)
{
    const std::optional<IconStyle> style = iconStyle::fromRawValue(representedObject);
    if (!style) {
        return;
    }
    iconStyle::setCurrent(m_defaults, *style);
    m_brightnessView.redraw();
    if (m_volumeView) {
        m_volumeView->redraw();
    }
    refreshMenus();
}

void StatusItemController::toggleDebug()
{
    settings::set(m_defaults, settings::showCompensationDebug, !showCompensationDebug());
    refreshMenus();
}

void StatusItemController::toggleRecording()
{
    if (m_recorder != nullptr) {
        m_recorder->toggleRecording();
    }
    refreshMenus();
}

void StatusItemController::revealData()
{
    if (m_recorder == nullptr) {
        return;
    }
    const std::filesystem::path directory = m_recorder->directory();
    std::error_code ignored;
    std::filesystem::create_directories(directory, ignored);
    if (openUrl) {
        openUrl(QUrl::fromLocalFile(QString::fromStdString(directory.string())));
    }
}

void StatusItemController::resetAllCalibration()
{
    if (m_calibration != nullptr) {
        m_calibration->resetAll();
    }
    refreshMenus();
}

void StatusItemController::resetEverything()
{
    if (m_calibration != nullptr) {
        m_calibration->resetAll();
    }
    if (m_loop != nullptr) {
        m_loop->resetTarget();
    }
    refreshMenus();
}

} // namespace lumvex
