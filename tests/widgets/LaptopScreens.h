#pragma once

#include "widgets/WidgetPlacement.h"

#include <QRect>

namespace nivora::testing {

// A 1440 × 900 primary screen under a 25-pixel top panel: the available area is
// 1440 × 875, like a laptop screen below a menu bar.
inline WidgetPlacement::Screens laptop()
{
    WidgetPlacement::Screens s;
    s.primaryGeometry = QRect(0, 0, 1440, 900);
    s.primaryAvailable = QRect(0, 25, 1440, 875);
    s.all = {*s.primaryGeometry};
    return s;
}

} // namespace nivora::testing
