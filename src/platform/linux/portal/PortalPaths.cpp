// SPDX-License-Identifier: MIT
#include "PortalPaths.h"

namespace lumvex {

namespace {

// ":1.42" becomes "1_42".
QString senderPart(const QString &uniqueName)
{
    QString part = uniqueName.startsWith(u':') ? uniqueName.mid(1) : uniqueName;
    part.replace(u'.', u'_');
    return part;
}

} // namespace

QString portalRequestPath(const QString &uniqueName, const QString &token)
{
    return QStringLiteral("/org/freedesktop/portal/desktop/request/") + senderPart(uniqueName) + u'/' + token;
}

QString portalSessionPath(const QString &uniqueName, const QString &token)
{
    return QStringLiteral("/org/freedesktop/portal/desktop/session/") + senderPart(uniqueName) + u'/' + token;
}

} // namespace lumvex
