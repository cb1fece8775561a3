#include "widgets/WidgetPlacement.h"

#include <QJsonArray>
#include <cmath>

namespace nivora::WidgetPlacement {

QString recordKey(const QString& identifier)
{
    return QStringLiteral("widgetpos_") + identifier;
}

QString configuration(WidgetShape shape, WidgetSize size)
{
    return WidgetShapes::id(shape) + QLatin1Char('|') + WidgetSizes::id(size);
}

QSize windowSize(WidgetKind kind, WidgetShape shape, WidgetSize size)
{
    const QSizeF s = widgetWindowSize(kind, shape, size);
    return QSize(qRound(s.width()), qRound(s.height()));
}

std::optional<QPointF> parseRecord(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray array = value.toArray();
    if (array.size() != 2 || !array.at(0).isDouble() || !array.at(1).isDouble())
        return std::nullopt;
    const double x = array.at(0).toDouble();
    const double y = array.at(1).toDouble();
    // JSON cannot hold them, but a record is also refused when it could not be
    // turned into a window position.
    if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > 1e7 || std::abs(y) > 1e7)
        return std::nullopt;
    return QPointF(x, y);
}

QJsonValue makeRecord(const QPointF& origin)
{
    return QJsonArray{origin.x(), origin.y()};
}

QPointF recordOrigin(const QPoint& topLeft, int height, const Screens& screens)
{
    if (!screens.primaryGeometry)
        return QPointF(topLeft);
    const QRect& primary = *screens.primaryGeometry;
    // Qt's bottom edge of a rect is one pixel short of y + height.
    const double primaryBottom = primary.y() + primary.height();
    return QPointF(topLeft.x() - primary.x(), primaryBottom - (topLeft.y() + height));
}

QPoint topLeft(const QPointF& origin, int height, const Screens& screens)
{
    if (!screens.primaryGeometry)
        return QPoint(qRound(origin.x()), qRound(origin.y()));
    const QRect& primary = *screens.primaryGeometry;
    const double primaryBottom = primary.y() + primary.height();
    return QPoint(qRound(origin.x() + primary.x()), qRound(primaryBottom - origin.y() - height));
}

QPointF defaultOrigin(WidgetKind kind, const QSize& size, const Screens& screens)
{
    if (!screens.primaryGeometry)
        return QPointF(120, 120);
    const QRect available = screens.primaryAvailable.value_or(*screens.primaryGeometry);
    const QPoint topLeftCorner(available.x() + available.width() - size.width() - 30,
                               available.y() + 30 + 40 * WidgetKinds::position(kind));
    return recordOrigin(topLeftCorner, size.height(), screens);
}

bool isReachable(const QRect& window, const Screens& screens)
{
    if (screens.all.isEmpty())
        return true;
    bool onSomeWorkArea = false;
    for (qsizetype i = 0; i < screens.all.size(); ++i) {
        const QRect& screen = screens.all.at(i);
        const QRect work = i < screens.available.size() ? screens.available.at(i) : screen;
        if (work.intersects(window))
            onSomeWorkArea = true;
        // Any part of the window on this screen but outside its work area is
        // under the top bar or a dock, where it can be neither seen whole nor
        // dragged.
        const QRect onScreen = window & screen;
        if (!onScreen.isEmpty() && !work.contains(onScreen))
            return false;
    }
    return onSomeWorkArea;
}

QPoint placement(WidgetKind kind, const QSize& size, const QJsonValue& record, const Screens& screens)
{
    if (const auto stored = parseRecord(record)) {
        const QPoint corner = topLeft(*stored, size.height(), screens);
        // A window off every screen (its display was unplugged, or the record
        // was edited by hand) could never be seen or dragged back, and one
        // under a panel was put there by something other than the user (a
        // toplevel that could not know its place wrote such records); either
        // is placed as if never moved. The record stays for when the display
        // returns.
        if (isReachable(QRect(corner, size), screens))
            return corner;
    }
    return topLeft(defaultOrigin(kind, size, screens), size.height(), screens);
}

} // namespace nivora::WidgetPlacement
