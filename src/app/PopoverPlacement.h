#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace nivora {

// Where the tray popover goes: next to what was clicked, on the side facing the
// rest of the screen, and always entirely inside that screen's available area
// (the part panels do not reserve). Pure geometry, in global coordinates.
class PopoverPlacement
{
public:
    struct Screen
    {
        QRect geometry;
        QRect available;
    };

    // The gap between the anchor and the popover.
    static constexpr int gap = 4;

    // `anchor` is the tray icon's rectangle, or a 1 × 1 rectangle at the point
    // that was clicked. The screen is the one holding the anchor's centre, else
    // the nearest one. Without screens the popover goes to the origin.
    static QRect place(const QSize& size, const QRect& anchor, const QList<Screen>& screens);

    // The screen `place` uses for `anchor`; -1 without screens.
    static int screenFor(const QRect& anchor, const QList<Screen>& screens);
};

} // namespace nivora
