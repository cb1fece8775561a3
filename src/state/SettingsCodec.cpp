#include "state/SettingsCodec.h"

#include "model/MediaLocation.h"
#include "model/SettingsSchema.h"
#include "model/UiLanguage.h"
#include "model/WidgetCatalog.h"
#include "palettes/WallpaperPalette.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>

namespace nivora::SettingsCodec {

namespace {

QString allowedList(const QStringList& items)
{
    return items.join(QStringLiteral(", "));
}

std::optional<qint64> exactInteger(const QJsonValue& v)
{
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::trunc(d) || std::fabs(d) > 9.0e15)
        return std::nullopt;
    return static_cast<qint64>(d);
}

QString oneOf(const QString& key, const QList<qint64>& allowed)
{
    QStringList items;
    for (qint64 a : allowed)
        items.append(QString::number(a));
    return QCoreApplication::translate("SettingsCodec", "%1: valeur refusée, valeurs permises : %2")
        .arg(key, allowedList(items));
}

QStringList widgetIds()
{
    QStringList ids;
    for (WidgetKind k : WidgetKinds::all())
        ids.append(WidgetKinds::id(k));
    return ids;
}

QStringList shapeIds()
{
    QStringList ids;
    for (WidgetShape s : WidgetShapes::all())
        ids.append(WidgetShapes::id(s));
    return ids;
}

QStringList sizeIds()
{
    QStringList ids;
    for (WidgetSize s : WidgetSizes::all())
        ids.append(WidgetSizes::id(s));
    return ids;
}

std::optional<QString> applyWidgetMap(AppState& state, const QString& key, const QJsonValue& value,
                                      const QStringList& allowedValues, bool shapes)
{
    const QString expected =
        QCoreApplication::translate("SettingsCodec", "%1: attendu un objet {widget: %2}, widgets : %3")
            .arg(key, allowedList(allowedValues), allowedList(widgetIds()));
    if (!value.isObject())
        return expected;
    QMap<QString, QString> map;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!WidgetKinds::fromId(it.key()) || !it.value().isString() ||
            !allowedValues.contains(it.value().toString()))
            return expected;
        map.insert(it.key(), it.value().toString());
    }
    if (shapes)
        state.setWidgetShapes(map);
    else
        state.setWidgetSizes(map);
    return std::nullopt;
}

// How the settings file and the command line meet one stored setting: its
// value as JSON, a strict assignment (`ctl set`), and the lenient reading of the
// settings file (a value of the wrong kind is read as the store coerces it, or
// skipped). The keys, their order and their ranges are the schema's; this only
// binds each key to the store's property.
struct Binding
{
    const char* key;
    QJsonValue (*encode)(const AppState& state);
    std::optional<QString> (*apply)(AppState& state, const QString& key, const QJsonValue& value);
    // Null for the settings kept outside the settings file.
    void (*load)(AppState& state, const DefaultsStore& store, const QString& key);
};

template <void (AppState::*Setter)(bool)>
std::optional<QString> applyBool(AppState& state, const QString& key, const QJsonValue& value)
{
    if (!value.isBool())
        return QCoreApplication::translate("SettingsCodec", "%1: attendu true ou false").arg(key);
    (state.*Setter)(value.toBool());
    return std::nullopt;
}

// Tuning values must be finite and within their range: the renderer would
// clamp anything else, and the file would keep a value no control shows.
std::optional<QString> tuningRefusal(const QString& key, const QJsonValue& value)
{
    const SettingsSchema::Setting& setting = SettingsSchema::get(key);
    if (!value.isDouble() || !SettingsSchema::allows(setting, value.toDouble()))
        return QCoreApplication::translate("SettingsCodec", "%1: attendu un nombre fini de %2")
            .arg(key, SettingsSchema::allowedText(setting));
    return std::nullopt;
}

template <void (AppState::*Setter)(double)>
std::optional<QString> applyTuning(AppState& state, const QString& key, const QJsonValue& value)
{
    if (auto refusal = tuningRefusal(key, value))
        return refusal;
    (state.*Setter)(value.toDouble());
    return std::nullopt;
}

template <void (AppState::*Setter)(qint64)>
std::optional<QString> applyChoice(AppState& state, const QString& key, const QJsonValue& value)
{
    const SettingsSchema::Setting& setting = SettingsSchema::get(key);
    const auto n = exactInteger(value);
    if (!n || !SettingsSchema::allows(setting, double(*n)))
        return oneOf(key, setting.choices);
    (state.*Setter)(*n);
    return std::nullopt;
}

