// SPDX-License-Identifier: MIT
#include "Logging.h"

// Warnings and worse are shown by default, as before categories existed.
Q_LOGGING_CATEGORY(lcApp, "lumvex.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCapture, "lumvex.capture", QtWarningMsg)
Q_LOGGING_CATEGORY(lcControl, "lumvex.control", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDdc, "lumvex.ddc", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDesktop, "lumvex.desktop", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFiles, "lumvex.files", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPortal, "lumvex.portal", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStall, "lumvex.stall", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTray, "lumvex.tray", QtWarningMsg)
