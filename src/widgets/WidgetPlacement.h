#pragma once

#include "model/WidgetCatalog.h"

#include <QJsonValue>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace nivora {

// Where widget windows go. A stored position is, by the settings' format, the
// window's bottom-left corner, y upwards from the bottom of the primary screen
// ("record coordinates"). Windows are placed by their top-left corner in Qt's
// virtual-desktop coordinates, y downwards; the conversion happens only here.
namespace WidgetPlacement {

struct Screens
{
    // Geometry and available area (without panels) of the primary screen, in Qt
    // coordinates; absent when there is no screen at all.
    std::optional<QRect> primaryGeometry;
    std::optional<QRect> primaryAvailable;
    // Geometry of every screen, the primary included.
    QList<QRect> all;
    // The work area of each screen of `all`, in the same order: the screen
    // without the desktop's panels and bars. Missing entries stand for the
    // whole screen.
    QList<QRect> available;
};

// "widgetpos_" + identifier.
QString recordKey(const QString& identifier);
// "shape|size".
QString configuration(WidgetShape shape, WidgetSize size);
// The window size in whole logical pixels.
QSize windowSize(WidgetKind kind, WidgetShape shape, WidgetSize size);

// The stored origin when the value is an array of exactly two numbers.
std::optional<QPointF> parseRecord(const QJsonValue& value);
QJsonValue makeRecord(const QPointF& origin);

// Conversions between a window's top-left corner (Qt) and its bottom-left
// corner in record coordinates, for a window of height `height`. Without a
// primary screen the two are the same point.
QPointF recordOrigin(const QPoint& topLeft, int height, const Screens& screens);
QPoint topLeft(const QPointF& recordOrigin, int height, const Screens& screens);

// The default origin in record coordinates: 30 from the right of the primary
// screen's available area, 30 + 40 × catalog position from its top; (120, 120)
// without a screen.
QPointF defaultOrigin(WidgetKind kind, const QSize& size, const Screens& screens);

// Whether a window at `window` is somewhere the user can see and reach it: at
// least partly on some screen's work area and under none of the panels.
bool isReachable(const QRect& window, const Screens& screens);

// The top-left corner a new window of `size` gets: the stored record when there
// is a valid one and the window there is reachable, otherwise the default.
QPoint placement(WidgetKind kind, const QSize& size, const QJsonValue& record, const Screens& screens);

} // namespace WidgetPlacement
} // namespace nivora
