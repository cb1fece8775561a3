#pragma once

#include "model/WidgetCatalog.h"

class QWidget;

namespace nivora {

// The frame shape of the widget being drawn, handed down the widget tree the way
// an inherited setting is: the controller sets it on a widget window, and every
// WidgetCard inside reads the nearest value set on it or an ancestor. Nothing
// set anywhere means "card".
class WidgetShapeKey
{
public:
    static constexpr WidgetShape defaultValue = WidgetShape::Card;

    static WidgetShape value(const QWidget* widget);
    // Sets the shape on `widget` and has every widget below it lay out and
    // repaint.
    static void setValue(QWidget* widget, WidgetShape shape);
};

} // namespace nivora
