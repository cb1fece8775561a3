#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

class QWidget;

namespace nivora {

// Gives the hand-drawn controls their place in Qt's accessibility tree (AT-SPI on
// Linux), so screen readers and automation find them by role and name.
//
// A design widget declares its role with setAccessibleRole(); buttons among them
// report their checked state when checkable and offer press or toggle. The slider
// gets a value interface of its own (FluidSlider).
namespace DesignAccessibility {

// Installs the factory once; every design control calls it from its constructor.
void install();

// Marks `widget` as having `role`; its accessible name is its accessibleName().
void setRole(QWidget* widget, QAccessible::Role role);

} // namespace DesignAccessibility

class FluidSlider;

// The slider as assistive technology sees it: a slider whose value is the shown
// percentage, 0 to 100 in steps of 1, settable from outside.
class AccessibleFluidSlider : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleFluidSlider(FluidSlider* slider);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;

private:
    FluidSlider* slider() const;
};

} // namespace nivora
