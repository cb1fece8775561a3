#pragma once

#include <QPainterPath>
#include <QRectF>

namespace nivora {

// A hand-drawn rectangle: four displaced corners joined by slightly bowed sides.
// The outline is a pure function of the seed, the roughness and the rectangle, so
// a card looks the same on every repaint; elements use different seeds so their
// outlines differ.
struct RoughRectangle
{
    quint64 seed = 7;
    // How far, in pixels, corners may move; the sides bow up to 1.6 times as far.
    double roughness = 1.7;

    // The closed outline for `rect`. It is inset by roughness + 1.5 on every side so
    // the wobble stays inside the rectangle. A rectangle too small for that inset
    // collapses to its centre instead of turning inside out.
    QPainterPath path(const QRectF& rect) const;
};

} // namespace nivora
