#include "state/SceneActions.h"

#include "model/MediaLocation.h"
#include "model/SceneCatalog.h"
#include "palettes/WallpaperPalette.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"

namespace nivora::SceneActions {

void switchScene(AppState& state, qint64 delta)
{
    const qint64 n = availableScenes().size();
    state.setSceneIndex(((state.sceneIndex() + delta) % n + n) % n);
}

void showNext(AppState& state)
{
    if (state.wallpaperMode() != WallpaperMode::Scene &&
        MediaLocation::kind(state.mediaPath()) == MediaLocation::Kind::Folder)
        MediaStatus::shared().requestNext();
    else
        switchScene(state, 1);
}

void randomize(AppState& state, QRandomGenerator& rng)
{
    const auto& presets = WallpaperPalette::presets();
    state.setWallpaperMode(WallpaperMode::Scene);
    state.setSceneIndex(rng.bounded(static_cast<int>(availableScenes().size())));
    state.applyPreset(presets.at(rng.bounded(static_cast<int>(presets.size()))));
    state.setSpeed(0.3 + rng.generateDouble() * 0.5);
    state.setIntensity(0.45 + rng.generateDouble() * 0.4);
    state.setScale(0.35 + rng.generateDouble() * 0.35);
    state.setColorShift(rng.generateDouble() * 0.3);
}

} // namespace nivora::SceneActions
