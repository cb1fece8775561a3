#pragma once

#include <QtGlobal>

namespace nivora {

// The 27 folder pattern drawings. The order is the ordinal PatternDraw switches on.
enum class PatternKind : quint8
{
    dots,
    checker,
    harlequin,
    triangles,
    stars,
    scales,
    grid,
    bubbles,
    mosaic,
    waves,
    confetti,
    hearts,
    stripes,
    gingham,
    chevron,
    terrazzo,
    petals,
    houndstooth,
    crosshatch,
    zigzag,
    diamonds,
    hexagons,
    plus,
    rings,
    pinstripe,
    leaves,
    sprinkles,
};

inline constexpr int patternKindCount = static_cast<int>(PatternKind::sprinkles) + 1;

} // namespace nivora
