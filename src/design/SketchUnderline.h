#pragma once

#include <QPainterPath>
#include <QRectF>

namespace nivora {

// The wavy stroke under headings: seven quadratic waves across the full width of
// the rectangle, around its vertical middle. The path is open; callers stroke it.
struct SketchUnderline
{
    quint64 seed = 3;

    QPainterPath path(const QRectF& rect) const;
};

} // namespace nivora
