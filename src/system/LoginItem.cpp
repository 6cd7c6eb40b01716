// SPDX-License-Identifier: MIT
#include "LoginItem.h"

#include "engine/Defaults.h"
#include "engine/Settings.h"

namespace lumvex {

LoginItem::LoginItem(std::unique_ptr<LoginService> service, Defaults &defaults, LogLine log)
    : m_service(std::move(service))
    , m_defaults(defaults)
    , m_log(std::move(log))
{}

LoginItemStatus LoginItem::status() const
{
    return m_service->status();
}

bool LoginItem::toggle()
{
    return setEnabled(!isEnabled());
}

bool LoginItem::setEnabled(bool on)
{
    std::optional<std::string> failure;
    if (on) {
        failure = m_service->registerProgram();
    } else if (isEnabled()) {
        failure = m_service->unregisterProgram();
    }
    if (failure) {
        log(std::string("Lumvex: login-item ") + (on ? "register" : "unregister") + " failed: " + *failure);
        return false;
    }
    return true;
}

void LoginItem::log(const std::string &line) const
{
    if (m_log) {
        m_log(line);
    }
}

void LoginItem::configureAtLaunch()
{
    if (!settings::value(m_defaults, settings::loginItemDefaultApplied)) {
        // Marked first, so that the default is applied at most once even when registering fails.
        settings::set(m_defaults, settings::loginItemDefaultApplied, true);
        setEnabled(true);
        log("Lumvex: first-run login-item default applied; status=" + statusDescription(status()));
    } else if (isEnabled()) {
        setEnabled(true);
    }
}

} // namespace lumvex
