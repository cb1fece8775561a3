#include "state/ScreenSource.h"

#include "state/AppState.h"

#include <QJsonArray>
#include <utility>

namespace nivora {

ScreenSource ScreenSource::resolve(const AppState& state, const QString& screen)
{
    ScreenSource s;
    s.mode = state.wallpaperMode();
    s.mediaPath = state.mediaPath();
    s.sceneIndex = state.sceneIndex();
    s.speed = state.speed();
    s.intensity = state.intensity();
    s.scale = state.scale();
    s.colorShift = state.colorShift();
    s.sharpness = state.sharpness();
    s.paletteName = state.paletteName();
    s.paletteColors = state.paletteColors();
    const auto own = state.screenOverrides().constFind(screen);
    if (own == state.screenOverrides().constEnd())
        return s;
    // The codec has checked every value a screen holds, so each is read as
    // its kind without a second check.
    const QJsonObject& o = *own;
    s.followsMain = false;
    if (const auto mode = WallpaperModes::fromId(o.value(QStringLiteral("wallpaperMode")).toString()))
        s.mode = *mode;
    if (o.contains(QStringLiteral("mediaPath"))) {
        const QString path = o.value(QStringLiteral("mediaPath")).toString();
        s.mediaPath = path.isEmpty() ? QString() : path;
    }
    s.sceneIndex = o.value(QStringLiteral("sceneIndex")).toInteger(s.sceneIndex);
    const std::pair<const char*, double ScreenSource::*> tunings[] = {
        {"speed", &ScreenSource::speed},         {"intensity", &ScreenSource::intensity},
        {"scale", &ScreenSource::scale},         {"colorShift", &ScreenSource::colorShift},
        {"sharpness", &ScreenSource::sharpness},
    };
    for (const auto& [key, member] : tunings)
        s.*member = o.value(QLatin1String(key)).toDouble(s.*member);
    s.ownSpeed = o.contains(QStringLiteral("speed"));
    s.paletteName = o.value(QStringLiteral("paletteName")).toString(s.paletteName);
    if (o.contains(QStringLiteral("paletteHex"))) {
        s.paletteColors.clear();
        for (const QJsonValue& c : o.value(QStringLiteral("paletteHex")).toArray())
            s.paletteColors.append(colorFromHex(static_cast<quint32>(c.toInteger())));
    }
    return s;
}

QString ScreenSource::mediaKey() const
{
    if (mode == WallpaperMode::Scene)
        return WallpaperModes::id(mode);
    return WallpaperModes::id(mode) + QLatin1Char('|') + mediaPath;
}

} // namespace nivora
