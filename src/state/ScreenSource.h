#pragma once

#include "palettes/ColorHex.h"
#include "state/WallpaperMode.h"

#include <QColor>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace nivora {

class AppState;

// What one screen shows: the main settings with the values that screen has of
// its own (AppState::screenOverrides()) laid over them. Resolved afresh from
// the store whenever it is needed, so it never goes stale.
struct ScreenSource
{
    // False when the screen has an entry of its own, even an empty one.
    bool followsMain = true;
    WallpaperMode mode = WallpaperMode::Scene;
    // A null string means "no media".
    QString mediaPath;
    qint64 sceneIndex = 0;
    double speed = 0.5;
    double intensity = 0.6;
    double scale = 0.5;
    double colorShift = 0.0;
    double sharpness = 0.5;
    QString paletteName;
    QList<QColor> paletteColors;
    // Whether the speed is the screen's own: its scene then runs on a clock
    // of its own, since the shared one keeps the main speed.
    bool ownSpeed = false;
    static ScreenSource resolve(const AppState& state, const QString& screen);

    // The media a window is built for: two screens whose keys are equal need
    // the same kind of window and file (a scene's parameters change in place).
    QString mediaKey() const;
};

} // namespace nivora