// An integer within the schema's range, as a JSON number with no fraction.
template <void (AppState::*Setter)(qint64)>
std::optional<QString> applyInteger(AppState& state, const QString& key, const QJsonValue& value)
{
    const SettingsSchema::Setting& setting = SettingsSchema::get(key);
    const auto n = exactInteger(value);
    if (!n || !SettingsSchema::allows(setting, double(*n)))
        return QCoreApplication::translate("SettingsCodec", "%1: attendu un entier de %2")
            .arg(key, SettingsSchema::allowedText(setting));
    (state.*Setter)(*n);
    return std::nullopt;
}

template <void (AppState::*Setter)(bool)>
void loadBool(AppState& state, const DefaultsStore& store, const QString& key)
{
    (state.*Setter)(store.boolValue(key));
}

// A boolean added after the first releases: a file without it gets the default.
template <void (AppState::*Setter)(bool)>
void loadBoolOrDefault(AppState& state, const DefaultsStore& store, const QString& key)
{
    (state.*Setter)(store.contains(key) ? store.boolValue(key)
                                        : SettingsSchema::get(key).defaultValue != 0.0);
}

// Tuning values are kept as stored, whatever they are: the renderer bounds its
// own copy, and the file is not rewritten for it.
template <void (AppState::*Setter)(double)>
void loadDouble(AppState& state, const DefaultsStore& store, const QString& key)
{
    (state.*Setter)(store.doubleValue(key));
}

template <void (AppState::*Setter)(double)>
void loadDoubleOrDefault(AppState& state, const DefaultsStore& store, const QString& key)
{
    (state.*Setter)(store.contains(key) ? store.doubleValue(key) : SettingsSchema::get(key).defaultValue);
}

template <void (AppState::*Setter)(qint64)>
void loadInteger(AppState& state, const DefaultsStore& store, const QString& key)
{
    (state.*Setter)(store.integerValue(key));
}

// The stored colour list is used only when it is exactly five integers.
std::optional<QList<QColor>> paletteFromStored(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray array = value.toArray();
    if (array.size() != 5)
        return std::nullopt;
    QList<QColor> colors;
    for (const QJsonValue& v : array) {
        if (!v.isDouble())
            return std::nullopt;
        const double d = v.toDouble();
        if (d != std::trunc(d) || std::fabs(d) > 9.0e15)
            return std::nullopt;
        // Only the low 32 bits carry the colour; the conversion ignores bits above 23.
        colors.append(colorFromHex(static_cast<quint32>(static_cast<quint64>(static_cast<qint64>(d)))));
    }
    return colors;
}

QSet<QString> stringSet(const QJsonValue& value)
{
    QSet<QString> out;
    if (!value.isArray())
        return out;
    for (const QJsonValue& v : value.toArray()) {
        if (!v.isString())
            return {};
        out.insert(v.toString());
    }
    return out;
}

QMap<QString, QString> stringMap(const QJsonValue& value)
{
    QMap<QString, QString> out;
    if (!value.isObject())
        return out;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString())
            return {};
        out.insert(it.key(), it.value().toString());
    }
    return out;
}

