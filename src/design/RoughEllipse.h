#pragma once

#include <QPainterPath>
#include <QRectF>

namespace nivora {

// A hand-drawn circle: 27 slightly scaled points joined by straight lines that go
// once round and overshoot the start by 0.9 radians, the way a pen closes a loop.
// The path is open and meant to be stroked.
struct RoughEllipse
{
    quint64 seed = 5;

    QPainterPath path(const QRectF& rect) const;
};

} // namespace nivora
