// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <string>

namespace lumvex {

// When a pause ends, in the process's time zone and the user's locale: the short time, with the short date
// before it when that is not today. Qt Core alone, so that `lumvex ctl` says it the same way without the
// menu's libraries.
inline std::string pauseEndText(double unixSeconds)
{
    const QDateTime end = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::ceil(unixSeconds)));
    const bool today = end.date() == QDate::currentDate();
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) {
        // No locale chosen; Qt's C locale would add the seconds.
        return end.toString(today ? QStringLiteral("HH:mm") : QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    }
    const QString time = locale.toString(end.time(), QLocale::ShortFormat);
    return (today ? time : locale.toString(end.date(), QLocale::ShortFormat) + QLatin1Char(' ') + time).toStdString();
}

} // namespace lumvex
