#include "design/DesignAccessibility.h"

#include "design/FluidSlider.h"
#include "design/FocusMark.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <cmath>

namespace nivora {

namespace {

const char* const roleProperty = "nivoraAccessibleRole";

QAccessible::Role declaredRole(const QWidget* widget)
{
    return static_cast<QAccessible::Role>(widget->property(roleProperty).toInt());
}

// A hand-drawn button: its declared role (button, check box, radio button, tab),
// its checked state when checkable, and press or toggle as its action.
//
// Both actions click, as the mouse and the keyboard do. Qt's own interface for
// a checkable button toggles the checked state instead, without the click
// signal our controls act on; and our checkable controls leave the checked
// state to the settings store, so a toggle would only make the control lie
// about a change that never happened.
class AccessibleSketchButton : public QAccessibleWidget
{
public:
    explicit AccessibleSketchButton(QAbstractButton* button) : QAccessibleWidget(button, declaredRole(button))
    {
    }

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    // Without a declared role, the one Qt would give the button.
    QAccessible::Role role() const override
    {
        if (const QAccessible::Role declared = declaredRole(button()); declared != QAccessible::NoRole)
            return declared;
        return button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = button()->accessibleName();
            return name.isEmpty() ? button()->text() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->isCheckable()) {
            s.checkable = true;
            s.checked = button()->isChecked();
            if (role() == QAccessible::PageTab || role() == QAccessible::RadioButton) {
                s.selectable = true;
                s.selected = button()->isChecked();
            }
        }
        if (button()->isDown())
            s.pressed = true;
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names{role() == QAccessible::CheckBox ? toggleAction() : pressAction()};
        names << QAccessibleWidget::actionNames();
        return names;
    }

    void doAction(const QString& name) override
    {
        if (!button()->isEnabled())
            return;
        if (name == pressAction() || name == toggleAction())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name == pressAction() || name == toggleAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }
};

// A plain widget that only declares its role (badges, logos, groups).
class AccessibleDeclared : public QAccessibleWidget
{
public:
    explicit AccessibleDeclared(QWidget* widget) : QAccessibleWidget(widget, declaredRole(widget)) {}
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("nivora::FluidSlider"))
        return new AccessibleFluidSlider(static_cast<FluidSlider*>(widget));
    auto* button = qobject_cast<QAbstractButton*>(widget);
    // Every button of ours acts on its click, declared or not; the class name
    // is the most derived one, asked first.
    if (button && className.startsWith(QLatin1String("nivora::")))
        return new AccessibleSketchButton(button);
    if (!widget->property(roleProperty).isValid())
        return nullptr;
    if (button)
        return new AccessibleSketchButton(button);
    return new AccessibleDeclared(widget);
}

} // namespace

AccessibleFluidSlider::AccessibleFluidSlider(FluidSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider)
{
}

FluidSlider* AccessibleFluidSlider::slider() const
{
    return static_cast<FluidSlider*>(widget());
}

void* AccessibleFluidSlider::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString AccessibleFluidSlider::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return slider()->valueText();
    return QAccessibleWidget::text(t);
}

QVariant AccessibleFluidSlider::currentValue() const
{
    const double v = slider()->value();
    return std::isfinite(v) ? v * 100.0 : 0.0;
}

void AccessibleFluidSlider::setCurrentValue(const QVariant& value)
{
    bool ok = false;
    const double percent = value.toDouble(&ok);
    if (ok && std::isfinite(percent))
        slider()->edit(percent / 100.0);
}

QVariant AccessibleFluidSlider::maximumValue() const
{
    return 100.0;
}

QVariant AccessibleFluidSlider::minimumValue() const
{
    return 0.0;
}

QVariant AccessibleFluidSlider::minimumStepSize() const
{
    return 1.0;
}

QStringList AccessibleFluidSlider::actionNames() const
{
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void AccessibleFluidSlider::doAction(const QString& name)
{
    const double v = std::isfinite(slider()->value()) ? slider()->value() : 0.0;
    if (name == increaseAction())
        slider()->edit((std::round(v * 100.0) + 1) / 100.0);
    else if (name == decreaseAction())
        slider()->edit((std::round(v * 100.0) - 1) / 100.0);
    else
        QAccessibleWidget::doAction(name);
}

void DesignAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        // Every control calls this; the focus mark needs to know how focus is given.
        FocusMark::install();
        return true;
    }();
    Q_UNUSED(installed);
}

void DesignAccessibility::setRole(QWidget* widget, QAccessible::Role role)
{
    install();
    widget->setProperty(roleProperty, static_cast<int>(role));
}

} // namespace nivora
