// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace lumvex {

// Where the desktop portal puts the objects it makes for a caller: a Request per call and a Session per
// screen-sharing session, named after the caller's unique bus name and a token the caller chooses. Knowing
// the path before the call lets the caller listen for the answer before it can be sent.
QString portalRequestPath(const QString &uniqueName, const QString &token);
QString portalSessionPath(const QString &uniqueName, const QString &token);

} // namespace lumvex
