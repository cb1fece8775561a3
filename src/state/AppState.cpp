#include "state/AppState.h"

#include "model/SettingsSchema.h"
#include "palettes/WallpaperPalette.h"
#include "state/DefaultsStore.h"
#include "state/LaunchAtLogin.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

constexpr int kSaveDelayMs = 500;

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

} // namespace

AppState& AppState::shared()
{
    static AppState* instance = new AppState(DefaultsStore::standard(), LaunchAtLogin::isEnabled());
    return *instance;
}

AppState::AppState(DefaultsStore& store, bool loginItemEnabled, QObject* parent)
    : QObject(parent), m_store(store)
{
    const QList<WallpaperPalette>& presets = WallpaperPalette::presets();
    Q_ASSERT(!presets.isEmpty());
    m_paletteName = presets.first().name;
    m_paletteColors = presets.first().colors();
    rebuildPaletteCache();

    if (m_store.contains(QStringLiteral("speed"))) {
        m_isLoading = true;
        load();
        m_isLoading = false;
        rebuildPaletteCache();
    }

    m_isLoading = true;
    setLaunchAtLoginFlag(loginItemEnabled);
    m_isLoading = false;

    m_saveTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the quiet period is a promise.
    m_saveTimer.setTimerType(Qt::PreciseTimer);
    m_saveTimer.setInterval(kSaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &AppState::save);
    // Connected only now, so loading itself never schedules a save.
    connect(this, &AppState::willChange, &m_saveTimer, qOverload<>(&QTimer::start));
}

AppState::~AppState() = default;

void AppState::load()
{
    const DefaultsStore& s = m_store;
    setIsRunning(s.boolValue(QStringLiteral("isRunning")));
    if (const auto text = s.stringValue(QStringLiteral("wallpaperMode"))) {
        if (const auto mode = WallpaperModes::fromId(*text))
            setWallpaperMode(*mode);
    }
    const auto media = s.stringValue(QStringLiteral("mediaPath"));
    setMediaPath(media && !media->isEmpty() ? *media : QString());
    setSceneIndex(s.integerValue(QStringLiteral("sceneIndex")));
    setSpeed(s.doubleValue(QStringLiteral("speed")));
    setIntensity(s.doubleValue(QStringLiteral("intensity")));
    setScale(s.doubleValue(QStringLiteral("scale")));
    setColorShift(s.doubleValue(QStringLiteral("colorShift")));
    setSharpness(s.contains(QStringLiteral("sharpness")) ? s.doubleValue(QStringLiteral("sharpness")) : 0.5);
    setRenderQuality(s.integerValue(QStringLiteral("renderQuality")));
    setFps(s.integerValue(QStringLiteral("fps")));
    setBatterySaver(s.boolValue(QStringLiteral("batterySaver")));
    setPauseOnFullscreen(s.boolValue(QStringLiteral("pauseOnFullscreen")));
    setAutopilot(s.boolValue(QStringLiteral("autopilot")));
    setAutopilotMinutes(s.integerValue(QStringLiteral("autopilotMinutes")));
    if (const auto name = s.stringValue(QStringLiteral("paletteName")))
        setPaletteName(*name);
    if (const auto colors = paletteFromStored(s.value(QStringLiteral("paletteHex"))))
        setPaletteColors(*colors);
    setEnabledWidgets(stringSet(s.value(QStringLiteral("enabledWidgets"))));
    setClockWidgetShowsDate(s.contains(QStringLiteral("clockWidgetShowsDate"))
                                ? s.boolValue(QStringLiteral("clockWidgetShowsDate"))
                                : true);
    setWidgetShapes(stringMap(s.value(QStringLiteral("widgetShapes"))));
    setWidgetSizes(stringMap(s.value(QStringLiteral("widgetSizes"))));

    // Values the table does not allow fall back to their defaults. The tuning
    // values are kept as stored, whatever they are: the renderer bounds its own
    // copy, and the file is not rewritten for it.
    using SettingsSchema::allows;
    using SettingsSchema::get;
    if (!allows(get(QStringLiteral("fps")), double(m_fps)))
        setFps(qint64(get(QStringLiteral("fps")).defaultValue));
    if (!allows(get(QStringLiteral("renderQuality")), double(m_renderQuality)))
        setRenderQuality(qint64(get(QStringLiteral("renderQuality")).defaultValue));
    if (!allows(get(QStringLiteral("autopilotMinutes")), double(m_autopilotMinutes)))
        setAutopilotMinutes(qint64(get(QStringLiteral("autopilotMinutes")).defaultValue));
    if (!allows(get(QStringLiteral("sceneIndex")), double(m_sceneIndex)))
        setSceneIndex(qint64(get(QStringLiteral("sceneIndex")).defaultValue));
}

