#pragma once

#include <QIcon>
#include <QPixmap>

namespace nivora {

// The brand mark (yellow tile, sun and two hills) from the bundled SVG, drawn
// at the usual icon sizes so no SVG icon-engine plugin is needed.
QIcon brandIcon();
QPixmap brandPixmap(int side);

} // namespace nivora
