#pragma once

#include "DisplayKind.h"
#include "MenuModel.h"
#include "ScrollableStatusView.h"
#include "sensing/DisplayId.h"

#include <QObject>
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
class DisplayServices;
class ExternalBrightness;
class LoginItemControl;
class RecordingSwitch;
class TrayItem;
class VolumeControl;
struct CalibrationEntry;
struct SituationBucket;

// Lumvex in the panel: the brightness item from construction, the volume item once the full
// feature set is installed. Scrolling an item changes the brightness of the display under the pointer
// (built in: learned by the loop; external: through DDC, not learned) or the volume; a click shows the
// status menu, built afresh from the current state; the menu's actions are carried out here.
//
// Components are not owned; each may be absent, and every use is guarded. The caller keeps them alive
// as long as the controller.
class StatusItemController : public QObject
{
    Q_OBJECT

public:
    enum class MenuOrigin { brightness, volume };

    // Menu entry ids, stable per role, so that a click reaches the right action after a rebuild.
    enum EntryId : int {
        rootId = 0,
        captureProblemId = 1,
        brightnessLineId,
        volumeLineId,
        muteId,
        statusSeparatorId,
        autoAdjustId,
        debugId,
        calibrationId,
        recordingSeparatorId,
        recordId,
        revealId,
        styleSeparatorId,
        iconStyleId,
        updatesSeparatorId,
        checkForUpdatesId,
        loginItemId,
        quitId,
        // Calibration submenu.
        situationCountId = 100,
        lastSevenDaysId,
        todayId,
        topSeparatorId,
        topHeadingId,
        topFirstSituationId, // ... + 4
        resetSeparatorId = 120,
        resetAllCalibrationId,
        resetEverythingId,
        rememberBrightnessId,
        // Pause submenu, or the resume entry in its place while paused.
        pauseId = 130,
        pauseQuarterHourId,
        pauseHourId,
        pauseUntilResumedId,
        resumeId,
        // Icon Style submenu: + the style's index in iconStyle::allCases.
        iconStyleFirstId = 140,
        // Where the Option key cannot be read, its entries sit in a submenu at the end.
        advancedSeparatorId = 160,
        advancedId,
    };

    StatusItemController(BrightnessController &brightness, Defaults &defaults, QObject *parent = nullptr);
    ~StatusItemController() override;

    // Stores the components (replacing earlier ones), shows the kind of display under the pointer and
    // adds the volume item once, when a volume control is given. `displays` answers which display is
    // the main one and whether a display is built in.
    void enableFullFeatures(ExternalBrightness *external, DisplayRouter *router, DisplayServices &displays,
                            VolumeControl *volume, CompensationLoop *loop, CalibrationModel *calibration,
                            DailyStats *dailyStats);
    void setRecorder(RecordingSwitch *recorder);
    // Without one the "Start at Login" entry is left out.
    void setLoginItem(LoginItemControl *loginItem);

    void updateBrightness(double level);
    void updateVolume(double level);
    void refreshSilhouette();

    // Run by "Check for Updates…".
    std::function<void()> onCheckForUpdates;
    // A problem with screen capture, shown as the first status line when set and not empty.
    std::function<std::optional<std::string>()> captureProblemProvider;
    // Whether the Option key (Alt) is held, or nothing where it cannot be read (Wayland: a program without
    // focus never sees modifiers); defaults to the keyboard state the X server reports.
    std::function<std::optional<bool>()> optionKeyProvider;

    // Opens a folder in the file manager; defaults to QDesktopServices::openUrl.
    std::function<void(const QUrl &)> openUrl;
    // Run by "Quit Lumvex"; defaults to QCoreApplication::quit.
    std::function<void()> onQuit;
    // Where a tray host says one of the items was clicked (desktop coordinates, y down), before the
    // click opens a menu: on desktops without a global pointer position it is the best guess of the
    // display the user is looking at.
    std::function<void(int x, int y)> onHostClickPosition;

    // The menu for a click on the item of that origin, with the Option key as it is now or as given, and
    // showing it.
    MenuEntry buildMenu(MenuOrigin origin);
    MenuEntry buildMenu(MenuOrigin origin, bool optionKey);
    void presentMenu(MenuOrigin origin);
    std::string brightnessLabel() const;
    static std::string volumeLabel(VolumeControl &volume);
    MenuEntry buildCalibrationSubmenu() const;
    // While automatic adjustment is on: "Pause" with its durations, or "Resume" while paused.
    MenuEntry buildPauseEntry();
    static std::string situationLabel(const SituationBucket &bucket, const CalibrationEntry &entry);

    // Menu actions.
    void toggleAuto();
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

    // Rebuilds the menus that hosts may hold, so that they read the current state.
    void refreshMenus();

    // The brightness scroll handler, given the raw delta (wheel up negative, 10 units a notch).
    void scrollBrightness(double delta);
    void scrollVolume(double delta);

    ScrollableStatusView &brightnessView() { return m_brightnessView; }
    ScrollableStatusView *volumeView() { return m_volumeView.get(); }
    TrayItem &brightnessItem() { return *m_brightnessItem; }
    TrayItem *volumeItem() { return m_volumeItem.get(); }
    DisplayKind displayKind() const { return m_displayKind; }

private:
    void addVolumeItem();
    void forwardHostPosition(TrayItem &item);
    DisplayId targetDisplay() const;
    bool isBuiltIn(DisplayId display) const;
    bool optionKeyDown() const;
    bool optionKeyReadable() const;
    bool showCompensationDebug() const;

    BrightnessController &m_brightness;
    Defaults &m_defaults;

    ScrollableStatusView m_brightnessView;
    std::unique_ptr<TrayItem> m_brightnessItem;
    std::unique_ptr<ScrollableStatusView> m_volumeView;
    std::unique_ptr<TrayItem> m_volumeItem;

    ExternalBrightness *m_external = nullptr;
    DisplayRouter *m_router = nullptr;
    DisplayServices *m_displays = nullptr;
    VolumeControl *m_volume = nullptr;
    CompensationLoop *m_loop = nullptr;
    CalibrationModel *m_calibration = nullptr;
    DailyStats *m_dailyStats = nullptr;
    RecordingSwitch *m_recorder = nullptr;
    LoginItemControl *m_loginItem = nullptr;
    DisplayKind m_displayKind = DisplayKind::builtIn;
};

} // namespace lumvex
