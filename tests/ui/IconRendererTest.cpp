// SPDX-License-Identifier: MIT
// Icons are checked by the regions they cover, not by golden pixels: each check samples the alpha mask
// at points given in icon points (y up, as the renderer draws) at a generous scale.
#include "ui/IconRenderer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace lumvex;

namespace {

constexpr int kScale = 20; // pixels per point
constexpr int kPixels = 18 * kScale;

QImage disc(void (*draw)(QPainter &, double, const QRectF &), double level)
{
    const IconImage image(IconRenderer::size(), [draw, level](QPainter *painter, const QRectF &rect) {
        draw(*painter, level, rect);
        return true;
    });
    return image.toImage(kPixels);
}

// Alpha (0...255) at a point of the icon, y up.
int alphaAt(const QImage &image, double x, double y)
{
    const double scale = image.width() / IconRenderer::kSize;
    const int px = static_cast<int>(std::floor(x * scale));
    const int py = static_cast<int>(std::floor((IconRenderer::kSize - y) * scale));
    return qAlpha(image.pixel(std::clamp(px, 0, image.width() - 1), std::clamp(py, 0, image.height() - 1)));
}

// A polar position round the icon's centre, degrees counter-clockwise from +x.
QPointF polar(double degrees, double radius)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return {9.0 + radius * std::cos(a), 9.0 + radius * std::sin(a)};
}

int alphaAtAngle(const QImage &image, double degrees, double radius)
{
    const QPointF at = polar(degrees, radius);
    return alphaAt(image, at.x(), at.y());
}

constexpr auto opaque = [](int alpha) { return alpha >= 250; };
constexpr auto clear = [](int alpha) { return alpha <= 5; };

// Whether every sampled angle in [from, to] (degrees, stepping) at radii 2...7 is opaque (or clear).
::testing::AssertionResult coversAngles(const QImage &image, double from, double to, bool covered)
{
    for (double angle = from; angle <= to + 1e-9; angle += 2.0) {
        for (double radius : {2.0, 4.5, 7.0}) {
            const int alpha = alphaAtAngle(image, angle, radius);
            if (covered ? !opaque(alpha) : !clear(alpha)) {
                return ::testing::AssertionFailure() << "alpha " << alpha << " at " << angle << " deg, r " << radius;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(IconRenderer, LevelsCoverTheirAnglesInBothStyles)
{
    // Angles in degrees counter-clockwise from 3 o'clock: the pie grows from 12 o'clock to the left, the
    // curtain rises from 6 o'clock; below 0 a 30 degree wedge stays, from 0.999 up the disc is full.
    const auto pie = &IconRenderer::drawPie;
    const auto curtain = &IconRenderer::drawCurtain;
    struct Case
    {
        decltype(pie) draw;
        double level;
        double coveredFrom, coveredTo, clearFrom, clearTo;
    };
    for (const Case &c : std::vector<Case>{{pie, 0.5, 94, 266, 274, 446},
                                           {pie, 0.75, 94, 356, 4, 86},
                                           {pie, -0.4, 94, 116, 124, 446},
                                           {pie, 0.999, 0, 358, 0, -1},
                                           {curtain, 0.5, 184, 356, 4, 176},
                                           {curtain, -0.4, 258, 282, 290, 610},
                                           {curtain, 0.999, 0, 358, 0, -1},
                                           {curtain, 1.5, 0, 358, 0, -1}}) {
        SCOPED_TRACE(::testing::Message() << (c.draw == pie ? "pie " : "curtain ") << c.level);
        const QImage image = disc(c.draw, c.level);
        EXPECT_TRUE(coversAngles(image, c.coveredFrom, c.coveredTo, true));
        EXPECT_TRUE(coversAngles(image, c.clearFrom, c.clearTo, false));
        // Inset by a point: radius 8, the corners clear.
        if (c.level >= 0.999) {
            EXPECT_TRUE(opaque(alphaAtAngle(image, 45, 7.7)));
        }
        EXPECT_TRUE(clear(alphaAtAngle(image, 45, 8.3)));
        EXPECT_TRUE(clear(alphaAt(image, 0.5, 0.5)));
    }
}

TEST(IconRenderer, GlyphsAndSymbolsCoverTheirPlaces)
{
    const auto image = [](const IconImage &icon) { return icon.toImage(kPixels); };
    const QImage laptop = image(IconRenderer::brightnessImage(1.0, DisplayKind::builtIn, IconStyle::pie));
    const QImage monitor = image(IconRenderer::brightnessImage(1.0, DisplayKind::external, IconStyle::pie));
    const QImage dark = image(IconRenderer::brightnessImage(0.0, DisplayKind::builtIn, IconStyle::pie));
    const QImage speaker = image(IconRenderer::volumeImage(0.5, false, IconStyle::pie, QIcon()));
    QPixmap square(64, 64);
    square.fill(Qt::black);
    // A muted symbol of the theme replaces everything, scaled to (18 - 2) / 15 x 15 = 16 points, centred.
    const QImage symbol = image(IconRenderer::volumeImage(0.0, true, IconStyle::curtain, QIcon(square)));
    const struct
    {
        const char *what;
        const QImage &image;
        QPointF at;
        bool covered;
    } probes[] = {
        // The glyph is solid and knocked out of the disc with a transparent band of about 0.75 points.
        {"laptop screen", laptop, {9.0, 10.0}, true},
        {"between screen and base", laptop, {9.0, 6.43}, false},
        {"laptop screen's top", laptop, {9.0, 13.6}, false},
        {"monitor screen reaches higher", monitor, {9.0, 13.8}, true},
        // At level 0 most of the disc is empty; the glyph is drawn all the same.
        {"glyph over the gap", dark, {12.0, 10.0}, true},
        {"the gap", dark, polar(30, 7.5), false},
        {"speaker box", speaker, {5.5, 9.0}, true},
        {"volume disc's right half", speaker, polar(340, 7.0), false},
        {"symbol's lower left", symbol, {1.3, 1.3}, true},
    };
    for (const auto &probe : probes) {
        const int alpha = alphaAt(probe.image, probe.at.x(), probe.at.y());
        EXPECT_TRUE(probe.covered ? opaque(alpha) : clear(alpha)) << probe.what << ": alpha " << alpha;
    }
    // Without a theme symbol, muted is a slashed speaker without disc; below 0.006 the volume counts as muted.
    for (IconStyle style : iconStyle::allCases) {
        const QImage image = IconRenderer::volumeImage(0.8, true, style, QIcon()).toImage(kPixels);
        EXPECT_TRUE(opaque(alphaAt(image, 5.5, 9.0)) && opaque(alphaAt(image, 3.5, 4.6)));         // speaker and slash
        EXPECT_TRUE(clear(alphaAtAngle(image, 100, 7.3)) && clear(alphaAtAngle(image, 270, 7.3))); // no disc
        EXPECT_EQ(IconRenderer::volumeImage(0.005, false, style, QIcon()).toImage(kPixels), image);
    }
}
