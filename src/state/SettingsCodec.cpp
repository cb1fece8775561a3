#include "state/SettingsCodec.h"

#include "model/SettingsSchema.h"
#include "model/WidgetCatalog.h"
#include "palettes/WallpaperPalette.h"
#include "state/AppState.h"

#include <QJsonArray>
#include <QJsonDocument>
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
    return QStringLiteral("%1: valeur refusée, valeurs permises : %2").arg(key, allowedList(items));
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
    const QString expected = QStringLiteral("%1: attendu un objet {widget: %2}, widgets : %3")
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

} // namespace

const QStringList& keys()
{
    static const QStringList list = SettingsSchema::keys();
    return list;
}

QJsonObject toJson(const AppState& s)
{
    QJsonArray hex;
    for (const QColor& c : s.paletteColors())
        hex.append(static_cast<qint64>(hexValue(c)));
    const QSet<QString> widgetSet = s.enabledWidgets();
    QStringList widgets(widgetSet.begin(), widgetSet.end());
    widgets.sort();
    const QSet<quint32> displaySet = s.enabledDisplays();
    QList<quint32> displays(displaySet.begin(), displaySet.end());
    std::sort(displays.begin(), displays.end());
    QJsonArray displayArray;
    for (quint32 d : displays)
        displayArray.append(static_cast<qint64>(d));
    QJsonObject shapes;
    const QMap<QString, QString> shapeMap = s.widgetShapes();
    for (auto it = shapeMap.begin(); it != shapeMap.end(); ++it)
        shapes.insert(it.key(), it.value());
    QJsonObject sizes;
    const QMap<QString, QString> sizeMap = s.widgetSizes();
    for (auto it = sizeMap.begin(); it != sizeMap.end(); ++it)
        sizes.insert(it.key(), it.value());

    QJsonObject o;
    o.insert(QStringLiteral("isRunning"), s.isRunning());
    o.insert(QStringLiteral("wallpaperMode"), WallpaperModes::id(s.wallpaperMode()));
    o.insert(QStringLiteral("mediaPath"),
             s.mediaPath().isNull() ? QString(QLatin1String("")) : s.mediaPath());
    o.insert(QStringLiteral("sceneIndex"), s.sceneIndex());
    o.insert(QStringLiteral("speed"), s.speed());
    o.insert(QStringLiteral("intensity"), s.intensity());
    o.insert(QStringLiteral("scale"), s.scale());
    o.insert(QStringLiteral("colorShift"), s.colorShift());
    o.insert(QStringLiteral("sharpness"), s.sharpness());
    o.insert(QStringLiteral("renderQuality"), s.renderQuality());
    o.insert(QStringLiteral("fps"), s.fps());
    o.insert(QStringLiteral("batterySaver"), s.batterySaver());
    o.insert(QStringLiteral("pauseOnFullscreen"), s.pauseOnFullscreen());
    o.insert(QStringLiteral("launchAtLogin"), s.launchAtLogin());
    o.insert(QStringLiteral("autopilot"), s.autopilot());
    o.insert(QStringLiteral("autopilotMinutes"), s.autopilotMinutes());
    o.insert(QStringLiteral("paletteName"), s.paletteName());
    o.insert(QStringLiteral("paletteHex"), hex);
    o.insert(QStringLiteral("enabledDisplays"), displayArray);
    o.insert(QStringLiteral("enabledWidgets"), QJsonArray::fromStringList(widgets));
    o.insert(QStringLiteral("clockWidgetShowsDate"), s.clockWidgetShowsDate());
    o.insert(QStringLiteral("widgetShapes"), shapes);
    o.insert(QStringLiteral("widgetSizes"), sizes);
    return o;
}

std::optional<QJsonValue> parseValue(const QString& text, QString* error)
{
    // Wrapping in an array lets the document parser accept bare scalars.
    QJsonParseError parseError{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray("[") + text.toUtf8() + QByteArray("\n]"), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1) {
        if (error)
            *error = QStringLiteral("JSON invalide : %1").arg(text);
        return std::nullopt;
    }
    const QJsonValue v = doc.array().first();
    if (v.isDouble() && !std::isfinite(v.toDouble())) {
        if (error)
            *error = QStringLiteral("nombre non fini : %1").arg(text);
        return std::nullopt;
    }
    return v;
}

