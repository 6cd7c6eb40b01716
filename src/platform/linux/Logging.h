// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// Every message Lumvex writes goes through one of these categories, so that a user can turn a part's messages
// up or down with QT_LOGGING_RULES (for example "lumvex.capture.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
Q_DECLARE_LOGGING_CATEGORY(lcControl)
Q_DECLARE_LOGGING_CATEGORY(lcDdc)
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
Q_DECLARE_LOGGING_CATEGORY(lcPortal)
Q_DECLARE_LOGGING_CATEGORY(lcTray)
