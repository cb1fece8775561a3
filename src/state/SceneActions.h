#pragma once

#include <QRandomGenerator>

namespace nivora {

class AppState;

// The scene actions shared by the popover, the tray, the dashboard and the
// command line.
namespace SceneActions {

// Steps the scene by `delta`, wrapping around the catalog in both directions.
void switchScene(AppState& state, qint64 delta);

// "Next" wherever it is offered (the tray, the popover, `nivora ctl next`):
// the next file of the folder the media plays when one does, the next scene
// otherwise. A folder chosen in scene mode is not playing, so the scene steps.
void showNext(AppState& state);

// "Surprends-moi": scene mode, a random scene and preset, and random tuning
// values within the ranges that always look good.
void randomize(AppState& state, QRandomGenerator& rng);

} // namespace SceneActions
} // namespace nivora
