#include "design/RoughRectangle.h"

#include "design/SeededRNG.h"

#include <algorithm>
#include <array>

namespace nivora {

namespace {

// Insets every side by `inset`. An inset larger than half the size meets in the
// middle instead: an inverted rectangle would draw a crossed, inside-out outline.
QRectF insetClamped(const QRectF& rect, double inset)
{
    QRectF r = rect.normalized();
    const double dx = std::min(inset, r.width() / 2.0);
    const double dy = std::min(inset, r.height() / 2.0);
    return r.adjusted(dx, dy, -dx, -dy);
}

} // namespace

QPainterPath RoughRectangle::path(const QRectF& rect) const
{
    SeededRNG rng(seed);
    const double r = roughness;
    const QRectF box = insetClamped(rect, r + 1.5);

    // Corner order and the x-before-y draw order fix the outline for a given seed.
    const std::array<QPointF, 4> plain{box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    std::array<QPointF, 4> corner;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const double dx = rng.sym(r);
        const double dy = rng.sym(r);
        corner[i] = plain[i] + QPointF(dx, dy);
    }

    QPainterPath path;
    path.moveTo(corner[0]);
    for (std::size_t i = 0; i < corner.size(); ++i) {
        const QPointF& from = corner[i];
        const QPointF& to = corner[(i + 1) % corner.size()];
        const double cx = rng.sym(1.6 * r);
        const double cy = rng.sym(1.6 * r);
        const QPointF middle((from.x() + to.x()) / 2.0, (from.y() + to.y()) / 2.0);
        path.quadTo(middle + QPointF(cx, cy), to);
    }
    path.closeSubpath();
    return path;
}

} // namespace nivora
