// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayKind.h"
#include "IconImage.h"
#include "IconStyle.h"

#include <QIcon>
#include <QPainterPath>

#include <optional>

class QPainter;

namespace lumvex::IconRenderer {

// Every icon is 18 x 18 points.
inline constexpr double kSize = 18.0;
inline QSizeF size()
{
    return {kSize, kSize};
}

// The brightness icon: the level disc in the style, with a laptop (built in or absent kind) or a monitor
// glyph knocked out of it.
IconImage brightnessImage(double level, std::optional<DisplayKind> displayKind, IconStyle style);

// The volume icon: the level disc with a speaker glyph, or, when muted or at 0.005 and below, the
// muted symbol (or, without one, a speaker with a slash drawn by hand). The symbol defaults to the
// icon theme's "audio-volume-muted" symbol; pass a null icon to draw the fallback.
IconImage volumeImage(double level, bool muted, IconStyle style);
IconImage volumeImage(double level, bool muted, IconStyle style, const QIcon &mutedSymbol);

// The icon theme's muted-speaker symbol, or a null icon when the theme has none.
QIcon themeMutedSymbol();

// The pieces, drawing into a painter whose coordinates have y growing upwards; angles in degrees
// counter-clockwise from the positive x axis.
void drawPie(QPainter &painter, double level, const QRectF &rect);
void drawCurtain(QPainter &painter, double level, const QRectF &rect);
void drawSolidGlyph(QPainter &painter, const QPainterPath &path);

// A wedge from the centre of the disc in rect (radius min(W, H) / 2 - 1), along the arc from
// startDegrees, sweeping sweepDegrees counter-clockwise, and back to the centre.
QPainterPath wedge(const QRectF &rect, double startDegrees, double sweepDegrees);
QPainterPath laptopGlyph(const QRectF &rect);
QPainterPath monitorGlyph(const QRectF &rect);
QPainterPath speakerGlyph(const QRectF &rect);

} // namespace lumvex::IconRenderer
