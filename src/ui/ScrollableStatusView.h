#pragma once

#include "IconImage.h"

#include <QColor>
#include <QImage>

#include <functional>
#include <string>

namespace lumvex {

// What sits in one status item: a level between 0 and 1, an icon drawn from it through the
// render callback and tinted with the label colour, raw input turned into callbacks, and the slider
// text for accessibility. It knows nothing of brightness or volume; the tray item that shows it asks it
// for pixels, hands it the host's input and listens for invalidations.
class ScrollableStatusView
{
public:
    ScrollableStatusView() = default;
    ScrollableStatusView(const ScrollableStatusView &) = delete;
    ScrollableStatusView &operator=(const ScrollableStatusView &) = delete;

    std::function<void(double)> onScroll;
    std::function<void()> onClick;
    std::function<void()> onRightClick;
    std::function<IconImage(double)> render;

    // Called once for every invalidation (a new level, even an equal one, or redraw()); the tray item
    // republishes its icon and tool tip from it.
    std::function<void()> onNeedsDisplay;

    double level() const { return m_level; }
    void setLevel(double level);
    void redraw();

    // The icon at pixelSize x pixelSize: render(level) scaled into the whole square, its opaque pixels
    // recoloured with labelColor (source-atop). Transparent without a render callback.
    QImage draw(int pixelSize, const QColor &labelColor) const;

    // Raw input, as the platform's view receives it.
    void scrollWheel(double deltaY);
    void mouseDown();
    void rightMouseDown();

    // "Brightness" or "Volume", set by the owner.
    std::string accessibilityLabel;
    // round(level x 100) with halves away from zero, then "%": 0.57 reads "57%", 0.125 "13%". A level
    // that is not a finite number reads "—".
    std::string accessibilityValue() const;

    // How often the view was invalidated; for tests.
    int invalidationCount() const { return m_invalidations; }

private:
    void invalidate();

    double m_level = 1.0;
    int m_invalidations = 0;
};

// round(value x 100) as a whole number, halves away from zero, then "%".
std::string percentText(double value);

} // namespace lumvex