QJsonObject mapToJson(const QMap<QString, QString>& map)
{
    QJsonObject o;
    for (auto it = map.begin(); it != map.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

QJsonValue encodeHex(const AppState& s)
{
    QJsonArray hex;
    for (const QColor& c : s.paletteColors())
        hex.append(static_cast<qint64>(hexValue(c)));
    return hex;
}

QJsonValue encodeDisplays(const AppState& s)
{
    const QSet<quint32> displaySet = s.enabledDisplays();
    QList<quint32> displays(displaySet.begin(), displaySet.end());
    std::sort(displays.begin(), displays.end());
    QJsonArray array;
    for (quint32 d : displays)
        array.append(static_cast<qint64>(d));
    return array;
}

QJsonValue encodeWidgets(const AppState& s)
{
    const QSet<QString> widgetSet = s.enabledWidgets();
    QStringList widgets(widgetSet.begin(), widgetSet.end());
    widgets.sort();
    return QJsonArray::fromStringList(widgets);
}

std::optional<QString> sceneIndexRefusal(const QString& key, const QJsonValue& value)
{
    const SettingsSchema::Setting& setting = SettingsSchema::get(key);
    const auto n = exactInteger(value);
    if (!n || !SettingsSchema::allows(setting, double(*n)))
        return QCoreApplication::translate("SettingsCodec", "%1: attendu un entier de %2")
            .arg(key, SettingsSchema::allowedText(setting));
    return std::nullopt;
}

std::optional<QString> applySceneIndex(AppState& state, const QString& key, const QJsonValue& value)
{
    if (auto refusal = sceneIndexRefusal(key, value))
        return refusal;
    state.setSceneIndex(value.toInteger());
    return std::nullopt;
}

std::optional<QString> modeRefusal(const QString& key, const QJsonValue& value)
{
    if (!value.isString() || !WallpaperModes::fromId(value.toString()))
        return QCoreApplication::translate("SettingsCodec",
                                           "%1: valeurs permises : \"scene\", \"video\", \"image\"")
            .arg(key);
    return std::nullopt;
}

std::optional<QString> applyMode(AppState& state, const QString& key, const QJsonValue& value)
{
    if (auto refusal = modeRefusal(key, value))
        return refusal;
    state.setWallpaperMode(*WallpaperModes::fromId(value.toString()));
    return std::nullopt;
}

std::optional<QString> mediaPathRefusal(const QString& key, const QJsonValue& value)
{
    if (!value.isNull() && !value.isString())
        return QCoreApplication::translate("SettingsCodec", "%1: attendu un chemin (texte), \"\" pour aucun")
            .arg(key);
    return std::nullopt;
}

std::optional<QString> applyMediaPath(AppState& state, const QString& key, const QJsonValue& value)
{
    if (value.isNull()) {
        state.setMediaPath(QString());
        return std::nullopt;
    }
    if (!value.isString())
        return QCoreApplication::translate("SettingsCodec", "%1: attendu un chemin (texte), \"\" pour aucun")
            .arg(key);
    // A path that cannot work is refused here, when it is set; the settings
    // file keeps whatever it holds, since a drive may only be unmounted.
    if (const auto refused = MediaLocation::refusal(key, value.toString()))
        return refused;
    state.setMediaPath(value.toString().isEmpty() ? QString() : value.toString());
    return std::nullopt;
}

std::optional<QString> textRefusal(const QString& key, const QJsonValue& value)
{
    if (!value.isString())
        return QCoreApplication::translate("SettingsCodec", "%1: attendu un texte").arg(key);
    return std::nullopt;
}

std::optional<QString> applyLanguage(AppState& state, const QString& key, const QJsonValue& value)
{
    if (!value.isString() || !UiLanguages::settingValues().contains(value.toString()))
        return QCoreApplication::translate("SettingsCodec", "%1: valeurs permises : \"auto\", \"fr\", \"en\"")
            .arg(key);
    state.setLanguage(value.toString());
    return std::nullopt;
}

std::optional<QString> applyPaletteName(AppState& state, const QString& key, const QJsonValue& value)
{
    if (auto refusal = textRefusal(key, value))
        return refusal;
    // Naming a preset chooses it, as its card on the colours page does; any
    // other name is only a label.
    if (const WallpaperPalette* preset = WallpaperPalette::preset(value.toString()))
        state.applyPreset(*preset);
    else
        state.setPaletteName(value.toString());
    return std::nullopt;
}

std::optional<QString> paletteHexRefusal(const QString& key, const QJsonValue& value)
{
    const QString expected =
        QCoreApplication::translate("SettingsCodec",
                                    "%1: attendu une liste de 5 entiers 0xRRGGBB (0 à 16777215)")
            .arg(key);
    if (!value.isArray() || value.toArray().size() != 5)
        return expected;
    for (const QJsonValue& v : value.toArray()) {
        const auto n = exactInteger(v);
        if (!n || *n < 0 || *n > 0xFFFFFF)
            return expected;
    }
    return std::nullopt;
}

std::optional<QString> applyPaletteHex(AppState& state, const QString& key, const QJsonValue& value)
{
    if (auto refusal = paletteHexRefusal(key, value))
        return refusal;
    QList<QColor> colors;
    for (const QJsonValue& v : value.toArray())
        colors.append(colorFromHex(static_cast<quint32>(v.toInteger())));
    // Editing colours by hand is what the colour wells do: the palette becomes custom.
    state.setPaletteName(QStringLiteral("Personnalisée"));
    state.setPaletteColors(colors);
    return std::nullopt;
}

std::optional<QString> applyDisplays(AppState& state, const QString& key, const QJsonValue& value)
{
    const QString expected =
        QCoreApplication::translate("SettingsCodec",
                                    "%1: attendu une liste d'identifiants d'écran (0 à 4294967295)")
            .arg(key);
    if (!value.isArray())
        return expected;
    QSet<quint32> ids;
    for (const QJsonValue& v : value.toArray()) {
        const auto n = exactInteger(v);
        if (!n || *n < 0 || *n > 0xFFFFFFFFLL)
            return expected;
        ids.insert(static_cast<quint32>(*n));
    }
    state.setEnabledDisplays(ids);
    return std::nullopt;
}

std::optional<QString> applyWidgets(AppState& state, const QString& key, const QJsonValue& value)
{
    const QString expected = QCoreApplication::translate("SettingsCodec", "%1: attendu une liste parmi %2")
                                 .arg(key, allowedList(widgetIds()));
    if (!value.isArray())
        return expected;
    QSet<QString> ids;
    for (const QJsonValue& v : value.toArray()) {
        if (!v.isString() || !WidgetKinds::fromId(v.toString()))
            return expected;
        ids.insert(v.toString());
    }
    state.setEnabledWidgets(ids);
    return std::nullopt;
}

// The strict check of one value a screen has of its own, by the kind of its
// setting: the same rules as the main value.
std::optional<QString> screenValueRefusal(const QString& key, const QJsonValue& value)
{
    const SettingsSchema::Setting* setting = SettingsSchema::find(key);
    if (setting && setting->perScreen) {
        switch (setting->type) {
        case SettingsSchema::Type::Tuning:
            return tuningRefusal(key, value);
        case SettingsSchema::Type::Integer:
            return sceneIndexRefusal(key, value);
        case SettingsSchema::Type::Mode:
            return modeRefusal(key, value);
        case SettingsSchema::Type::Path:
            return mediaPathRefusal(key, value);
        case SettingsSchema::Type::Text:
            return textRefusal(key, value);
        case SettingsSchema::Type::ColorList:
            return paletteHexRefusal(key, value);
        default:
            break;
        }
    }
    return QCoreApplication::translate("SettingsCodec", "clé inconnue pour un écran « %1 » ; clés : %2")
        .arg(key, allowedList(SettingsSchema::screenKeys()));
}

// A checked value in the settings file's encoding: "" for no media, whole
// numbers as integers.
QJsonValue screenValueNormalized(const QString& key, const QJsonValue& value)
{
    const SettingsSchema::Type type = SettingsSchema::get(key).type;
    if (type == SettingsSchema::Type::Path)
        return value.toString();
    if (type == SettingsSchema::Type::Integer)
        return value.toInteger();
    if (type == SettingsSchema::Type::ColorList) {
        QJsonArray colors;
        for (const QJsonValue& v : value.toArray())
            colors.append(v.toInteger());
        return colors;
    }
    return value;
}

// One screen's values as the settings file holds them, checked strictly: a
// refusal names the screen.
std::optional<QString> checkedScreenEntry(const QString& screen, const QJsonValue& value, QJsonObject* entry)
{
    if (!value.isObject())
        return QCoreApplication::translate("SettingsCodec", "écran « %1 » : attendu un objet {clé: valeur}")
            .arg(screen);
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (const auto refusal = screenValueRefusal(it.key(), it.value()))
            return QCoreApplication::translate("SettingsCodec", "écran « %1 » : %2").arg(screen, *refusal);
        entry->insert(it.key(), screenValueNormalized(it.key(), it.value()));
    }
    return std::nullopt;
}

QJsonValue encodeScreenOverrides(const AppState& s)
{
    QJsonObject o;
    const ScreenOverrideMap& map = s.screenOverrides();
    for (auto it = map.begin(); it != map.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

std::optional<QString> applyScreenOverrides(AppState& state, const QString& key, const QJsonValue& value)
{
    if (!value.isObject())
        return QCoreApplication::translate("SettingsCodec",
                                           "%1: attendu un objet {écran: {clé: valeur}}, clés : %2")
            .arg(key, allowedList(SettingsSchema::screenKeys()));
    ScreenOverrideMap map;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        QJsonObject entry;
        if (const auto refusal = checkedScreenEntry(it.key(), it.value(), &entry))
            return QStringLiteral("%1: %2").arg(key, *refusal);
        map.insert(it.key(), entry);
    }
    state.setScreenOverrides(map);
    return std::nullopt;
}

// Read as the rest of the file is: a number out of range is brought into it;
// an entry that is not what a screen can hold is left out with one line in
// the log, and the other screens load.
void loadScreenOverrides(AppState& state, const DefaultsStore& store, const QString& key)
{
    const QJsonObject stored = store.value(key).toObject();
    ScreenOverrideMap map;
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        QJsonObject bounded = it.value().toObject();
        for (auto v = bounded.begin(); v != bounded.end(); ++v) {
            const SettingsSchema::Setting* setting = SettingsSchema::find(v.key());
            if (!setting || !setting->perScreen || !v.value().isDouble() ||
                (setting->type != SettingsSchema::Type::Tuning &&
                 setting->type != SettingsSchema::Type::Integer))
                continue;
            double d = std::clamp(v.value().toDouble(), setting->minimum, setting->maximum);
            if (setting->type == SettingsSchema::Type::Integer)
                d = std::round(d);
            *v = d;
        }
        QJsonObject entry;
        const auto refusal =
            checkedScreenEntry(it.key(), it.value().isObject() ? QJsonValue(bounded) : it.value(), &entry);
        if (refusal) {
            qWarning().noquote() << QStringLiteral("Nivora: screen settings ignored, %1").arg(*refusal);
            continue;
        }
        map.insert(it.key(), entry);
    }
    state.setScreenOverrides(map);
}

const QList<Binding>& bindings()
{
    using S = AppState;
    static const QList<Binding> table{
        {"isRunning", [](const S& s) -> QJsonValue { return s.isRunning(); }, &applyBool<&S::setIsRunning>,
         &loadBool<&S::setIsRunning>},
        {"wallpaperMode", [](const S& s) -> QJsonValue { return WallpaperModes::id(s.wallpaperMode()); },
         &applyMode,
         [](S& state, const DefaultsStore& store, const QString& key) {
             if (const auto text = store.stringValue(key)) {
                 if (const auto mode = WallpaperModes::fromId(*text))
                     state.setWallpaperMode(*mode);
             }
         }},
        {"mediaPath",
         [](const S& s) -> QJsonValue {
             return s.mediaPath().isNull() ? QString(QLatin1String("")) : s.mediaPath();
         },
         &applyMediaPath,
         [](S& state, const DefaultsStore& store, const QString& key) {
             const auto media = store.stringValue(key);
             state.setMediaPath(media && !media->isEmpty() ? *media : QString());
         }},
        {"spanScreens", [](const S& s) -> QJsonValue { return s.spanScreens(); },
         &applyBool<&S::setSpanScreens>, &loadBool<&S::setSpanScreens>},
        {"slideMinutes", [](const S& s) -> QJsonValue { return s.slideMinutes(); },
         &applyInteger<&S::setSlideMinutes>, &loadInteger<&S::setSlideMinutes>},
        {"slideShuffle", [](const S& s) -> QJsonValue { return s.slideShuffle(); },
         &applyBool<&S::setSlideShuffle>, &loadBool<&S::setSlideShuffle>},
        {"sceneIndex", [](const S& s) -> QJsonValue { return s.sceneIndex(); }, &applySceneIndex,
         &loadInteger<&S::setSceneIndex>},
        {"speed", [](const S& s) -> QJsonValue { return s.speed(); }, &applyTuning<&S::setSpeed>,
         &loadDouble<&S::setSpeed>},
        {"intensity", [](const S& s) -> QJsonValue { return s.intensity(); }, &applyTuning<&S::setIntensity>,
         &loadDouble<&S::setIntensity>},
        {"scale", [](const S& s) -> QJsonValue { return s.scale(); }, &applyTuning<&S::setScale>,
         &loadDouble<&S::setScale>},
        {"colorShift", [](const S& s) -> QJsonValue { return s.colorShift(); },
         &applyTuning<&S::setColorShift>, &loadDouble<&S::setColorShift>},
        {"sharpness", [](const S& s) -> QJsonValue { return s.sharpness(); }, &applyTuning<&S::setSharpness>,
         &loadDoubleOrDefault<&S::setSharpness>},
        {"renderQuality", [](const S& s) -> QJsonValue { return s.renderQuality(); },
         &applyChoice<&S::setRenderQuality>, &loadInteger<&S::setRenderQuality>},
        {"fps", [](const S& s) -> QJsonValue { return s.fps(); }, &applyChoice<&S::setFps>,
         &loadInteger<&S::setFps>},
        {"batterySaver", [](const S& s) -> QJsonValue { return s.batterySaver(); },
         &applyBool<&S::setBatterySaver>, &loadBool<&S::setBatterySaver>},
        {"pauseOnFullscreen", [](const S& s) -> QJsonValue { return s.pauseOnFullscreen(); },
         &applyBool<&S::setPauseOnFullscreen>, &loadBool<&S::setPauseOnFullscreen>},
        {"launchAtLogin", [](const S& s) -> QJsonValue { return s.launchAtLogin(); },
         &applyBool<&S::setLaunchAtLogin>, nullptr},
        {"autopilot", [](const S& s) -> QJsonValue { return s.autopilot(); }, &applyBool<&S::setAutopilot>,
         &loadBool<&S::setAutopilot>},
        {"autopilotMinutes", [](const S& s) -> QJsonValue { return s.autopilotMinutes(); },
         &applyChoice<&S::setAutopilotMinutes>, &loadInteger<&S::setAutopilotMinutes>},
        {"paletteName", [](const S& s) -> QJsonValue { return s.paletteName(); }, &applyPaletteName,
         [](S& state, const DefaultsStore& store, const QString& key) {
             if (const auto name = store.stringValue(key))
                 state.setPaletteName(*name);
         }},
        {"paletteHex", &encodeHex, &applyPaletteHex,
         [](S& state, const DefaultsStore& store, const QString& key) {
             if (const auto colors = paletteFromStored(store.value(key)))
                 state.setPaletteColors(*colors);
         }},
        {"enabledDisplays", &encodeDisplays, &applyDisplays, nullptr},
        {"enabledWidgets", &encodeWidgets, &applyWidgets,
         [](S& state, const DefaultsStore& store, const QString& key) {
             state.setEnabledWidgets(stringSet(store.value(key)));
         }},
        {"clockWidgetShowsDate", [](const S& s) -> QJsonValue { return s.clockWidgetShowsDate(); },
         &applyBool<&S::setClockWidgetShowsDate>, &loadBoolOrDefault<&S::setClockWidgetShowsDate>},
        {"widgetShapes", [](const S& s) -> QJsonValue { return mapToJson(s.widgetShapes()); },
         [](S& state, const QString& key, const QJsonValue& value) {
             return applyWidgetMap(state, key, value, shapeIds(), true);
         },
         [](S& state, const DefaultsStore& store, const QString& key) {
             state.setWidgetShapes(stringMap(store.value(key)));
         }},
        {"widgetSizes", [](const S& s) -> QJsonValue { return mapToJson(s.widgetSizes()); },
         [](S& state, const QString& key, const QJsonValue& value) {
             return applyWidgetMap(state, key, value, sizeIds(), false);
         },
         [](S& state, const DefaultsStore& store, const QString& key) {
             state.setWidgetSizes(stringMap(store.value(key)));
         }},
        {"screenOverrides", &encodeScreenOverrides, &applyScreenOverrides, &loadScreenOverrides},
        {"language", [](const S& s) -> QJsonValue { return s.language(); }, &applyLanguage,
         [](S& state, const DefaultsStore& store, const QString& key) {
             // A value from a later version that this one does not know follows the system.
             const auto text = store.stringValue(key);
             if (text && UiLanguages::settingValues().contains(*text))
                 state.setLanguage(*text);
         }},
    };
    return table;
}

// The binding of a schema key. Every key of the schema has one (the codec's
// tests go through them all), so a key added to the schema alone stops here.
const Binding& binding(const QString& key)
{
    for (const Binding& b : bindings()) {
        if (key == QLatin1String(b.key))
            return b;
    }
    qFatal("no binding for the setting %s", qPrintable(key));
    return bindings().first();
}

const Binding* findBinding(const QString& key)
{
    if (!SettingsSchema::find(key))
        return nullptr;
    return &binding(key);
}

} // namespace

