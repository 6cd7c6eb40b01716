// SPDX-License-Identifier: MIT
#pragma once

#include "Notifier.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>

namespace lumvex {

class Clock;
class Defaults;

// Checks the update feed for a newer release and tells the user through desktop notices, offering the
// release's page. Installing is left to the user or the package manager: the program never replaces
// itself.
//
// The feed's address is built in and can be changed by the setting "updateFeedURL" (an empty value
// switches checks off). A check the user asks for reports every outcome. The automatic check at launch
// waits a little for the network to come up, runs only when no check succeeded in the last day, and
// speaks only of a newer release. Requests are asynchronous and limited in time and size.
class UpdaterController final : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString currentVersion;
        QString builtInFeed; // empty: none
        std::chrono::milliseconds timeout{std::chrono::seconds(10)};
        std::chrono::milliseconds launchDelay{std::chrono::seconds(30)};
    };
    // This build's version and feed address.
    static Options buildOptions();

    UpdaterController(Defaults &defaults, const Clock &clock, std::unique_ptr<Notifier> notifier,
                      Options options = buildOptions(), QObject *parent = nullptr);
    ~UpdaterController() override;

    // The check behind "Check for Updates…".
    void checkForUpdates();
    // The quiet check at launch, when a day has passed since the last one.
    void checkAtLaunch();

    // Whether a check is under way or about to start.
    bool isChecking() const { return m_reply != nullptr || m_launchTimer->isActive(); }
    // The address checks use now; empty when none is set.
    QString feedAddress() const;

Q_SIGNALS:
    // A check ended, whatever its outcome and whether it was shown.
    void checkFinished();

private:
    void start(const QUrl &feed);
    void onReplyFinished();
    void tell(const Notice &notice);
    void failed(const QString &reason);

    Defaults &m_defaults;
    const Clock &m_clock;
    std::unique_ptr<Notifier> m_notifier;
    Options m_options;
    QNetworkAccessManager *m_network; // owned as a child
    QTimer *m_launchTimer;            // owned as a child
    QPointer<QNetworkReply> m_reply;
    bool m_userAsked = false;
    bool m_tooLarge = false;
};

} // namespace lumvex
