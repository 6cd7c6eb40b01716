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
    // The calls the portal got, in order, of one method or of all: {"method", "options", ...}.
    QJsonArray calls(const QString &method = {}) const
    {
        return QJsonDocument::fromJson(call("Calls", {method}).arguments().value(0).toString().toUtf8()).array();
    }
    void closeSessions() { call("CloseSessions"); }
    void vanish() { call("Vanish"); }
    void comeBack() { call("Return"); }
};

} // namespace lumvex::test
