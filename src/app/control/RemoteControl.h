// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QVariantMap>

#include <functional>
#include <limits>
#include <optional>

namespace lumvex {

class BrightnessController;
class CalibrationModel;
class Clock;
class DisplayLink;
class CompensationLoop;
class DisplayRouter;
class DisplayServices;
class ExternalBrightnessController;
class StatusItemController;
class VolumeControl;

// Lumvex on the session bus (io.github.lumvex.Lumvex1, data/dbus): what scripts and key bindings see and
// change. Brightness set here is a manual change like a scroll on the built-in display, learned with the
// source "command". Properties are looked at four times a second and announced when they change, so that
// changes made elsewhere (keys, the loop, the menu, a pause running out) reach listeners too.
//
// Messages are taken apart here rather than by Qt's property and slot dispatch: a property set with the
// wrong type must be refused instead of converted (a string "off" is a true QVariant), only what the
// interface declares may be reachable, and a brightness call is answered only once it is applied.
class RemoteControl : public QDBusVirtualObject
{
    Q_OBJECT

public:
    static constexpr const char *kService = "io.github.lumvex.Lumvex";
    static constexpr const char *kPath = "/io/github/lumvex/Lumvex";
    static constexpr const char *kInterface = "io.github.lumvex.Lumvex1";
    // PausedUntil while paused until resumed.
    static constexpr qulonglong kUntilResumed = ~0ULL;
    // Longer pauses are what "until resumed" is for.
    static constexpr uint kLongestPauseSeconds = 7 * 24 * 3600;
    // A smaller change moves no panel: it would be learned as a correction that changed nothing.
    static constexpr double kSmallestChange = 0.001;

    struct Parts
    {
        BrightnessController &brightness;
        CompensationLoop &loop;
        CalibrationModel &calibration;
        DisplayServices &displays;
        DisplayRouter &router;
        ExternalBrightnessController &external;
        VolumeControl &volume;
        StatusItemController &status;
        DisplayLink &link;
    };

    // Exports the object and takes the name on the session bus; without a bus it stays unreachable.
    explicit RemoteControl(const Parts &parts, QObject *parent = nullptr);
    ~RemoteControl() override;

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

    // Announces what changed since the last look; the shell calls it on every brightness poll, so that key
    // presses, the loop's writes and a pause running out reach the bus without a timer of its own.
    void publishChanges();

signals:
    // Show was called: someone looks for the running Lumvex.
    void showRequested();

private:
    struct Refusal
    {
        QString name;
        QString message;
    };
    // Nothing when done.
    using Refused = std::optional<Refusal>;

    QVariantMap properties() const;
    QVariantMap status() const;
    QVariantList displays() const;
    Refused setDisplayRange(const QString &name, double low, double high);
    Refused setAutomaticAdjustment(const QVariant &value);
    Refused setBrightness(double level);
    Refused changeBrightness(double delta);
    Refused pause(uint seconds);
    Refused applyManualLevel(std::optional<double> before, double level);
    double lastKnownBrightness() const;
    // Link Displays is on and no built-in panel is in use (docked, lid closed): levels go to the monitors.
    bool linkedWithoutPanel() const;
    QDBusMessage answerProperties(const QDBusMessage &message);
    // Applies a brightness call once the bus says its caller is still there to hear the answer.
    void applyWhileCallerWaits(const QDBusMessage &message, const QDBusConnection &connection,
                               std::function<Refused()> apply);

    Parts m_parts;
    QVariantMap m_published;
    mutable double m_lastBrightness = std::numeric_limits<double>::quiet_NaN();
    bool m_registered = false;
};

} // namespace lumvex
