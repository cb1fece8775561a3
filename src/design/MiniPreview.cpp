#include "design/MiniPreview.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace nivora {

MiniPreview::MiniPreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void MiniPreview::setColors(const QList<QColor>& colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    update();
}

void MiniPreview::setSeed(qint64 seed)
{
    if (seed == m_seed)
        return;
    m_seed = seed;
    update();
}

void MiniPreview::setCornerRadius(double radius)
{
    m_radius = radius;
    update();
}

void MiniPreview::setOutline(const QColor& color, double width)
{
    m_outline = color;
    m_outlineWidth = width;
    update();
}

QList<QColor> MiniPreview::gradientColors(const QList<QColor>& colors, qint64 seed)
{
    QList<QColor> rotated;
    const qint64 n = colors.size();
    if (n > 0) {
        const qint64 k = ((seed % n) + n) % n;
        for (qint64 i = 0; i < n && rotated.size() < 4; ++i)
            rotated.append(colors.at((k + i) % n));
    }
    if (rotated.isEmpty())
        rotated.append(QColor(Qt::gray));
    return rotated;
}

QPointF MiniPreview::gradientStart(qint64 seed)
{
    // C++'s % keeps the sign of the dividend, so negative seeds start further left.
    return QPointF(static_cast<double>(seed % 3) * 0.12 + 0.05, 0.0);
}

void MiniPreview::paint(QPainter& painter, const QRectF& rect, const QList<QColor>& colors, qint64 seed)
{
    const QList<QColor> stops = gradientColors(colors, seed);
    const QPointF start = gradientStart(seed);
    QLinearGradient gradient(rect.left() + start.x() * rect.width(), rect.top() + start.y() * rect.height(),
                             rect.left() + 0.95 * rect.width(), rect.bottom());
    if (stops.size() == 1) {
        gradient.setColorAt(0, stops.first());
        gradient.setColorAt(1, stops.first());
    } else {
        for (int i = 0; i < stops.size(); ++i)
            gradient.setColorAt(static_cast<double>(i) / (stops.size() - 1), stops.at(i));
    }
    painter.fillRect(rect, gradient);

    QRadialGradient glow(rect.topLeft(), 110);
    glow.setColorAt(0, QColor(255, 255, 255, 56));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SoftLight);
    painter.fillRect(rect, glow);
    painter.restore();
}

void MiniPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF area = QRectF(rect()).adjusted(m_outlineWidth / 2, m_outlineWidth / 2, -m_outlineWidth / 2,
                                                -m_outlineWidth / 2);
    QPainterPath shape;
    shape.addRoundedRect(area, m_radius, m_radius);
    if (m_radius > 0)
        painter.setClipPath(shape);
    paint(painter, QRectF(rect()), m_colors, m_seed);
    painter.setClipping(false);
    if (m_outline.isValid() && m_outlineWidth > 0) {
        painter.setPen(QPen(m_outline, m_outlineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(shape);
    }
}

} // namespace nivora
