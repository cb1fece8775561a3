#include "dashboard/PageBindings.h"

#include "design/FluidSlider.h"
#include "design/PillToggle.h"
#include "design/SegmentedSelector.h"

namespace nivora::PageBindings {

void bindSlider(FluidSlider* slider, AppState& state, double (AppState::*get)() const,
                void (AppState::*set)(double), void (AppState::*changed)(double))
{
    slider->setValue((state.*get)());
    QObject::connect(&state, changed, slider, [slider](double value) { slider->setValue(value); });
    QObject::connect(slider, &FluidSlider::valueEdited, &state,
                     [&state, set](double value) { (state.*set)(value); });
}

void bindToggle(PillToggle* toggle, AppState& state, bool (AppState::*get)() const,
                void (AppState::*set)(bool), void (AppState::*changed)(bool))
{
    toggle->setCheckable(true);
    toggle->setChecked((state.*get)());
    QObject::connect(&state, changed, toggle, [toggle](bool value) { toggle->setChecked(value); });
    // clicked() comes only from the user (mouse, keyboard, accessibility).
    QObject::connect(toggle, &PillToggle::clicked, &state, [&state, set, toggle, get](bool on) {
        (state.*set)(on);
        // The store may refuse or correct the value (a failed login-item
        // registration): show what it holds.
        toggle->setChecked((state.*get)());
    });
}

void bindSelector(SegmentedSelector* selector, AppState& state, qint64 (AppState::*get)() const,
                  void (AppState::*set)(qint64), void (AppState::*changed)(qint64))
{
    selector->setSelection((state.*get)());
    QObject::connect(&state, changed, selector, [selector](qint64 value) { selector->setSelection(value); });
    QObject::connect(selector, &SegmentedSelector::selectionEdited, &state,
                     [&state, set](qint64 value) { (state.*set)(value); });
}

} // namespace nivora::PageBindings
