#include "app/RoundIconButton.h"

#include "assets/FaceIcons.h"
#include "design/Theme.h"

#include <QPainter>

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

    // An 11-point black-weight chevron.
    const QSizeF glyph(12, 12);
    FaceIcons::paint(
        p, m_chevron == Chevron::Left ? QStringLiteral("chevron.left") : QStringLiteral("chevron.right"),
        QRectF(disc.center() - QPointF(glyph.width() / 2, glyph.height() / 2), glyph), Theme::ink());
}

} // namespace nivora