const QStringList& keys()
{
    static const QStringList list = SettingsSchema::keys();
    return list;
}

QJsonObject toJson(const AppState& state)
{
    QJsonObject o;
    for (const SettingsSchema::Setting& setting : SettingsSchema::settings())
        o.insert(setting.key, binding(setting.key).encode(state));
    return o;
}

QJsonObject storedJson(const AppState& state)
{
    QJsonObject o;
    for (const SettingsSchema::Setting& setting : SettingsSchema::settings()) {
        if (!setting.stored)
            continue;
        const QJsonValue value = binding(setting.key).encode(state);
        // Written only while some screen has values of its own, so that a
        // file from before per-screen settings saves as it was.
        if (setting.type == SettingsSchema::Type::ScreenMap && value.toObject().isEmpty())
            continue;
        // Likewise the language only once one is chosen over the system's.
        if (setting.type == SettingsSchema::Type::Language && value.toString() == UiLanguages::autoValue())
            continue;
        o.insert(setting.key, value);
    }
    return o;
}

void load(AppState& state, const DefaultsStore& store)
{
    for (const SettingsSchema::Setting& setting : SettingsSchema::settings()) {
        if (setting.stored)
            binding(setting.key).load(state, store, setting.key);
    }
    // Numbers the table does not allow fall back to their defaults.
    for (const SettingsSchema::Setting& setting : SettingsSchema::settings()) {
        if (!setting.stored ||
            (setting.type != SettingsSchema::Type::Choice && setting.type != SettingsSchema::Type::Integer))
            continue;
        const Binding& b = binding(setting.key);
        if (!SettingsSchema::allows(setting, b.encode(state).toDouble()))
            b.apply(state, setting.key, QJsonValue(qint64(setting.defaultValue)));
    }
}

