#include "app/RoundIconButton.h"

#include "design/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace nivora {

RoundIconButton::RoundIconButton(Chevron chevron, QWidget* parent)
    : QAbstractButton(parent), m_chevron(chevron)
{
    setFixedSize(side, side);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void RoundIconButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double line = 1.8;
    const QRectF disc = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    p.setPen(QPen(Theme::ink(), line));
    p.setBrush(isDown() ? Theme::paper3() : Theme::paper());
    p.drawEllipse(disc);

    // The chevron of an 11-point black-weight glyph: about 4 wide and 8 high,
    // drawn with a heavy round stroke.
    const QPointF c = disc.center();
    const double dx = m_chevron == Chevron::Left ? -2.0 : 2.0;
    QPainterPath chevron;
    chevron.moveTo(c.x() - dx, c.y() - 4.0);
    chevron.lineTo(c.x() + dx, c.y());
    chevron.lineTo(c.x() - dx, c.y() + 4.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Theme::ink(), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevron);
}

} // namespace nivora
