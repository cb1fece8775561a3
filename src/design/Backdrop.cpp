#include "design/Backdrop.h"

#include "design/Theme.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace nivora {

Backdrop::Backdrop(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

QList<QPointF> Backdrop::dotCenters(const QSizeF& size)
{
    QList<QPointF> dots;
    for (double y = spacing; y < size.height(); y += spacing)
        for (double x = spacing; x < size.width(); x += spacing)
            dots.append(QPointF(x, y));
    return dots;
}

void Backdrop::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Theme::paper());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    QColor dot = Theme::inkFaint();
    dot.setAlphaF(0.22f);
    painter.setBrush(dot);
    // Only the dots of the area being repainted: children repaint small parts.
    const double r = dotDiameter / 2;
    const double firstY = std::max(spacing, std::floor((dirty.top() - r) / spacing) * spacing);
    const double firstX = std::max(spacing, std::floor((dirty.left() - r) / spacing) * spacing);
    for (double y = firstY; y < height() && y - r <= dirty.bottom() + 1; y += spacing)
        for (double x = firstX; x < width() && x - r <= dirty.right() + 1; x += spacing)
            painter.drawEllipse(QPointF(x, y), r, r);
}

} // namespace nivora
