#include "design/BrandMark.h"

#include "design/DesignAccessibility.h"
#include "design/Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace nivora {

BrandMark::BrandMark(double size, QWidget* parent) : QWidget(parent), m_size(size)
{
    DesignAccessibility::install();
    DesignAccessibility::setRole(this, QAccessible::Graphic);
    setAccessibleName(QStringLiteral("Nivora"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
}

void BrandMark::setMarkSize(double size)
{
    m_size = size;
    setFixedSize(sizeHint());
    update();
}

QSize BrandMark::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_size));
    return QSize(side, side);
}

void BrandMark::paint(QPainter& painter, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Scaling the painter (not the numbers) keeps every line width in proportion.
    painter.translate(rect.topLeft());
    const double s = rect.width() / 100.0;
    painter.scale(s, s);

    auto inkPen = [](double width) {
        return QPen(Theme::ink(), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    };

    QPainterPath shadow;
    shadow.addRoundedRect(QRectF(14, 14, 74, 74), 22, 22);
    painter.fillPath(shadow, Theme::ink());

    QPainterPath tile;
    tile.addRoundedRect(QRectF(9, 9, 74, 74), 22, 22);
    painter.fillPath(tile, Theme::yellow());

    painter.save();
    painter.setClipPath(tile);

    QPainterPath sun;
    sun.addEllipse(QRectF(49, 23, 22, 22));
    painter.fillPath(sun, QColor(0xFB, 0xF7, 0xEC));
    painter.strokePath(sun, inkPen(3));

    QPainterPath back;
    back.moveTo(9, 70);
    back.quadTo(30, 56, 50, 66);
    back.quadTo(70, 76, 83, 62);
    back.lineTo(83, 83);
    back.lineTo(9, 83);
    back.closeSubpath();
    painter.fillPath(back, Theme::green());
    painter.strokePath(back, inkPen(3));

    QPainterPath front;
    front.moveTo(9, 83);
    front.quadTo(34, 70, 56, 80);
    front.quadTo(78, 90, 83, 76);
    front.lineTo(83, 83);
    front.lineTo(9, 83);
    front.closeSubpath();
    painter.fillPath(front, Theme::coral());
    painter.strokePath(front, inkPen(3));

    // Half of the outline falls inside the clip, as on the tile's own edge.
    painter.strokePath(tile, inkPen(4));
    painter.restore();
    painter.restore();
}

QPixmap BrandMark::pixmap(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter, QRectF(0, 0, side, side));
    return pixmap;
}

void BrandMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(0, 0, m_size, m_size));
}

} // namespace nivora
