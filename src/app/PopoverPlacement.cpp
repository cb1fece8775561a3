#include "app/PopoverPlacement.h"

#include <algorithm>
#include <limits>

namespace nivora {

namespace {

qint64 distanceSquared(const QPoint& p, const QRect& r)
{
    const qint64 dx = p.x() < r.left() ? r.left() - p.x() : (p.x() > r.right() ? p.x() - r.right() : 0);
    const qint64 dy = p.y() < r.top() ? r.top() - p.y() : (p.y() > r.bottom() ? p.y() - r.bottom() : 0);
    return dx * dx + dy * dy;
}

// Keeps [start, start + length) inside [low, high]; a span longer than the
// range starts at `low`.
int clampSpan(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length + 1));
}

} // namespace

int PopoverPlacement::screenFor(const QRect& anchor, const QList<Screen>& screens)
{
    const QPoint centre = anchor.center();
    int best = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int i = 0; i < screens.size(); ++i) {
        const qint64 d = distanceSquared(centre, screens.at(i).geometry);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

QRect PopoverPlacement::place(const QSize& size, const QRect& anchor, const QList<Screen>& screens)
{
    const int index = screenFor(anchor, screens);
    if (index < 0)
        return QRect(QPoint(0, 0), size);
    const Screen& screen = screens.at(index);
    const QRect area = screen.available.isValid() ? screen.available : screen.geometry;
    const QPoint c = anchor.center();

    enum class Side
    {
        Below,
        Above,
        Right,
        Left
    } side;
    // An icon on a panel lies outside the available area; the popover opens
    // towards the free space. An icon inside it (a panel that reserves no
    // space, or a click point) opens towards the larger half.
    if (c.y() < area.top())
        side = Side::Below;
    else if (c.y() > area.bottom())
        side = Side::Above;
    else if (c.x() < area.left())
        side = Side::Right;
    else if (c.x() > area.right())
        side = Side::Left;
    else
        side = c.y() < area.center().y() ? Side::Below : Side::Above;

    int x = 0;
    int y = 0;
    switch (side) {
    case Side::Below:
        x = c.x() - size.width() / 2;
        y = anchor.bottom() + 1 + gap;
        break;
    case Side::Above:
        x = c.x() - size.width() / 2;
        y = anchor.top() - gap - size.height();
        break;
    case Side::Right:
        x = anchor.right() + 1 + gap;
        y = c.y() - size.height() / 2;
        break;
    case Side::Left:
        x = anchor.left() - gap - size.width();
        y = c.y() - size.height() / 2;
        break;
    }
    x = clampSpan(x, size.width(), area.left(), area.right());
    y = clampSpan(y, size.height(), area.top(), area.bottom());
    return QRect(QPoint(x, y), size);
}

} // namespace nivora
