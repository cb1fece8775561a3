#include "icons/BuiltInFolderImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace nivora {

QImage BuiltInFolderImage::render(int pixels)
{
    if (pixels < 1)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100-unit square, like an icon theme's scalable folder.
    painter.scale(pixels / 100.0, pixels / 100.0);
    painter.setPen(Qt::NoPen);

    QPainterPath back;
    back.addRoundedRect(QRectF(8, 20, 84, 64), 5, 5);
    back.addRoundedRect(QRectF(8, 15, 34, 12), 4, 4);
    back.setFillRule(Qt::WindingFill);
    painter.setBrush(QColor(0x4A, 0x7D, 0xB8));
    painter.drawPath(back);

    QLinearGradient front(0, 30, 0, 86);
    front.setColorAt(0, QColor(0x8C, 0xB8, 0xEA));
    front.setColorAt(1, QColor(0x5F, 0x93, 0xD0));
    painter.setBrush(front);
    painter.drawRoundedRect(QRectF(8, 30, 84, 56), 5, 5);

    // A faint light edge along the front's top, as theme folders have.
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawRoundedRect(QRectF(10, 31, 80, 2), 1, 1);
    return image;
}

} // namespace nivora
