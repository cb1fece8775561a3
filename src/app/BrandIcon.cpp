#include "app/BrandIcon.h"

#include "design/BrandMark.h"

namespace nivora {

QPixmap brandPixmap(int side)
{
    return BrandMark::pixmap(side);
}

QIcon brandIcon()
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(brandPixmap(side));
    return icon;
}

} // namespace nivora
