#include "design/RoughEllipse.h"

#include "design/SeededRNG.h"

#include <cmath>
#include <numbers>

namespace nivora {

QPainterPath RoughEllipse::path(const QRectF& rect) const
{
    SeededRNG rng(seed);
    const QPointF centre = rect.center();
    const double a = rect.width() / 2.0;
    const double b = rect.height() / 2.0;
    constexpr int points = 27;
    constexpr double sweep = 2.0 * std::numbers::pi + 0.9;

    QPainterPath path;
    for (int k = 0; k < points; ++k) {
        const double theta = -0.35 + k * sweep / (points - 1);
        const double scale = 1.0 + 0.05 * (2.0 * rng.unit() - 1.0);
        const QPointF p(centre.x() + a * std::cos(theta) * scale, centre.y() + b * std::sin(theta) * scale);
        if (k == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

} // namespace nivora
