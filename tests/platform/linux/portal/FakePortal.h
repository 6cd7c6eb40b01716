#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace lumvex::test {

// Steers fake_portal.py, which the test script starts on the private session bus.
class FakePortal
{
public:
    FakePortal() { call("Reset"); }

    // Merges settings (a JSON object) into the portal's scenario.
    void configure(const char *json) { call("Configure", {QString::fromUtf8(json)}); }
    // Every call the portal got, in order: {"method", "options", ...}.
    QJsonArray calls() const
    {
        const QDBusMessage reply = call("Calls");
        return reply.arguments().isEmpty() ? QJsonArray()
                                           : QJsonDocument::fromJson(reply.arguments()[0].toString().toUtf8()).array();
    }
    // The calls of one method.
    QJsonArray calls(const QString &method) const
    {
        QJsonArray result;
        for (const QJsonValue &entry : calls()) {
            if (entry.toObject().value(QStringLiteral("method")).toString() == method) {
                result.append(entry);
            }
        }
        return result;
    }
    void closeSessions() { call("CloseSessions"); }
    void vanish() { call("Vanish"); }
    void comeBack() { call("Return"); }

private:
    QDBusMessage call(const char *method, const QVariantList &arguments = {}) const
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(QStringLiteral("org.lumvex.test.FakePortal"), QStringLiteral("/control"),
                                           QStringLiteral("org.lumvex.test.FakePortal"), QString::fromUtf8(method));
        message.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(message);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << method << ": " << reply.errorMessage().toStdString();
        return reply;
    }
};

} // namespace lumvex::test
