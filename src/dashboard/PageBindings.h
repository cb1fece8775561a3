#pragma once

#include "state/AppState.h"

namespace nivora {

class FluidSlider;
class PillToggle;
class SegmentedSelector;

// Two-way bindings between the dashboard's controls and the settings store:
// the control shows the stored value now and after every change made anywhere
// (popover, command line, another page), and every edit the user makes is
// written to the store, which saves it after its debounce. A stored value the
// control cannot show as such (a number out of range, a rate that is not an
// option) is shown as well as the control can and never rewritten until the
// user edits it.
namespace PageBindings {

void bindSlider(FluidSlider* slider, AppState& state, double (AppState::*get)() const,
                void (AppState::*set)(double), void (AppState::*changed)(double));

void bindToggle(PillToggle* toggle, AppState& state, bool (AppState::*get)() const,
                void (AppState::*set)(bool), void (AppState::*changed)(bool));

void bindSelector(SegmentedSelector* selector, AppState& state, qint64 (AppState::*get)() const,
                  void (AppState::*set)(qint64), void (AppState::*changed)(qint64));

} // namespace PageBindings
} // namespace nivora
