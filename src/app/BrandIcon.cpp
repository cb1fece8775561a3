#include "app/BrandIcon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace nivora {

QPixmap brandPixmap(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/nivora/brand.svg"));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return pixmap;
}

QIcon brandIcon()
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(brandPixmap(side));
    return icon;
}

} // namespace nivora
