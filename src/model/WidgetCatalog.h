#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <optional>

namespace nivora {

// The twelve desktop widget kinds, in catalog order (the order also places
// widgets by default and lists them on the widgets page).
enum class WidgetKind
{
    Clock,
    Date,
    Ambiance,
    Year,
    Pomodoro,
    Weekend,
    Uptime,
    Week,
    Season,
    NewYear,
    Stopwatch,
    Month
};

enum class WidgetShape
{
    Card,
    Rounded,
    Pill,
    Circle
};

enum class WidgetSize
{
    Small,
    Medium,
    Large
};

namespace WidgetKinds {
const QList<WidgetKind>& all();
QString id(WidgetKind kind);
QString name(WidgetKind kind);
QString icon(WidgetKind kind);
// Base window size in points (the medium size class).
QSizeF baseSize(WidgetKind kind);
// Position in catalog order.
int position(WidgetKind kind);
std::optional<WidgetKind> fromId(const QString& id);
} // namespace WidgetKinds

namespace WidgetShapes {
const QList<WidgetShape>& all();
QString id(WidgetShape shape);
QString name(WidgetShape shape);
QString icon(WidgetShape shape);
// Padding around a face's content inside the frame.
double contentPadding(WidgetShape shape);
// True when the content is centred rather than hugging the leading edge.
bool centersContent(WidgetShape shape);
std::optional<WidgetShape> fromId(const QString& id);
} // namespace WidgetShapes

namespace WidgetSizes {
const QList<WidgetSize>& all();
QString id(WidgetSize size);
QString name(WidgetSize size);
double scale(WidgetSize size);
std::optional<WidgetSize> fromId(const QString& id);
} // namespace WidgetSizes

// Window size of a widget: base size times the size class's scale; a circle is
// made square on the larger side.
QSizeF widgetWindowSize(WidgetKind kind, WidgetShape shape, WidgetSize size);

} // namespace nivora
