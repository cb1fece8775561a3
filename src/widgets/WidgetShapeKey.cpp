#include "widgets/WidgetShapeKey.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace nivora {

namespace {
const char* const propertyName = "nivoraWidgetShape";
}

WidgetShape WidgetShapeKey::value(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(propertyName);
        if (v.isValid()) {
            if (const auto shape = WidgetShapes::fromId(v.toString()))
                return *shape;
        }
    }
    return defaultValue;
}

void WidgetShapeKey::setValue(QWidget* widget, WidgetShape shape)
{
    if (!widget)
        return;
    widget->setProperty(propertyName, WidgetShapes::id(shape));
    const auto children = widget->findChildren<QWidget*>();
    for (QWidget* child : children) {
        QCoreApplication::postEvent(child, new QEvent(QEvent::LayoutRequest));
        child->update();
    }
    widget->update();
}

} // namespace nivora
