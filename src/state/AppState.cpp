#include "state/AppState.h"

#include "palettes/WallpaperPalette.h"
#include "state/DefaultsStore.h"
#include "state/LaunchAtLogin.h"
#include "state/SettingsCodec.h"

namespace nivora {

namespace {

constexpr int kSaveDelayMs = 500;

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
    SettingsCodec::load(*this, m_store);
}

void AppState::save()
{
    if (m_isLoading)
        return;
    // One atomic replace of the file for the whole set.
    const QJsonObject values = SettingsCodec::storedJson(*this);
    m_store.setValues(values);
    // The per-screen key is written only while a screen has values of its
    // own, and the language only while one is chosen, so a file from before
    // them saves unchanged.
    for (const QString& key : {QStringLiteral("screenOverrides"), QStringLiteral("language")}) {
        if (!values.contains(key) && m_store.contains(key))
            m_store.remove(key);
    }
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
NIVORA_SETTER(setSpanScreens, m_spanScreens, bool, spanScreensChanged)
NIVORA_SETTER(setSlideMinutes, m_slideMinutes, qint64, slideMinutesChanged)
NIVORA_SETTER(setSlideShuffle, m_slideShuffle, bool, slideShuffleChanged)
NIVORA_SETTER(setLaunchAtLoginFlag, m_launchAtLogin, bool, launchAtLoginChanged)
NIVORA_SETTER(setAutopilot, m_autopilot, bool, autopilotChanged)
NIVORA_SETTER(setAutopilotMinutes, m_autopilotMinutes, qint64, autopilotMinutesChanged)
NIVORA_SETTER(setPaletteName, m_paletteName, const QString&, paletteNameChanged)
NIVORA_SETTER(setEnabledDisplays, m_enabledDisplays, const QSet<quint32>&, enabledDisplaysChanged)
NIVORA_SETTER(setEnabledWidgets, m_enabledWidgets, const QSet<QString>&, enabledWidgetsChanged)
NIVORA_SETTER(setClockWidgetShowsDate, m_clockWidgetShowsDate, bool, clockWidgetShowsDateChanged)
NIVORA_SETTER(setWidgetShapes, m_widgetShapes, const StringMap&, widgetShapesChanged)
NIVORA_SETTER(setWidgetSizes, m_widgetSizes, const StringMap&, widgetSizesChanged)
NIVORA_SETTER(setScreenOverrides, m_screenOverrides, const ScreenOverrideMap&, screenOverridesChanged)
NIVORA_SETTER(setLanguage, m_language, const QString&, languageChanged)

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
    m_paletteRGBACache = shaderPalette(m_paletteColors);
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
