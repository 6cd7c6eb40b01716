// SPDX-License-Identifier: MIT
#pragma once

#include "IconImage.h"

#include <QColor>
#include <QImage>
#include <QObject>

#include <functional>
#include <string>

namespace lumvex {

// What sits in one status item: a level between 0 and 1, an icon drawn from it by the render function
// and tinted with the label colour, raw input turned into signals, and the slider text for
// accessibility. It knows nothing of brightness or volume; the tray item that shows it asks it for
// pixels, hands it the host's input and listens for invalidations.
class ScrollableStatusView : public QObject
{
    Q_OBJECT

public:
    using Render = std::function<IconImage(double level)>;

    explicit ScrollableStatusView(Render render = {}, QObject *parent = nullptr);

    double level() const { return m_level; }
    void setLevel(double level);
    void redraw();

    // The icon at pixelSize x pixelSize: render(level) scaled into the whole square, its opaque pixels
    // recoloured with labelColor (source-atop). Transparent without a render function.
    QImage draw(int pixelSize, const QColor &labelColor) const;

    // Raw input, as the platform's view receives it.
    void scrollWheel(double deltaY);
    void mouseDown();
    // The secondary click: the context click where the panel leaves it to the item, the middle click on
    // status-notifier hosts, which keep the context click for the menu.
    void secondaryActivate();

    // "Brightness" or "Volume", set by the owner.
    std::string accessibilityLabel;
    // round(level x 100) with halves away from zero, then "%": 0.57 reads "57%", 0.125 "13%". A level
    // that is not a finite number reads "—".
    std::string accessibilityValue() const;

    // How often the view was invalidated; for tests.
    int invalidationCount() const { return m_invalidations; }

signals:
    void scrollRequested(double deltaY);
    void clicked();
    void secondaryActivated();
    // Once for every invalidation (a new level, even an equal one, or redraw()); the tray item
    // republishes its icon and tool tip from it.
    void needsDisplay();

private:
    void invalidate();

    Render m_render;
    double m_level = 1.0;
    int m_invalidations = 0;
};

// round(value x 100) as a whole number, halves away from zero, then "%".
std::string percentText(double value);

} // namespace lumvex
