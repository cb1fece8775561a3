#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace nivora {

class FolderPattern;

// Paints folder patterns. Every kind is a procedural tiling: a lattice of positions
// derived from the canvas width (a few kinds also use the height), a small shape at
// each position and a colour rule. Randomised kinds draw from a SeededRNG with a
// fixed seed per kind, so a pattern looks the same on every render and, at another
// size, the same arrangement scaled. Line widths are in canvas units and look as
// designed on a 512 × 512 canvas; smaller previews scale the painter instead.
namespace PatternDraw {

// Paints the whole pattern over (0, 0, size.width, size.height): the ground colour,
// then the kind's shapes in their fixed order, antialiased, filled with the
// non-zero rule. The painter's state (transform, pen, brush, hints) is left as
// found. A pattern without colours paints nothing; an empty canvas gets only the
// ground, since nothing else could be seen in it.
void render(const FolderPattern& pattern, QPainter& painter, const QSizeF& size);

// A five-pointed star: ten vertices from the top point clockwise, alternating
// between `radius` and 0.45 · `radius` from the centre.
QPainterPath star(const QPointF& center, double radius);
// A heart of size `size` at `center`: two circles and a triangle filled together.
QPainterPath heart(const QPointF& center, double size);
// A hexagon with horizontal top and bottom edges, starting at the rightmost vertex.
QPainterPath hexagon(const QPointF& center, double radius);

} // namespace PatternDraw
} // namespace nivora
