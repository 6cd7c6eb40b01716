// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>

#include <cmath>
#include <string>

namespace lumvex {

// When a pause ends, in the process's time zone: "HH:mm", with the date before it when that is not today.
// Qt Core alone, so that `lumvex ctl` says it the same way without the menu's libraries.
inline std::string pauseEndText(double unixSeconds)
{
    const QDateTime end = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::ceil(unixSeconds)));
    const bool today = end.date() == QDate::currentDate();
    return end.toString(today ? QStringLiteral("HH:mm") : QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
}

} // namespace lumvex
