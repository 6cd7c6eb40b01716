// SPDX-License-Identifier: MIT
#include "IconImage.h"

#include <QPainter>

namespace lumvex {

IconImage::IconImage(QSizeF size, Handler handler)
    : m_size(size)
    , m_handler(std::move(handler))
{}

bool IconImage::draw(QPainter *painter, const QRectF &target) const
{
    if (!m_handler) {
        return false;
    }
    if (painter == nullptr) {
        return m_handler(nullptr, QRectF(QPointF(0, 0), m_size));
    }
    painter->save();
    // Points with y up onto the target rectangle with y down.
    painter->translate(target.left(), target.bottom());
    painter->scale(target.width() / m_size.width(), -target.height() / m_size.height());
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    const bool drew = m_handler(painter, QRectF(QPointF(0, 0), m_size));
    painter->restore();
    return drew;
}

QImage IconImage::toImage(int pixelSize) const
{
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(&painter, QRectF(0, 0, pixelSize, pixelSize));
    return image;
}

} // namespace lumvex
