#pragma once

#include "design/Spring.h"
#include "design/Theme.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace nivora {

// The look of the dashboard's hand-drawn buttons: a crayon-filled rough sheet with
// an ink outline, lying on a hard ink shadow. Pressing sinks the whole button by 3
// pixels while its shadow shrinks from 4 to 1, so the shadow itself stays put and
// the sheet appears pushed onto the paper. The press is a number from 0 (up) to 1
// (down) that a spring drives; it may overshoot a little while the spring swings.
//
// SketchButton paints itself with this style; other widgets that want the same
// look (a segmented control, a custom toggle) can call paintBackground() directly.
struct SketchButtonStyle
{
    QColor fill = Theme::yellow();
    quint64 seed = 11;

    static constexpr int labelPixelSize = 13;
    static constexpr double horizontalPadding = 16;
    static constexpr double verticalPadding = 9;
    static constexpr double restingShadow = 4;
    static constexpr double pressedShadow = 1;
    static constexpr double pressedSink = 3;
    static constexpr double outlineWidth = 2;
    static constexpr double roughness = 1.7;
    // Room kept right of and below the sheet for the shadow and the sinking.
    static constexpr double shadowRoom = restingShadow;

    // Response 0.2 s, damping fraction 0.6, no blending.
    static Spring pressSpring();

    // The label font: `base` (the application's rounded font) at 13 pixels, bold.
    static QFont labelFont(const QFont& base);

    // The whole button's size for a label of `labelSize`: padding plus shadow room.
    static QSizeF sizeForLabel(const QSizeF& labelSize);
    // The resting sheet inside a button of `buttonSize` (top-left at the origin).
    static QRectF sheetRect(const QSizeF& buttonSize);
    // The label area of a sheet.
    static QRectF labelRect(const QRectF& sheet);
    // How far the whole button has sunk at this press amount.
    static QPointF sinkOffset(double press);
    // The shadow's offset from the (sunk) sheet at this press amount.
    static double shadowOffset(double press);

    // Paints shadow, sheet and outline for the resting sheet `sheet` at the given
    // press amount. The sink is applied here; the caller offsets the label alike.
    void paintBackground(QPainter& painter, const QRectF& sheet, double press) const;
};

} // namespace nivora
