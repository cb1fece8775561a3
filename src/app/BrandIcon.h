#pragma once

#include <QIcon>
#include <QPixmap>

namespace nivora {

// The brand mark (yellow tile, sun and two hills) drawn by BrandMark at the
// usual icon sizes, so the tray, the app icon and the dashboard share one drawing.
QIcon brandIcon();
QPixmap brandPixmap(int side);

} // namespace nivora
