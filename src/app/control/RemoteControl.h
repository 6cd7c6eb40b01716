// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusContext>
#include <QObject>
#include <QVariantMap>

#include <limits>

namespace lumvex {

class BrightnessController;
class CalibrationModel;
class Clock;
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
class RemoteControl : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_PROPERTY(double Brightness READ brightness)
    Q_PROPERTY(bool AutomaticAdjustment READ automaticAdjustment WRITE setAutomaticAdjustment)
    Q_PROPERTY(qulonglong PausedUntil READ pausedUntil)
    Q_PROPERTY(double Luminance READ luminance)
    Q_PROPERTY(double TargetRatio READ targetRatio)
    Q_PROPERTY(QString Situation READ situation)
    Q_PROPERTY(double Offset READ offset)
    Q_PROPERTY(QString CaptureProblem READ captureProblem)

public:
    static constexpr const char *kService = "io.github.lumvex.Lumvex";
    static constexpr const char *kPath = "/io/github/lumvex/Lumvex";
    static constexpr const char *kInterface = "io.github.lumvex.Lumvex1";
    // PausedUntil while paused until resumed.
    static constexpr qulonglong kUntilResumed = ~0ULL;
    // Longer pauses are what "until resumed" is for.
    static constexpr uint kLongestPauseSeconds = 7 * 24 * 3600;

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
    };

    // Exports the object and takes the name on the session bus; without a bus it stays unreachable.
    explicit RemoteControl(const Parts &parts, QObject *parent = nullptr);
    ~RemoteControl() override;

    double brightness() const;
    bool automaticAdjustment() const;
    void setAutomaticAdjustment(bool on);
    qulonglong pausedUntil() const;
    double luminance() const;
    double targetRatio() const;
    QString situation() const;
    double offset() const;
    QString captureProblem() const;

public Q_SLOTS:
    void SetBrightness(double level);
    void ChangeBrightness(double delta);
    void Pause(uint seconds);
    void Resume();
    QVariantMap Status();

    // Announces what changed since the last look; the shell calls it on every brightness poll, so that key
    // presses, the loop's writes and a pause running out reach the bus without a timer of its own.
    void publishChanges();

private:
    QVariantMap properties() const;
    void applyManualLevel(double level);
    bool refuse(const QString &name, const QString &message);
    void refuseUnset();

    Parts m_parts;
    QVariantMap m_published;
    mutable double m_lastBrightness = std::numeric_limits<double>::quiet_NaN();
    bool m_registered = false;
};

} // namespace lumvex
