#include "design/StatBadge.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/RoughRectangle.h"
#include "design/SketchSeed.h"
#include "design/Theme.h"

#include <QPainter>
#include <cmath>

namespace nivora {

namespace {

constexpr double iconSize = 10;
constexpr double spacing = 5;
constexpr double hPadding = 9;
constexpr double vPadding = 5;

QFont textFont()
{
    return Fonts::font(11, QFont::Bold);
}

} // namespace

StatBadge::StatBadge(const QString& icon, const QString& text, const QColor& color, QWidget* parent)
    : QWidget(parent), m_icon(icon), m_color(color.isValid() ? color : Theme::blue())
{
    DesignAccessibility::install();
    DesignAccessibility::setRole(this, QAccessible::StaticText);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setText(text);
}

void StatBadge::setIcon(const QString& icon)
{
    m_icon = icon;
    updateGeometry();
    update();
}

void StatBadge::setText(const QString& text)
{
    if (text == m_text && !accessibleName().isEmpty())
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void StatBadge::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QSize StatBadge::sizeHint() const
{
    const QFontMetricsF metrics(textFont());
    const double w =
        2 * hPadding + (m_icon.isEmpty() ? 0 : iconSize + spacing) + metrics.horizontalAdvance(m_text);
    const double h = 2 * vPadding + std::max(metrics.height(), iconSize);
    return QSize(static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h)));
}

void StatBadge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const QPainterPath path = RoughRectangle{sketchSeed(m_text)}.path(QRectF(rect()));
    QColor fill = m_color;
    fill.setAlphaF(0.28f);
    painter.fillPath(path, fill);
    QPen pen(Theme::ink(), 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.strokePath(path, pen);

    const QRectF content = QRectF(rect()).adjusted(hPadding, vPadding, -hPadding, -vPadding);
    double x = content.left();
    if (!m_icon.isEmpty()) {
        FaceIcons::paint(painter, m_icon, QRectF(x, content.center().y() - iconSize / 2, iconSize, iconSize),
                         Theme::ink());
        x += iconSize + spacing;
    }
    painter.setFont(textFont());
    painter.setPen(Theme::ink());
    painter.drawText(QRectF(x, content.top(), content.right() - x + 1, content.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

} // namespace nivora
