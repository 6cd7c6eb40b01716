// SPDX-License-Identifier: MIT
#pragma once

#include "LoginItemControl.h"
#include "LoginService.h"

#include <functional>
#include <memory>
#include <string>

namespace lumvex {

class Defaults;

// Starts the program at login: on by default the first time it runs, registered again at every later
// launch while on, and switched by the user from the menu. The state lives in the login service; the
// only thing kept here is the setting that says the first-run default has been applied.
class LoginItem final : public LoginItemControl
{
public:
    // Receives the log lines, "Lumvex: login-item …" and "Lumvex: first-run login-item default …".
    using LogLine = std::function<void(const std::string &)>;

    LoginItem(std::unique_ptr<LoginService> service, Defaults &defaults, LogLine log);

    LoginItemStatus status() const override;
    bool toggle() override;

    // On: registers, also when already registered. Off: unregisters only what is enabled. A refusal is
    // logged and returns false.
    bool setEnabled(bool on);

    // Once, first thing at launch: applies the first-run default, or renews an enabled registration.
    void configureAtLaunch();

private:
    void log(const std::string &line) const;

    std::unique_ptr<LoginService> m_service;
    Defaults &m_defaults;
    LogLine m_log;
};

} // namespace lumvex
