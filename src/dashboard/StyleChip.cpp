#include "dashboard/StyleChip.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/Theme.h"

#include <QPainter>

namespace nivora {

StyleChip::StyleChip(const QString& name, const QString& symbol, const QColor& accent, QSize size,
                     QWidget* parent)
    : QAbstractButton(parent), m_name(name), m_symbol(symbol), m_accent(accent), m_size(size)
{
    setCheckable(true);
    DesignAccessibility::setRole(this, QAccessible::RadioButton);
    setText(symbol.isEmpty() ? name.left(1) : QString());
    setToolTip(name);
    setAccessibleName(name);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(size);
}

void StyleChip::nextCheckState()
{
    // The store decides which choice is current.
}

void StyleChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool selected = isChecked();
    const double line = selected ? 2.0 : 1.3;
    const QRectF shape = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    QColor fill = m_accent;
    fill.setAlphaF(0.55f);
    if (selected)
        painter.setBrush(Theme::paper());
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(shape, 7, 7);
    painter.setBrush(selected ? fill : Theme::paper3());
    painter.setPen(QPen(hasFocus() ? Theme::blue() : Theme::ink(), line));
    painter.drawRoundedRect(shape, 7, 7);
    if (!m_symbol.isEmpty()) {
        const double glyph = 12;
        FaceIcons::paint(painter, m_symbol,
                         QRectF(shape.center() - QPointF(glyph / 2, glyph / 2), QSizeF(glyph, glyph)),
                         Theme::ink());
    } else {
        painter.setFont(Fonts::font(12, QFont::Black));
        painter.setPen(Theme::ink());
        painter.drawText(shape, Qt::AlignCenter, text());
    }
}

} // namespace nivora
