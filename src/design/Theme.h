#pragma once

#include <QColor>
#include <QList>

namespace nivora {

// The paper, ink and crayon colours of every surface that is not the wallpaper,
// and the three corner radii. Plain constants: cheap to call from paint code.
namespace Theme {

QColor paper();
QColor paper2();
QColor paper3();
QColor ink();
QColor inkSoft();
QColor inkFaint();
QColor coral();
QColor yellow();
QColor blue();
QColor green();
QColor purple();
QColor pink();

// The six accents in their fixed order; items that need one accent each index it
// modulo its length.
const QList<QColor>& crayons();

inline constexpr double rCard = 16;
inline constexpr double rControl = 12;
inline constexpr double rSmall = 9;

} // namespace Theme
} // namespace nivora
