// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayKind.h"
#include "MenuModel.h"
#include "ScrollableStatusView.h"
#include "StatusMenu.h"
#include "sensing/DisplayId.h"

#include <QObject>
#include <QPoint>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lumvex {

class BrightnessController;
class CalibrationModel;
class CompensationLoop;
class DailyStats;
class Defaults;
class DisplayRouter;
class DisplayLink;
class DisplayServices;
class ExternalBrightness;
class LoginItemControl;
class RecordingSwitch;
class TrayItem;
class VolumeControl;

// Lumvex in the panel: a brightness item and a volume item. Scrolling an item changes the brightness of
// the display under the pointer (built in: learned by the loop; external: through DDC, not learned) or
// the volume; a click shows the status menu, built afresh from the current state; the menu's actions are
// carried out here.
class StatusItemController : public QObject
{
    Q_OBJECT

public:
    using MenuOrigin = StatusMenu::Origin;

    // The keyboard state the X server reports; nothing elsewhere.
    static std::optional<bool> keyboardAltState();

    // Not owned; the caller keeps them alive as long as the controller.
    struct Services
    {
        BrightnessController &brightness;
        ExternalBrightness &external;
        DisplayRouter &router;
        // Which display is the main one and whether a display is built in.
        DisplayServices &displays;
        VolumeControl &volume;
        CompensationLoop &loop;
        CalibrationModel &calibration;
        DailyStats &dailyStats;
        RecordingSwitch &recorder;
        LoginItemControl &loginItem;
        Defaults &defaults;
        // Link Displays: manual changes move every display.
        DisplayLink &link;
        // A problem with screen capture, shown as the first status line when there is one.
        std::function<std::optional<std::string>()> captureProblem = [] { return std::nullopt; };
        // A problem with the external main display the loop drives (its day's writes used up), shown
        // where the built-in panel's would be.
        std::function<std::optional<std::string>()> displayProblem = [] { return std::nullopt; };
        // Resets beyond the built-in panel's table and loop (the external monitors'); true for everything.
        std::function<void(bool)> onCalibrationReset = [](bool) {};
        // Whether the Option key (Alt) is held, or nothing where it cannot be read (Wayland: a program
        // without focus never sees modifiers).
        std::function<std::optional<bool>()> optionKey = keyboardAltState;
    };

    explicit StatusItemController(const Services &services, QObject *parent = nullptr);
    ~StatusItemController() override;

    void updateBrightness(double level);
    void updateVolume(double level);
    void refreshSilhouette();
    std::optional<std::string> captureProblem() const { return m_services.captureProblem(); }

    // The menu for a click on the item of that origin, with the Option key as it is now or as given, and
    // showing it.
    MenuEntry buildMenu(MenuOrigin origin);
    MenuEntry buildMenu(MenuOrigin origin, bool optionKey);
    void presentMenu(MenuOrigin origin);
    const StatusMenu &menu() const { return m_menu; }

    // Menu actions.
    void toggleAuto();
    void toggleLinkDisplays();
    void toggleMute();
    void toggleLoginItem();
    void checkForUpdates();
    void setIconStyle(const std::string &representedObject);
    void toggleDebug();
    void toggleRecording();
    void revealData();
    void resetAllCalibration();
    void resetEverything();
    // Seconds of the pause; nothing: until resumed.
    void pauseAutomatic(std::optional<double> seconds);
    void resumeAutomatic();
    void quit();

    // Rebuilds the menus that hosts may hold, so that they read the current state.
    void refreshMenus();

    // The brightness scroll handler, given the raw delta (wheel up negative, 10 units a notch).
    void scrollBrightness(double delta);
    void scrollVolume(double delta);

    ScrollableStatusView &brightnessView() { return m_brightnessView; }
    ScrollableStatusView &volumeView() { return m_volumeView; }
    TrayItem &brightnessItem() { return *m_brightnessItem; }
    TrayItem &volumeItem() { return *m_volumeItem; }
    DisplayKind displayKind() const { return m_displayKind; }

signals:
    void quitRequested();
    void checkForUpdatesRequested();
    // "Reveal Data in File Manager": the folder to show.
    void revealRequested(const QUrl &folder);
    // Where a tray host says one of the items was clicked (desktop coordinates, y down), before the
    // click opens a menu: on desktops without a global pointer position it is the best guess of the
    // display the user is looking at.
    void hostClickedAt(QPoint position);
    // The user scrolled an external display to this level.
    void externalLevelChosen(DisplayId display, double level);

private:
    void makeBrightnessItem();
    void makeVolumeItem();
    void forwardHostPosition(TrayItem &item);
    DisplayId targetDisplay() const;
    bool isBuiltIn(DisplayId display) const;
    bool optionKeyDown() const;

    Services m_services;
    StatusMenu m_menu;
    DisplayKind m_displayKind = DisplayKind::builtIn;

    // Items after the views they show, so that they go first.
    ScrollableStatusView m_brightnessView;
    ScrollableStatusView m_volumeView;
    std::unique_ptr<TrayItem> m_brightnessItem;
    std::unique_ptr<TrayItem> m_volumeItem;
};

} // namespace lumvex
