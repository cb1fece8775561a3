#include "design/SketchUnderline.h"

#include "design/SeededRNG.h"

namespace nivora {

QPainterPath SketchUnderline::path(const QRectF& rect) const
{
    SeededRNG rng(seed);
    const double y0 = rect.center().y();
    const double x0 = rect.left();
    const double w = rect.width();
    constexpr int waves = 7;

    QPainterPath path;
    path.moveTo(x0, y0 + 1.5 * (2.0 * rng.unit() - 1.0));
    for (int i = 1; i <= waves; ++i) {
        const double xi = x0 + w * i / waves;
        const double d1 = 2.0 * rng.unit() - 1.0;
        const double d2 = 2.0 * rng.unit() - 1.0;
        path.quadTo(QPointF(xi - (w / waves) / 2.0, y0 + 3.0 * d2), QPointF(xi, y0 + 2.0 * d1));
    }
    return path;
}

} // namespace nivora
