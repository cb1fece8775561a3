#pragma once

#include <QRandomGenerator>

namespace nivora {

class AppState;

// The scene actions shared by the popover, the dashboard and the command line.
namespace SceneActions {

// Steps the scene by `delta`, wrapping around the catalog in both directions.
void switchScene(AppState& state, qint64 delta);

// "Surprends-moi": scene mode, a random scene and preset, and random tuning
// values within the ranges that always look good.
void randomize(AppState& state, QRandomGenerator& rng);

} // namespace SceneActions
} // namespace nivora