QString format(const QJsonValue& value)
{
    QJsonArray wrapper{value};
    QByteArray text = QJsonDocument(wrapper).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

std::optional<QString> apply(AppState& state, const QString& key, const QJsonValue& value)
{
    auto boolKey = [&](void (AppState::*setter)(bool)) -> std::optional<QString> {
        if (!value.isBool())
            return QStringLiteral("%1: attendu true ou false").arg(key);
        (state.*setter)(value.toBool());
        return std::nullopt;
    };
    // Tuning values must be finite and within their range: the renderer would
    // clamp anything else, and the file would keep a value no control shows.
    auto tuningKey = [&](void (AppState::*setter)(double)) -> std::optional<QString> {
        const SettingsSchema::Setting& setting = SettingsSchema::get(key);
        if (!value.isDouble() || !SettingsSchema::allows(setting, value.toDouble()))
            return QStringLiteral("%1: attendu un nombre fini de %2")
                .arg(key, SettingsSchema::allowedText(setting));
        (state.*setter)(value.toDouble());
        return std::nullopt;
    };
    auto choiceKey = [&](void (AppState::*setter)(qint64)) -> std::optional<QString> {
        const SettingsSchema::Setting& setting = SettingsSchema::get(key);
        const auto n = exactInteger(value);
        if (!n || !SettingsSchema::allows(setting, double(*n)))
            return oneOf(key, setting.choices);
        (state.*setter)(*n);
        return std::nullopt;
    };

    if (key == QLatin1String("isRunning"))
        return boolKey(&AppState::setIsRunning);
    if (key == QLatin1String("batterySaver"))
        return boolKey(&AppState::setBatterySaver);
    if (key == QLatin1String("pauseOnFullscreen"))
        return boolKey(&AppState::setPauseOnFullscreen);
    if (key == QLatin1String("autopilot"))
        return boolKey(&AppState::setAutopilot);
    if (key == QLatin1String("clockWidgetShowsDate"))
        return boolKey(&AppState::setClockWidgetShowsDate);
    if (key == QLatin1String("launchAtLogin"))
        return boolKey(&AppState::setLaunchAtLogin);
    if (key == QLatin1String("speed"))
        return tuningKey(&AppState::setSpeed);
    if (key == QLatin1String("intensity"))
        return tuningKey(&AppState::setIntensity);
    if (key == QLatin1String("scale"))
        return tuningKey(&AppState::setScale);
    if (key == QLatin1String("colorShift"))
        return tuningKey(&AppState::setColorShift);
    if (key == QLatin1String("sharpness"))
        return tuningKey(&AppState::setSharpness);
    if (key == QLatin1String("fps"))
        return choiceKey(&AppState::setFps);
    if (key == QLatin1String("renderQuality"))
        return choiceKey(&AppState::setRenderQuality);
    if (key == QLatin1String("autopilotMinutes"))
        return choiceKey(&AppState::setAutopilotMinutes);

    if (key == QLatin1String("sceneIndex")) {
        const SettingsSchema::Setting& setting = SettingsSchema::get(key);
        const auto n = exactInteger(value);
        if (!n || !SettingsSchema::allows(setting, double(*n)))
            return QStringLiteral("%1: attendu un entier de %2")
                .arg(key, SettingsSchema::allowedText(setting));
        state.setSceneIndex(*n);
        return std::nullopt;
    }
    if (key == QLatin1String("wallpaperMode")) {
        const auto mode = value.isString() ? WallpaperModes::fromId(value.toString()) : std::nullopt;
        if (!mode)
            return QStringLiteral("%1: valeurs permises : \"scene\", \"video\", \"image\"").arg(key);
        state.setWallpaperMode(*mode);
        return std::nullopt;
    }
    if (key == QLatin1String("mediaPath")) {
        if (value.isNull()) {
            state.setMediaPath(QString());
            return std::nullopt;
        }
        if (!value.isString())
            return QStringLiteral("%1: attendu un chemin (texte), \"\" pour aucun").arg(key);
        state.setMediaPath(value.toString().isEmpty() ? QString() : value.toString());
        return std::nullopt;
    }
    if (key == QLatin1String("paletteName")) {
        if (!value.isString())
            return QStringLiteral("%1: attendu un texte").arg(key);
        // Naming a preset chooses it, as its card on the colours page does; any
        // other name is only a label.
        if (const WallpaperPalette* preset = WallpaperPalette::preset(value.toString()))
            state.applyPreset(*preset);
        else
            state.setPaletteName(value.toString());
        return std::nullopt;
    }
    if (key == QLatin1String("paletteHex")) {
        const QString expected =
            QStringLiteral("%1: attendu une liste de 5 entiers 0xRRGGBB (0 à 16777215)").arg(key);
        if (!value.isArray() || value.toArray().size() != 5)
            return expected;
        QList<QColor> colors;
        for (const QJsonValue& v : value.toArray()) {
            const auto n = exactInteger(v);
            if (!n || *n < 0 || *n > 0xFFFFFF)
                return expected;
            colors.append(colorFromHex(static_cast<quint32>(*n)));
        }
        // Editing colours by hand is what the colour wells do: the palette becomes custom.
        state.setPaletteName(QStringLiteral("Personnalisée"));
        state.setPaletteColors(colors);
        return std::nullopt;
    }
    if (key == QLatin1String("enabledDisplays")) {
        const QString expected =
            QStringLiteral("%1: attendu une liste d'identifiants d'écran (0 à 4294967295)").arg(key);
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
    if (key == QLatin1String("enabledWidgets")) {
        const QString expected =
            QStringLiteral("%1: attendu une liste parmi %2").arg(key, allowedList(widgetIds()));
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
    if (key == QLatin1String("widgetShapes"))
        return applyWidgetMap(state, key, value, shapeIds(), true);
    if (key == QLatin1String("widgetSizes"))
        return applyWidgetMap(state, key, value, sizeIds(), false);

    return QStringLiteral("clé inconnue « %1 » ; clés : %2").arg(key, allowedList(keys()));
}

} // namespace nivora::SettingsCodec
