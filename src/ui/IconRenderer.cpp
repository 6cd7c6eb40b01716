// SPDX-License-Identifier: MIT
#include "IconRenderer.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace lumvex::IconRenderer {

namespace {

constexpr double kFullLevel = 0.999;
constexpr double kMinimumWedge = 30.0;
constexpr double kMutedLevel = 0.005;
constexpr double kSymbolPointSize = 15.0;

double radius(const QRectF &rect)
{
    return std::min(rect.width(), rect.height()) / 2.0 - 1.0;
}

void fillFullDisc(QPainter &painter, const QRectF &rect)
{
    QPainterPath disc;
    disc.addEllipse(rect.adjusted(1.0, 1.0, -1.0, -1.0));
    painter.fillPath(disc, Qt::black);
}

void drawDisc(QPainter &painter, double level, IconStyle style, const QRectF &rect)
{
    if (style == IconStyle::curtain) {
        drawCurtain(painter, level, rect);
    } else {
        drawPie(painter, level, rect);
    }
}

void addRoundedRect(QPainterPath &path, double left, double bottom, double width, double height, double radius)
{
    if (radius > 0.0) {
        path.addRoundedRect(QRectF(left, bottom, width, height), radius, radius);
    } else {
        path.addRect(QRectF(left, bottom, width, height));
    }
}

// Draws the symbol into the square of its sized variant, scaled to fit rect less a point on each side,
// centred. The painter's y-up mapping is undone for the pixmap so that the symbol stays upright.
void drawSymbol(QPainter &painter, const QIcon &symbol, const QRectF &rect)
{
    const double s = std::min((rect.width() - 2.0) / kSymbolPointSize, (rect.height() - 2.0) / kSymbolPointSize);
    const double side = kSymbolPointSize * s;
    const QRectF inPoints(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    const QRectF onDevice = painter.transform().mapRect(inPoints);
    const QSize pixels(std::max(1, qRound(onDevice.width())), std::max(1, qRound(onDevice.height())));
    const QPixmap pixmap = symbol.pixmap(pixels);
    painter.save();
    painter.resetTransform();
    painter.drawPixmap(onDevice, pixmap, QRectF(pixmap.rect()));
    painter.restore();
}

} // namespace

QPainterPath wedge(const QRectF &rect, double startDegrees, double sweepDegrees)
{
    const double r = radius(rect);
    const QPointF c = rect.center();
    QPainterPath path;
    path.moveTo(c);
    // QPainterPath measures angles for y-down coordinates; ours grow upwards, so both angles flip sign.
    path.arcTo(QRectF(c.x() - r, c.y() - r, 2.0 * r, 2.0 * r), -startDegrees, -sweepDegrees);
    path.closeSubpath();
    return path;
}

void drawPie(QPainter &painter, double level, const QRectF &rect)
{
    if (level >= kFullLevel) {
        fillFullDisc(painter, rect);
        return;
    }
    const double sweep = std::max(360.0 - (1.0 - level) * 360.0, kMinimumWedge);
    painter.fillPath(wedge(rect, 90.0, sweep), Qt::black);
}

void drawCurtain(QPainter &painter, double level, const QRectF &rect)
{
    if (level >= kFullLevel) {
        fillFullDisc(painter, rect);
        return;
    }
    const double a = std::max(level * 360.0, kMinimumWedge);
    const double half = (360.0 - a) / 2.0;
    // From 90 + half round through 180, 270 and 360 to 90 - half: a degrees.
    painter.fillPath(wedge(rect, 90.0 + half, a), Qt::black);
}

void drawSolidGlyph(QPainter &painter, const QPainterPath &path)
{
    QPen outline(Qt::black, 1.5);
    outline.setJoinStyle(Qt::RoundJoin);
    outline.setCapStyle(Qt::FlatCap);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.strokePath(path, outline);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillPath(path, Qt::black);
}

QPainterPath laptopGlyph(const QRectF &rect)
{
    const double W = rect.width();
    const double H = rect.height();
    const QPointF c = rect.center();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const double screenBottom = c.y() - 0.17 * H + 0.06 * H;
    addRoundedRect(path, c.x() - 0.25 * W, screenBottom, 0.50 * W, 0.34 * H, 1.2);
    const double baseHeight = 0.055 * H;
    addRoundedRect(path, c.x() - 0.33 * W, screenBottom - 0.12 * H, 0.66 * W, baseHeight, baseHeight / 2.0);
    return path;
}

QPainterPath monitorGlyph(const QRectF &rect)
{
    const double W = rect.width();
    const double H = rect.height();
    const QPointF c = rect.center();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const double screenBottom = c.y() - 0.21 * H + 0.08 * H;
    addRoundedRect(path, c.x() - 0.28 * W, screenBottom, 0.56 * W, 0.42 * H, 1.2);
    const double standBottom = screenBottom - 0.08 * H;
    addRoundedRect(path, c.x() - 0.05 * W, standBottom, 0.10 * W, 0.08 * H, 0.0);
    const double footHeight = 0.05 * H;
    addRoundedRect(path, c.x() - 0.15 * W, standBottom - 0.6 * footHeight, 0.30 * W, footHeight, footHeight / 2.0);
    return path;
}

QPainterPath speakerGlyph(const QRectF &rect)
{
    const double W = rect.width();
    const double H = rect.height();
    const QPointF c = rect.center();
    const double x0 = c.x() - 0.24 * W;
    const double x1 = x0 + 0.16 * W;
    const double x2 = c.x() + 0.20 * W;
    const double h1 = 0.26 * H / 2.0;
    const double h2 = 0.28 * H;
    QPainterPath path;
    path.moveTo(x0, c.y() + h1);
    path.lineTo(x1, c.y() + h1);
    path.lineTo(x2, c.y() + h2);
    path.lineTo(x2, c.y() - h2);
    path.lineTo(x1, c.y() - h1);
    path.lineTo(x0, c.y() - h1);
    path.closeSubpath();
    return path;
}

IconImage brightnessImage(double level, std::optional<DisplayKind> displayKind, IconStyle style)
{
    return IconImage(size(), [level, displayKind, style](QPainter *painter, const QRectF &rect) {
        if (painter == nullptr) {
            return false;
        }
        drawDisc(*painter, level, style, rect);
        drawSolidGlyph(*painter, displayKind == DisplayKind::external ? monitorGlyph(rect) : laptopGlyph(rect));
        return true;
    });
}

QIcon themeMutedSymbol()
{
    // Icon themes belong to a GUI application; without one the drawn fallback serves.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) {
        return {};
    }
    for (const char *name : {"audio-volume-muted-symbolic", "audio-volume-muted"}) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
        if (!icon.isNull()) {
            return icon;
        }
    }
    return {};
}

