// SPDX-License-Identifier: MIT
#include "UpdaterController.h"

#include "Appcast.h"
#include "VersionOrder.h"
#include "base/Clock.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"
#include "platform/linux/XdgPaths.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <cmath>

namespace lumvex {

namespace {

// An update feed is a few kilobytes; a larger answer is not one.
constexpr qint64 kMaxFeedBytes = 2 * 1024 * 1024;
constexpr double kAutomaticInterval = 24 * 60 * 60;

QString sentence(QString text)
{
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text + QLatin1Char('.');
}

QString settingsHint()
{
    return QCoreApplication::translate("Updates", "set %1 in %2 to the http or https address of an update feed")
        .arg(QLatin1String(settings::updateFeedUrl.name.data(), settings::updateFeedUrl.name.size()),
             QString::fromStdString(xdg::settingsFile().string()));
}

QString networkFailure(const QNetworkReply &reply, std::chrono::milliseconds timeout)
{
    const QString host = reply.url().host();
    switch (reply.error()) {
    case QNetworkReply::OperationCanceledError: // the transfer timeout aborts so
    case QNetworkReply::TimeoutError:
        return QCoreApplication::translate("Updates", "the server %1 did not answer within %2 s")
            .arg(host, QString::number(timeout.count() / 1000.0));
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate("Updates", "the server %1 refused the connection").arg(host);
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("Updates", "the server %1 was not found; check the network connection")
            .arg(host);
    default:
        break;
    }
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        const QString phrase = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        return QCoreApplication::translate("Updates", "the server %1 answered %2 %3")
            .arg(host)
            .arg(status)
            .arg(phrase)
            .trimmed();
    }
    return reply.errorString();
}

} // namespace

UpdaterController::Options UpdaterController::buildOptions()
{
    return {QStringLiteral(LUMVEX_VERSION), QStringLiteral(LUMVEX_UPDATE_FEED_URL)};
}

UpdaterController::UpdaterController(Defaults &defaults, const Clock &clock, std::unique_ptr<Notifier> notifier,
                                     Options options, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_notifier(std::move(notifier))
    , m_options(std::move(options))
    , m_network(new QNetworkAccessManager(this))
    , m_launchTimer(new QTimer(this))
{
    m_launchTimer->setSingleShot(true);
    connect(m_launchTimer, &QTimer::timeout, this, [this] {
        m_userAsked = false;
        start(QUrl(feedAddress(), QUrl::StrictMode));
    });
}

UpdaterController::~UpdaterController()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QString UpdaterController::feedAddress() const
{
    if (const auto setting = settings::value(m_defaults, settings::updateFeedUrl)) {
        return QString::fromStdString(*setting).trimmed();
    }
    return m_options.builtInFeed.trimmed();
}

void UpdaterController::checkForUpdates()
{
    // A check under way, even a quiet one, now reports to the user; one about to start starts now.
    m_userAsked = true;
    m_launchTimer->stop();
    if (m_reply) {
        return;
    }
    const QString address = feedAddress();
    if (address.isEmpty()) {
        tell({QCoreApplication::translate("Updates", "Update feed address is not set"),
              sentence(settingsHint()),
              {},
              {}});
        m_userAsked = false;
        Q_EMIT checkFinished();
        return;
    }
    start(QUrl(address, QUrl::StrictMode));
}

void UpdaterController::checkAtLaunch()
{
    const QString address = feedAddress();
    if (isChecking() || address.isEmpty()) {
        return;
    }
    const double now = m_clock.now().unixSeconds();
    if (const auto stored = settings::value(m_defaults, settings::lastUpdateCheck)) {
        bool valid = false;
        const double last = QString::fromStdString(*stored).toDouble(&valid);
        // A time ahead of the clock (the clock was set back) does not hold checks off.
        if (valid && last <= now && now - last < kAutomaticInterval) {
            return;
        }
    }
    // At login the network often comes up after the session's programs.
    m_launchTimer->start(m_options.launchDelay);
}

void UpdaterController::start(const QUrl &feed)
{
    if (!feed.isValid() || feed.host().isEmpty() || (feed.scheme() != u"https" && feed.scheme() != u"http")) {
        failed(QCoreApplication::translate("Updates", "the update feed address “%1” is not a web address; %2")
                   .arg(feedAddress(), settingsHint()));
        return;
    }
    QNetworkRequest request(feed);
    request.setTransferTimeout(static_cast<int>(m_options.timeout.count()));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Lumvex/%1").arg(m_options.currentVersion));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

    m_tooLarge = false;
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if ((received > kMaxFeedBytes || total > kMaxFeedBytes) && m_reply && !m_tooLarge) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    connect(m_reply, &QNetworkReply::finished, this, &UpdaterController::onReplyFinished);
}

void UpdaterController::onReplyFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();

    if (m_tooLarge) {
        failed(QCoreApplication::translate("Updates", "the answer from %1 is too large to be an update feed")
                   .arg(reply->url().host()));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        failed(networkFailure(*reply, m_options.timeout));
        return;
    }
    const AppcastReading reading = readAppcast(reply->readAll());
    if (!reading.error.isEmpty()) {
        failed(QCoreApplication::translate("Updates", "the update feed at %1 is unusable: %2")
                   .arg(reply->request().url().toDisplayString(), reading.error));
        return;
    }
    if (!reading.newest) {
        failed(QCoreApplication::translate("Updates", "the update feed at %1 lists no release")
                   .arg(reply->request().url().toDisplayString()));
        return;
    }
    // Only a check that read the feed holds the next automatic one off; a failed one is tried again.
    settings::set(m_defaults, settings::lastUpdateCheck,
                  QString::number(std::floor(m_clock.now().unixSeconds()), 'f', 0).toStdString());

    const AppcastItem &newest = *reading.newest;
    if (compareVersions(newest.version.toStdString(), m_options.currentVersion.toStdString()) > 0) {
        tell({QCoreApplication::translate("Updates", "Lumvex %1 is available").arg(newest.displayVersion()),
              QCoreApplication::translate(
                  "Updates", "You have version %1. Get the new one from its download page or your package manager.")
                  .arg(m_options.currentVersion),
              newest.page(), QCoreApplication::translate("Updates", "Open Download Page")});
    } else if (m_userAsked) {
        tell({QCoreApplication::translate("Updates", "Lumvex is up to date"),
              QCoreApplication::translate("Updates", "Version %1 is the newest release.").arg(m_options.currentVersion),
              {},
              {}});
    }
    m_userAsked = false;
    Q_EMIT checkFinished();
}

void UpdaterController::tell(const Notice &notice)
{
    if (m_notifier) {
        m_notifier->show(notice);
    }
}

void UpdaterController::failed(const QString &reason)
{
    if (m_userAsked) {
        tell({QCoreApplication::translate("Updates", "Could not check for updates"), sentence(reason), {}, {}});
    }
    m_userAsked = false;
    Q_EMIT checkFinished();
}

} // namespace lumvex
