// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <vector>

namespace lumvex {

// One stream of a screen-sharing session: the PipeWire node that carries it and, when the portal says,
// the monitor's area in the compositor's logical coordinates.
struct ScreenCastStream
{
    std::uint32_t nodeId = 0;
    std::optional<QRect> area;
};

// The streams of the portal's Start answer ("streams", a(ua{sv})); nothing for anything malformed.
std::vector<ScreenCastStream> parseScreenCastStreams(const QVariant &streams);

// The stream showing `area` when one does, else the first; nothing without streams.
std::optional<ScreenCastStream> chooseScreenCastStream(const std::vector<ScreenCastStream> &streams,
                                                       const std::optional<QRect> &area);

} // namespace lumvex
