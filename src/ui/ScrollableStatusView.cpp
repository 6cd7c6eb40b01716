// SPDX-License-Identifier: MIT
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

ScrollableStatusView::ScrollableStatusView(Render render, QObject *parent)
    : QObject(parent)
    , m_render(std::move(render))
{}

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
    emit needsDisplay();
}

QImage ScrollableStatusView::draw(int pixelSize, const QColor &labelColor) const
{
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!m_render) {
        return image;
    }
    QPainter painter(&image);
    m_render(m_level).draw(&painter, QRectF(0, 0, pixelSize, pixelSize));
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(QRectF(0, 0, pixelSize, pixelSize), labelColor);
    return image;
}

void ScrollableStatusView::scrollWheel(double deltaY)
{
    emit scrollRequested(deltaY);
}

void ScrollableStatusView::mouseDown()
{
    emit clicked();
}

void ScrollableStatusView::secondaryActivate()
{
    emit secondaryActivated();
}

std::string ScrollableStatusView::accessibilityValue() const
{
    return percentText(m_level);
}

} // namespace lumvex
