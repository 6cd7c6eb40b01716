#include "ScrollableStatusView.h"

#include <QPainter>

#include <cmath>

namespace lumvex {

std::string percentText(double value)
{
    if (!std::isfinite(value)) {
        return "\u2014";
    }
    return std::to_string(static_cast<long long>(std::round(value * 100.0))) + "%";
}

void ScrollableStatusView::setLevel(double level)
{
    m_level = level;
    invalidate();
}

void ScrollableStatusView::redraw()
{
    invalidate();
}

void ScrollableStatusView::invalidate()
{
    ++m_invalidations;
    if (onNeedsDisplay) {
        onNeedsDisplay();
    }
}

QImage ScrollableStatusView::draw(int pixelSize, const QColor &labelColor) const
{
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!render) {
        return image;
    }
    QPainter painter(&image);
    render(m_level).draw(&painter, QRectF(0, 0, pixelSize, pixelSize));
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(QRectF(0, 0, pixelSize, pixelSize), labelColor);
    return image;
}

void ScrollableStatusView::scrollWheel(double deltaY)
{
    if (onScroll) {
        onScroll(deltaY);
    }
}

void ScrollableStatusView::mouseDown()
{
    if (onClick) {
        onClick();
    }
}

void ScrollableStatusView::rightMouseDown()
{
    if (onRightClick) {
        onRightClick();
    }
}

std::string ScrollableStatusView::accessibilityValue() const
{
    return percentText(m_level);
}

} // namespace lumvex
