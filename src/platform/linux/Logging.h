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
// Off unless asked for: how long the main thread is held (src/app/shell/StallProbe.h).
Q_DECLARE_LOGGING_CATEGORY(lcStall)
Q_DECLARE_LOGGING_CATEGORY(lcTray)
