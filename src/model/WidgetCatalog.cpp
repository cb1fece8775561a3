#include "model/WidgetCatalog.h"

#include <QCoreApplication>
#include <algorithm>

namespace nivora {

namespace {

struct KindRow
{
    WidgetKind kind;
    const char* id;
    const char* name;
    const char* icon;
    double width;
    double height;
};

const KindRow kKinds[] = {
    {WidgetKind::Clock, "clock", QT_TRANSLATE_NOOP("WidgetCatalog", "Horloge"), "clock.fill", 250, 150},
    {WidgetKind::Date, "date", QT_TRANSLATE_NOOP("WidgetCatalog", "Date"), "calendar", 180, 175},
    {WidgetKind::Ambiance, "ambiance", QT_TRANSLATE_NOOP("WidgetCatalog", "Ambiance"), "paintpalette.fill",
     240, 150},
    {WidgetKind::Year, "year", QT_TRANSLATE_NOOP("WidgetCatalog", "Année"), "hourglass", 230, 160},
    {WidgetKind::Pomodoro, "pomodoro", QT_TRANSLATE_NOOP("WidgetCatalog", "Focus"), "timer", 210, 175},
    {WidgetKind::Weekend, "weekend", QT_TRANSLATE_NOOP("WidgetCatalog", "Week-end"), "calendar.badge.clock",
     210, 150},
    {WidgetKind::Uptime, "uptime", QT_TRANSLATE_NOOP("WidgetCatalog", "Allumage"), "bolt.fill", 240, 120},
    {WidgetKind::Week, "week", QT_TRANSLATE_NOOP("WidgetCatalog", "Semaine"), "calendar.day.timeline.left",
     200, 130},
    {WidgetKind::Season, "season", QT_TRANSLATE_NOOP("WidgetCatalog", "Saison"), "leaf.fill", 200, 150},
    {WidgetKind::NewYear, "newyear", QT_TRANSLATE_NOOP("WidgetCatalog", "Nouvel an"), "sparkles", 220, 140},
    {WidgetKind::Stopwatch, "stopwatch", QT_TRANSLATE_NOOP("WidgetCatalog", "Chrono"), "stopwatch.fill", 210,
     175},
    {WidgetKind::Month, "month", QT_TRANSLATE_NOOP("WidgetCatalog", "Mois"), "calendar.circle.fill", 230,
     160},
};

struct ShapeRow
{
    WidgetShape shape;
    const char* id;
    const char* name;
    const char* icon;
    double padding;
    bool centred;
};

const ShapeRow kShapes[] = {
    {WidgetShape::Card, "card", QT_TRANSLATE_NOOP("WidgetCatalog", "Carte"), "rectangle", 18, false},
    {WidgetShape::Rounded, "rounded", QT_TRANSLATE_NOOP("WidgetCatalog", "Arrondi"), "app", 18, false},
    {WidgetShape::Pill, "pill", QT_TRANSLATE_NOOP("WidgetCatalog", "Pilule"), "capsule", 18, true},
    {WidgetShape::Circle, "circle", QT_TRANSLATE_NOOP("WidgetCatalog", "Cercle"), "circle", 24, true},
};

struct SizeRow
{
    WidgetSize size;
    const char* id;
    const char* name;
    double scale;
};

const SizeRow kSizes[] = {
    {WidgetSize::Small, "small", QT_TRANSLATE_NOOP("WidgetCatalog", "Petit"), 0.82},
    {WidgetSize::Medium, "medium", QT_TRANSLATE_NOOP("WidgetCatalog", "Moyen"), 1.0},
    {WidgetSize::Large, "large", QT_TRANSLATE_NOOP("WidgetCatalog", "Grand"), 1.28},
};

const KindRow& row(WidgetKind kind)
{
    return kKinds[static_cast<int>(kind)];
}
const ShapeRow& row(WidgetShape shape)
{
    return kShapes[static_cast<int>(shape)];
}
const SizeRow& row(WidgetSize size)
{
    return kSizes[static_cast<int>(size)];
}

} // namespace

namespace WidgetKinds {

const QList<WidgetKind>& all()
{
    static const QList<WidgetKind> list = [] {
        QList<WidgetKind> l;
        for (const auto& r : kKinds)
            l.append(r.kind);
        return l;
    }();
    return list;
}

QString id(WidgetKind kind)
{
    return QString::fromUtf8(row(kind).id);
}
QString name(WidgetKind kind)
{
    return QCoreApplication::translate("WidgetCatalog", row(kind).name);
}
QString icon(WidgetKind kind)
{
    return QString::fromUtf8(row(kind).icon);
}
QSizeF baseSize(WidgetKind kind)
{
    return QSizeF(row(kind).width, row(kind).height);
}
int position(WidgetKind kind)
{
    return static_cast<int>(kind);
}

std::optional<WidgetKind> fromId(const QString& id)
{
    for (const auto& r : kKinds) {
        if (id == QLatin1String(r.id))
            return r.kind;
    }
    return std::nullopt;
}

} // namespace WidgetKinds

namespace WidgetShapes {

const QList<WidgetShape>& all()
{
    static const QList<WidgetShape> list{WidgetShape::Card, WidgetShape::Rounded, WidgetShape::Pill,
                                         WidgetShape::Circle};
    return list;
}

QString id(WidgetShape shape)
{
    return QString::fromUtf8(row(shape).id);
}
QString name(WidgetShape shape)
{
    return QCoreApplication::translate("WidgetCatalog", row(shape).name);
}
QString icon(WidgetShape shape)
{
    return QString::fromUtf8(row(shape).icon);
}
double contentPadding(WidgetShape shape)
{
    return row(shape).padding;
}
bool centersContent(WidgetShape shape)
{
    return row(shape).centred;
}

std::optional<WidgetShape> fromId(const QString& id)
{
    for (const auto& r : kShapes) {
        if (id == QLatin1String(r.id))
            return r.shape;
    }
    return std::nullopt;
}

} // namespace WidgetShapes

namespace WidgetSizes {

const QList<WidgetSize>& all()
{
    static const QList<WidgetSize> list{WidgetSize::Small, WidgetSize::Medium, WidgetSize::Large};
    return list;
}

QString id(WidgetSize size)
{
    return QString::fromUtf8(row(size).id);
}
QString name(WidgetSize size)
{
    return QCoreApplication::translate("WidgetCatalog", row(size).name);
}
double scale(WidgetSize size)
{
    return row(size).scale;
}

std::optional<WidgetSize> fromId(const QString& id)
{
    for (const auto& r : kSizes) {
        if (id == QLatin1String(r.id))
            return r.size;
    }
    return std::nullopt;
}

} // namespace WidgetSizes

QSizeF widgetWindowSize(WidgetKind kind, WidgetShape shape, WidgetSize size)
{
    const QSizeF base = WidgetKinds::baseSize(kind);
    const double s = WidgetSizes::scale(size);
    double w = base.width() * s;
    double h = base.height() * s;
    if (shape == WidgetShape::Circle) {
        w = h = std::max(w, h);
    }
    return QSizeF(w, h);
}

} // namespace nivora
