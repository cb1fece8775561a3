#pragma once

#include <QRectF>
#include <QtGlobal>

class QPainter;
class QWidget;

namespace nivora {

// The keyboard focus mark of the hand-drawn controls: a second rough outline in
// blue, dashed like a pencil trace, drawn just outside the focused shape. The
// controls keep `margin` pixels free around their shape so the mark fits.
namespace FocusMark {

inline constexpr double margin = 4;

// Whether `widget` should show the mark now: it has the focus and got it from the
// keyboard (a clicked control, or one a window focuses as it opens, shows none).
bool isVisible(const QWidget* widget);
// Starts following how the focus is given; controls call it when they are made.
void install();
inline constexpr double lineWidth = 2;

// Draws the mark around `shape` (grown by margin - 1 so it clears the outline).
void paint(QPainter& painter, const QRectF& shape, quint64 seed);
// Draws the mark just inside `area`, for elements that fill their whole widget.
void paintInside(QPainter& painter, const QRectF& area, quint64 seed);

} // namespace FocusMark
} // namespace nivora
