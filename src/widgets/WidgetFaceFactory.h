#pragma once

#include "model/WidgetCatalog.h"
#include "widgets/WidgetFaceView.h"

namespace nivora {

class AppState;

// Makes the face of a widget kind. The clock and ambiance faces observe the
// settings store; the timer faces own their models; the others need nothing.
class WidgetFaceFactory
{
public:
    static WidgetFaceView*
    create(WidgetKind kind, AppState& state,
           const WidgetFaceView::Environment& environment = WidgetFaceView::Environment());
};

} // namespace nivora
