// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>

#include <functional>

class QPainter;

namespace lumvex {

// An icon that is drawn whenever it is rendered, at whatever size: the handler paints an alpha mask
// (opaque black on transparent) into a painter whose coordinates are the icon's points, origin at the
// lower left and y growing upwards. A handler given no painter draws nothing and returns false.
class IconImage
{
public:
    using Handler = std::function<bool(QPainter *painter, const QRectF &rect)>;

    IconImage() = default;
    IconImage(QSizeF size, Handler handler);

    bool isNull() const { return !m_handler; }
    QSizeF size() const { return m_size; }

    // Runs the handler with the icon's points mapped onto `target` (in the painter's own, y-down,
    // coordinates). False when there is no painter or no handler, or the handler did not draw.
    bool draw(QPainter *painter, const QRectF &target) const;

    // The icon as an ARGB32 (premultiplied) image of pixelSize x pixelSize, transparent where nothing
    // was drawn.
    QImage toImage(int pixelSize) const;

private:
    QSizeF m_size;
    Handler m_handler;
};

} // namespace lumvex
