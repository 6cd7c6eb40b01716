// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>

#include <gtest/gtest.h>

namespace lumvex::test {

// Steers a fake service on the private bus of run-with-fake-service.sh or run-desktop.sh, where the
// system and the session bus are one; a refused call fails the test.
class FakeServiceControl
{
public:
    FakeServiceControl(QString service, QString path, QString interface)
        : m_service(std::move(service))
        , m_path(std::move(path))
        , m_interface(std::move(interface))
    {}

    QDBusMessage call(const QString &method, const QVariantList &arguments = {}) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, m_interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(message);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
            << method.toStdString() << ": " << reply.errorMessage().toStdString();
        return reply;
    }
    QVariant value(const QString &method) const { return call(method).arguments().value(0); }
    std::vector<std::string> strings(const QString &method) const
    {
        std::vector<std::string> result;
        for (const QString &entry : value(method).toStringList()) {
            result.push_back(entry.toStdString());
        }
        return result;
    }

private:
    QString m_service;
    QString m_path;
    QString m_interface;
};

} // namespace lumvex::test
