// SPDX-License-Identifier: MIT
#include "ScreenCastStream.h"

#include <QDBusArgument>
#include <QVariantMap>

#include <algorithm>

namespace lumvex {

namespace {

// A pair of integers, (ii), as it comes inside a variant.
std::optional<QPoint> intPair(const QVariant &value)
{
    if (!value.canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ii)")) {
        return std::nullopt;
    }
    int first = 0;
    int second = 0;
    argument.beginStructure();
    argument >> first >> second;
    argument.endStructure();
    return QPoint(first, second);
}

} // namespace

std::vector<ScreenCastStream> parseScreenCastStreams(const QVariant &streams)
{
    std::vector<ScreenCastStream> result;
    if (!streams.canConvert<QDBusArgument>()) {
        return result;
    }
    const auto argument = streams.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(ua{sv})")) {
        return result;
    }
    argument.beginArray();
    while (!argument.atEnd()) {
        ScreenCastStream stream;
        QVariantMap properties;
        argument.beginStructure();
        argument >> stream.nodeId >> properties;
        argument.endStructure();
        const std::optional<QPoint> position = intPair(properties.value(QStringLiteral("position")));
        const std::optional<QPoint> size = intPair(properties.value(QStringLiteral("size")));
        if (size && size->x() > 0 && size->y() > 0) {
            stream.area = QRect(position.value_or(QPoint()), QSize(size->x(), size->y()));
        }
        result.push_back(stream);
    }
    argument.endArray();
    return result;
}

std::optional<ScreenCastStream> chooseScreenCastStream(const std::vector<ScreenCastStream> &streams,
                                                       const std::optional<QRect> &area)
{
    if (streams.empty()) {
        return std::nullopt;
    }
    if (area) {
        const auto match = std::find_if(streams.begin(), streams.end(),
                                        [&](const ScreenCastStream &stream) { return stream.area == area; });
        if (match != streams.end()) {
            return *match;
        }
    }
    return streams.front();
}

} // namespace lumvex