IconImage volumeImage(double level, bool muted, IconStyle style)
{
    return volumeImage(level, muted, style, themeMutedSymbol());
}

IconImage volumeImage(double level, bool muted, IconStyle style, const QIcon &mutedSymbol)
{
    const bool effectivelyMuted = muted || level <= kMutedLevel;
    return IconImage(size(), [level, effectivelyMuted, style, mutedSymbol](QPainter *painter, const QRectF &rect) {
        if (painter == nullptr) {
            return false;
        }
        const QPainterPath speaker = speakerGlyph(rect);
        if (effectivelyMuted) {
            if (!mutedSymbol.isNull()) {
                drawSymbol(*painter, mutedSymbol, rect);
                return true;
            }
            painter->fillPath(speaker, Qt::black);
            const double W = rect.width();
            const double H = rect.height();
            const QLineF slash(rect.left() + 0.18 * W, rect.top() + 0.24 * H, rect.left() + 0.82 * W,
                               rect.top() + 0.76 * H);
            painter->setCompositionMode(QPainter::CompositionMode_DestinationOut);
            painter->setPen(QPen(Qt::black, 3.0, Qt::SolidLine, Qt::RoundCap));
            painter->drawLine(slash);
            painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter->setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap));
            painter->drawLine(slash);
            return true;
        }
        drawDisc(*painter, level, style, rect);
        drawSolidGlyph(*painter, speaker);
        return true;
    });
}

} // namespace lumvex::IconRenderer