void AppState::save()
{
    if (m_isLoading)
        return;
    QJsonArray hex;
    for (const QColor& c : m_paletteColors)
        hex.append(static_cast<qint64>(hexValue(c)));
    QStringList widgets(m_enabledWidgets.begin(), m_enabledWidgets.end());
    widgets.sort();

    QJsonObject o;
    o.insert(QStringLiteral("isRunning"), m_isRunning);
    o.insert(QStringLiteral("wallpaperMode"), WallpaperModes::id(m_wallpaperMode));
    o.insert(QStringLiteral("mediaPath"), m_mediaPath.isNull() ? QString(QLatin1String("")) : m_mediaPath);
    o.insert(QStringLiteral("sceneIndex"), m_sceneIndex);
    o.insert(QStringLiteral("speed"), m_speed);
    o.insert(QStringLiteral("intensity"), m_intensity);
    o.insert(QStringLiteral("scale"), m_scale);
    o.insert(QStringLiteral("colorShift"), m_colorShift);
    o.insert(QStringLiteral("sharpness"), m_sharpness);
    o.insert(QStringLiteral("renderQuality"), m_renderQuality);
    o.insert(QStringLiteral("fps"), m_fps);
    o.insert(QStringLiteral("batterySaver"), m_batterySaver);
    o.insert(QStringLiteral("pauseOnFullscreen"), m_pauseOnFullscreen);
    o.insert(QStringLiteral("autopilot"), m_autopilot);
    o.insert(QStringLiteral("autopilotMinutes"), m_autopilotMinutes);
    o.insert(QStringLiteral("paletteName"), m_paletteName);
    o.insert(QStringLiteral("paletteHex"), hex);
    o.insert(QStringLiteral("enabledWidgets"), QJsonArray::fromStringList(widgets));
    o.insert(QStringLiteral("clockWidgetShowsDate"), m_clockWidgetShowsDate);
    o.insert(QStringLiteral("widgetShapes"), mapToJson(m_widgetShapes));
    o.insert(QStringLiteral("widgetSizes"), mapToJson(m_widgetSizes));
    // One atomic replace of the file for the whole set.
    m_store.setValues(o);
    Q_EMIT saved();
}

void AppState::flushPendingSave()
{
    if (!m_saveTimer.isActive())
        return;
    m_saveTimer.stop();
    save();
}

bool AppState::hasPendingSave() const
{
    return m_saveTimer.isActive();
}

void AppState::setSaveDelayForTesting(int milliseconds)
{
    m_saveTimer.setInterval(milliseconds);
}

using StringMap = QMap<QString, QString>;

// Every setter announces the change first, even when the value is the same, so
// that observers and the save debounce see each assignment.
#define NIVORA_SETTER(Name, member, Type, signal)                                                            \
    void AppState::Name(Type value)                                                                          \
    {                                                                                                        \
        Q_EMIT willChange();                                                                                 \
        member = value;                                                                                      \
        Q_EMIT signal(member);                                                                               \
    }

