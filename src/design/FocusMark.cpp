#include "design/FocusMark.h"

#include "design/RoughRectangle.h"
#include "design/Theme.h"

#include <QPainter>
#include <QPen>

namespace nivora::FocusMark {

namespace {

constexpr double roughness = 1.2;

void strokeMark(QPainter& painter, const QRectF& rect, quint64 seed)
{
    const QPainterPath path = RoughRectangle{seed ^ 0x5F0C5ULL, roughness}.path(rect);
    QPen pen(Theme::blue(), lineWidth, Qt::CustomDashLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setDashPattern({3.0, 2.0});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.strokePath(path, pen);
    painter.restore();
}

} // namespace

void paint(QPainter& painter, const QRectF& shape, quint64 seed)
{
    // The rough path insets by roughness + 1.5; growing by that much first puts
    // the mark margin - 1 pixels outside the shape.
    const double grow = margin - 1 + roughness + 1.5 - lineWidth / 2;
    strokeMark(painter, shape.adjusted(-grow, -grow, grow, grow), seed);
}

void paintInside(QPainter& painter, const QRectF& area, quint64 seed)
{
    // Inside the element's own outline (which the rough path insets by about 3).
    const double inset = 3.5 - roughness - 1.5 + lineWidth;
    strokeMark(painter, area.adjusted(inset, inset, -inset, -inset), seed);
}

} // namespace nivora::FocusMark
