#include "design/SketchButtonStyle.h"

#include "design/RoughRectangle.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace nivora {

Spring SketchButtonStyle::pressSpring()
{
    return Spring(0.2, 0.6, 0.0);
}

QFont SketchButtonStyle::labelFont(const QFont& base)
{
    QFont font = base;
    font.setPixelSize(labelPixelSize);
    font.setWeight(QFont::Bold);
    return font;
}

QSizeF SketchButtonStyle::sizeForLabel(const QSizeF& labelSize)
{
    return QSizeF(labelSize.width() + 2 * horizontalPadding + shadowRoom,
                  labelSize.height() + 2 * verticalPadding + shadowRoom);
}

QRectF SketchButtonStyle::sheetRect(const QSizeF& buttonSize)
{
    return QRectF(0, 0, std::max(0.0, buttonSize.width() - shadowRoom),
                  std::max(0.0, buttonSize.height() - shadowRoom));
}

QRectF SketchButtonStyle::labelRect(const QRectF& sheet)
{
    return sheet.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
}

QPointF SketchButtonStyle::sinkOffset(double press)
{
    return QPointF(pressedSink * press, pressedSink * press);
}

double SketchButtonStyle::shadowOffset(double press)
{
    return restingShadow + (pressedShadow - restingShadow) * press;
}

void SketchButtonStyle::paintBackground(QPainter& painter, const QRectF& sheet, double press) const
{
    const QRectF sunk = sheet.translated(sinkOffset(press));
    const double d = shadowOffset(press);
    const QPainterPath shadow = RoughRectangle{seed + 31, roughness}.path(sunk).translated(d, d);
    const QPainterPath body = RoughRectangle{seed, roughness}.path(sunk);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(shadow, Theme::ink());
    painter.fillPath(body, fill);
    QPen pen(Theme::ink(), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setMiterLimit(10);
    painter.strokePath(body, pen);
    painter.restore();
}

} // namespace nivora