NIVORA_SETTER(setIsRunning, m_isRunning, bool, isRunningChanged)
NIVORA_SETTER(setWallpaperMode, m_wallpaperMode, WallpaperMode, wallpaperModeChanged)
NIVORA_SETTER(setMediaPath, m_mediaPath, const QString&, mediaPathChanged)
NIVORA_SETTER(setSceneIndex, m_sceneIndex, qint64, sceneIndexChanged)
NIVORA_SETTER(setSpeed, m_speed, double, speedChanged)
NIVORA_SETTER(setIntensity, m_intensity, double, intensityChanged)
NIVORA_SETTER(setScale, m_scale, double, scaleChanged)
NIVORA_SETTER(setColorShift, m_colorShift, double, colorShiftChanged)
NIVORA_SETTER(setSharpness, m_sharpness, double, sharpnessChanged)
NIVORA_SETTER(setRenderQuality, m_renderQuality, qint64, renderQualityChanged)
NIVORA_SETTER(setFps, m_fps, qint64, fpsChanged)
NIVORA_SETTER(setBatterySaver, m_batterySaver, bool, batterySaverChanged)
NIVORA_SETTER(setPauseOnFullscreen, m_pauseOnFullscreen, bool, pauseOnFullscreenChanged)
NIVORA_SETTER(setLaunchAtLoginFlag, m_launchAtLogin, bool, launchAtLoginChanged)
NIVORA_SETTER(setAutopilot, m_autopilot, bool, autopilotChanged)
NIVORA_SETTER(setAutopilotMinutes, m_autopilotMinutes, qint64, autopilotMinutesChanged)
NIVORA_SETTER(setPaletteName, m_paletteName, const QString&, paletteNameChanged)
NIVORA_SETTER(setEnabledDisplays, m_enabledDisplays, const QSet<quint32>&, enabledDisplaysChanged)
NIVORA_SETTER(setEnabledWidgets, m_enabledWidgets, const QSet<QString>&, enabledWidgetsChanged)
NIVORA_SETTER(setClockWidgetShowsDate, m_clockWidgetShowsDate, bool, clockWidgetShowsDateChanged)
NIVORA_SETTER(setWidgetShapes, m_widgetShapes, const StringMap&, widgetShapesChanged)
NIVORA_SETTER(setWidgetSizes, m_widgetSizes, const StringMap&, widgetSizesChanged)

#undef NIVORA_SETTER

void AppState::setPaletteColors(const QList<QColor>& value)
{
    assignPaletteColors(value, true);
}

void AppState::assignPaletteColors(const QList<QColor>& value, bool rebuild)
{
    Q_EMIT willChange();
    m_paletteColors = value;
    if (rebuild)
        rebuildPaletteCache();
    Q_EMIT paletteColorsChanged(m_paletteColors);
}

void AppState::rebuildPaletteCache()
{
    QList<RGBA> cache;
    cache.reserve(5);
    for (const QColor& c : m_paletteColors)
        cache.append(rgba(c));
    while (cache.size() < 5)
        cache.append(RGBA{0.5f, 0.5f, 0.5f, 1.0f});
    if (cache.size() > 5)
        cache.resize(5);
    m_paletteRGBACache = std::move(cache);
}

void AppState::applyPreset(const WallpaperPalette& palette)
{
    setPaletteName(palette.name);
    assignPaletteColors(palette.colors(), false);
    rebuildPaletteCache();
}

QColor AppState::paletteColor(qint64 position) const
{
    if (position < 0 || position >= m_paletteColors.size())
        return platformGray();
    return m_paletteColors.at(position);
}

void AppState::setPaletteColor(qint64 position, const QColor& color)
{
    if (position < 0 || position >= m_paletteColors.size())
        return;
    QList<QColor> colors = m_paletteColors;
    colors[position] = color;
    setPaletteName(QStringLiteral("Personnalisée"));
    setPaletteColors(colors);
}

void AppState::setLaunchAtLogin(bool on)
{
    setLaunchAtLoginFlag(on);
    LaunchAtLogin::set(on);
    // A registration that failed must not show as done: follow the real status.
    const bool actual = LaunchAtLogin::isEnabled();
    if (actual != on)
        setLaunchAtLoginFlag(actual);
}

void AppState::toggleWidget(const QString& identifier)
{
    QSet<QString> widgets = m_enabledWidgets;
    if (widgets.contains(identifier))
        widgets.remove(identifier);
    else
        widgets.insert(identifier);
    setEnabledWidgets(widgets);
}

WidgetShape AppState::widgetShape(const QString& identifier) const
{
    return WidgetShapes::fromId(m_widgetShapes.value(identifier)).value_or(WidgetShape::Card);
}

WidgetSize AppState::widgetSize(const QString& identifier) const
{
    return WidgetSizes::fromId(m_widgetSizes.value(identifier)).value_or(WidgetSize::Medium);
}

void AppState::setWidgetShape(const QString& identifier, WidgetShape shape)
{
    QMap<QString, QString> shapes = m_widgetShapes;
    shapes.insert(identifier, WidgetShapes::id(shape));
    setWidgetShapes(shapes);
}

void AppState::setWidgetSize(const QString& identifier, WidgetSize size)
{
    QMap<QString, QString> sizes = m_widgetSizes;
    sizes.insert(identifier, WidgetSizes::id(size));
    setWidgetSizes(sizes);
}

} // namespace nivora
