#include "dashboard/CircleIconButton.h"

#include "assets/FaceIcons.h"
#include "design/Theme.h"

#include <QPainter>

namespace nivora {

CircleIconButton::CircleIconButton(const QString& symbol, int diameter, QWidget* parent)
    : QAbstractButton(parent), m_symbol(symbol), m_diameter(diameter)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

QSize CircleIconButton::sizeHint() const
{
    return QSize(m_diameter, m_diameter);
}

void CircleIconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double sink = isDown() ? 1.0 : 0.0;
    const QRectF circle = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5).translated(0, sink);
    painter.setBrush(isDown() ? Theme::paper3() : Theme::paper());
    painter.setPen(QPen(hasFocus() ? Theme::blue() : Theme::ink(), 2));
    painter.drawEllipse(circle);
    const double glyph = m_diameter * 0.42;
    const QRectF icon(circle.center() - QPointF(glyph / 2, glyph / 2), QSizeF(glyph, glyph));
    FaceIcons::paint(painter, m_symbol, icon, Theme::ink());
}

} // namespace nivora