std::optional<QJsonValue> parseValue(const QString& text, QString* error)
{
    // Wrapping in an array lets the document parser accept bare scalars.
    QJsonParseError parseError{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray("[") + text.toUtf8() + QByteArray("\n]"), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1) {
        if (error)
            *error = QCoreApplication::translate("SettingsCodec", "JSON invalide : %1").arg(text);
        return std::nullopt;
    }
    const QJsonValue v = doc.array().first();
    if (v.isDouble() && !std::isfinite(v.toDouble())) {
        if (error)
            *error = QCoreApplication::translate("SettingsCodec", "nombre non fini : %1").arg(text);
        return std::nullopt;
    }
    return v;
}

QJsonObject screenJson(const AppState& state, const QString& screen)
{
    const QJsonObject main = toJson(state);
    const QJsonObject own = state.screenOverrides().value(screen);
    QJsonObject o;
    for (const QString& key : SettingsSchema::screenKeys())
        o.insert(key, own.contains(key) ? own.value(key) : main.value(key));
    return o;
}

std::optional<QString> applyToScreen(AppState& state, const QString& screen, const QString& key,
                                     const QJsonValue& value)
{
    if (const auto refusal = screenValueRefusal(key, value))
        return refusal;
    if (SettingsSchema::get(key).type == SettingsSchema::Type::Path)
        if (const auto refused = MediaLocation::refusal(key, value.toString()))
            return refused;
    ScreenOverrideMap map = state.screenOverrides();
    QJsonObject& entry = map[screen];
    entry.insert(key, screenValueNormalized(key, value));
    // As for the main palette: naming a preset chooses its colours, and
    // colours set by hand make the palette custom.
    if (key == QLatin1String("paletteName")) {
        if (const WallpaperPalette* preset = WallpaperPalette::preset(value.toString())) {
            QJsonArray colors;
            for (const QColor& c : preset->colors())
                colors.append(static_cast<qint64>(hexValue(c)));
            entry.insert(QStringLiteral("paletteHex"), colors);
        }
    } else if (key == QLatin1String("paletteHex")) {
        entry.insert(QStringLiteral("paletteName"), QStringLiteral("Personnalisée"));
    }
    state.setScreenOverrides(map);
    return std::nullopt;
}

bool resetScreen(AppState& state, const QString& screen)
{
    ScreenOverrideMap map = state.screenOverrides();
    if (!map.remove(screen))
        return false;
    state.setScreenOverrides(map);
    return true;
}

QString format(const QJsonValue& value)
{
    QJsonArray wrapper{value};
    QByteArray text = QJsonDocument(wrapper).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

std::optional<QString> apply(AppState& state, const QString& key, const QJsonValue& value)
{
    if (const Binding* b = findBinding(key))
        return b->apply(state, key, value);
    return QCoreApplication::translate("SettingsCodec", "clé inconnue « %1 » ; clés : %2")
        .arg(key, allowedList(keys()));
}

} // namespace nivora::SettingsCodec
