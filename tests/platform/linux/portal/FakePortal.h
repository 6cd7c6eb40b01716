// SPDX-License-Identifier: MIT
#pragma once

#include "support/FakeServiceControl.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace lumvex::test {

// Steers fake_portal.py, which the test script starts on the private session bus.
class FakePortal : FakeServiceControl
{
public:
    FakePortal()
        : FakeServiceControl("org.lumvex.test.FakePortal", "/control", "org.lumvex.test.FakePortal")
    {
        call("Reset");
    }

    // Merges settings (a JSON object) into the portal's scenario.
    void configure(const char *json) { call("Configure", {QString::fromUtf8(json)}); }
    // Every call the portal got, in order: {"method", "options", ...}.
    QJsonArray calls() const { return QJsonDocument::fromJson(value("Calls").toString().toUtf8()).array(); }
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
};

} // namespace lumvex::test
