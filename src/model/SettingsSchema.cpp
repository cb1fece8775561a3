#include "model/SettingsSchema.h"

#include "model/SceneCatalog.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace nivora::SettingsSchema {

namespace {

Setting make(const char* key, Type type, double defaultValue = 0.0)
{
    Setting s;
    s.key = QString::fromLatin1(key);
    s.type = type;
    s.defaultValue = defaultValue;
    return s;
}

Setting tuning(const char* key, double defaultValue)
{
    Setting s = make(key, Type::Tuning, defaultValue);
    s.minimum = 0.0;
    s.maximum = 1.0;
    return s;
}

Setting choice(const char* key, QList<qint64> choices, double defaultValue)
{
    Setting s = make(key, Type::Choice, defaultValue);
    s.choices = std::move(choices);
    return s;
}

Setting notStored(Setting s)
{
    s.stored = false;
    return s;
}

Setting perScreen(Setting s)
{
    s.perScreen = true;
    return s;
}

QList<Setting> buildTable()
{
    Setting scene = make("sceneIndex", Type::Integer, 0.0);
    // How long a folder's picture stays before the next file: a minute to a day.
    Setting slide = make("slideMinutes", Type::Integer, 10.0);
    slide.minimum = 1.0;
    slide.maximum = 1440.0;
    // The catalog decides how many scenes there are.
    scene.minimum = 0.0;
    scene.maximum = double(availableScenes().size() - 1);
    return {
        make("isRunning", Type::Boolean, 1.0),
        perScreen(make("wallpaperMode", Type::Mode)),
        perScreen(make("mediaPath", Type::Path)),
        make("spanScreens", Type::Boolean, 0.0),
        slide,
        make("slideShuffle", Type::Boolean, 0.0),
        perScreen(scene),
        perScreen(tuning("speed", 0.5)),
        perScreen(tuning("intensity", 0.6)),
        perScreen(tuning("scale", 0.5)),
        perScreen(tuning("colorShift", 0.0)),
        perScreen(tuning("sharpness", 0.5)),
        choice("renderQuality", {720, 1080, 1440, 1920}, 1080.0),
        choice("fps", {30, 60, 120}, 30.0),
        make("batterySaver", Type::Boolean, 1.0),
        make("pauseOnFullscreen", Type::Boolean, 0.0),
        notStored(make("launchAtLogin", Type::Boolean, 0.0)),
        make("autopilot", Type::Boolean, 0.0),
        choice("autopilotMinutes", {1, 5, 15, 30}, 5.0),
        perScreen(make("paletteName", Type::Text)),
        perScreen(make("paletteHex", Type::ColorList)),
        notStored(make("enabledDisplays", Type::DisplayList)),
        make("enabledWidgets", Type::WidgetList),
        make("clockWidgetShowsDate", Type::Boolean, 1.0),
        make("widgetShapes", Type::WidgetMap),
        make("widgetSizes", Type::WidgetMap),
        make("screenOverrides", Type::ScreenMap),
        make("language", Type::Language),
    };
}

} // namespace

const QList<Setting>& settings()
{
    static const QList<Setting> table = buildTable();
    return table;
}

QStringList keys()
{
    QStringList out;
    for (const Setting& s : settings())
        out.append(s.key);
    return out;
}

const Setting* find(const QString& key)
{
    for (const Setting& s : settings()) {
        if (s.key == key)
            return &s;
    }
    return nullptr;
}

const Setting& get(const QString& key)
{
    const Setting* s = find(key);
    Q_ASSERT_X(s, "SettingsSchema::get", "unknown key");
    return *s;
}

QStringList screenKeys()
{
    QStringList out;
    for (const Setting& s : settings()) {
        if (s.perScreen)
            out.append(s.key);
    }
    return out;
}

bool allows(const Setting& setting, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (setting.type) {
    case Type::Tuning:
        return value >= setting.minimum && value <= setting.maximum;
    case Type::Integer:
        return value == std::trunc(value) && value >= setting.minimum && value <= setting.maximum;
    case Type::Choice:
        return value == std::trunc(value) && std::fabs(value) < 9.0e15 &&
               setting.choices.contains(static_cast<qint64>(value));
    default:
        return false;
    }
}

QString allowedText(const Setting& setting)
{
    if (setting.type == Type::Choice) {
        QStringList items;
        for (qint64 c : setting.choices)
            items.append(QString::number(c));
        return items.join(QStringLiteral(", "));
    }
    return QCoreApplication::translate("SettingsSchema", "%1 à %2").arg(setting.minimum).arg(setting.maximum);
}

double forRenderer(const Setting& setting, double value)
{
    if (!std::isfinite(value))
        return setting.defaultValue;
    return std::clamp(value, setting.minimum, setting.maximum);
}

} // namespace nivora::SettingsSchema
