#pragma once

#include "model/WidgetCatalog.h"
#include "palettes/ColorHex.h"
#include "state/WallpaperMode.h"

#include <QColor>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <memory>

namespace nivora {

class DefaultsStore;
struct WallpaperPalette;

// Screen name → the values of the per-screen settings that screen has of its
// own, in the settings file's encodings (SettingsCodec checks them).
using ScreenOverrideMap = QMap<QString, QJsonObject>;

// The one settings object of the process. Every setter emits willChange() first
// (also when the value does not change), assigns, then emits the property's own
// change signal with the new value. Saving is debounced: 0.5 s after the last
// willChange() the whole set is written to the defaults store in one batch.
// Main thread only.
class AppState : public QObject
{
    Q_OBJECT

public:
    // The process-wide instance, created and loaded from DefaultsStore::standard()
    // on first use.
    static AppState& shared();

    // A store over any DefaultsStore; tests use this with a private file. The
    // store must outlive the state. `loginItemEnabled` stands for the system's
    // login-item status at creation.
    explicit AppState(DefaultsStore& store, bool loginItemEnabled, QObject* parent = nullptr);
    ~AppState() override;

    bool isRunning() const { return m_isRunning; }
    WallpaperMode wallpaperMode() const { return m_wallpaperMode; }
    // A null string means "no media".
    const QString& mediaPath() const { return m_mediaPath; }
    qint64 sceneIndex() const { return m_sceneIndex; }
    double speed() const { return m_speed; }
    double intensity() const { return m_intensity; }
    double scale() const { return m_scale; }
    double colorShift() const { return m_colorShift; }
    double sharpness() const { return m_sharpness; }
    qint64 renderQuality() const { return m_renderQuality; }
    qint64 fps() const { return m_fps; }
    bool batterySaver() const { return m_batterySaver; }
    bool pauseOnFullscreen() const { return m_pauseOnFullscreen; }
    // One video or image laid over every enabled screen rather than repeated on each.
    bool spanScreens() const { return m_spanScreens; }
    // With a folder as the media: how long each picture stays, and whether
    // its files come in a random order rather than by name.
    qint64 slideMinutes() const { return m_slideMinutes; }
    bool slideShuffle() const { return m_slideShuffle; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    bool autopilot() const { return m_autopilot; }
    qint64 autopilotMinutes() const { return m_autopilotMinutes; }
    const QString& paletteName() const { return m_paletteName; }
    const QList<QColor>& paletteColors() const { return m_paletteColors; }
    const QSet<quint32>& enabledDisplays() const { return m_enabledDisplays; }
    const QSet<QString>& enabledWidgets() const { return m_enabledWidgets; }
    bool clockWidgetShowsDate() const { return m_clockWidgetShowsDate; }
    const QMap<QString, QString>& widgetShapes() const { return m_widgetShapes; }
    const QMap<QString, QString>& widgetSizes() const { return m_widgetSizes; }
    // Entries of screens not connected now are kept: a laptop away from its
    // dock must not lose the desk's choices.
    const ScreenOverrideMap& screenOverrides() const { return m_screenOverrides; }
    // "auto" (the system's language), "fr" or "en".
    const QString& language() const { return m_language; }

    // Always five entries, derived from paletteColors(). Not published: renderers
    // read it on their own schedule.
    const QList<RGBA>& paletteRGBACache() const { return m_paletteRGBACache; }

    void setIsRunning(bool value);
    void setWallpaperMode(WallpaperMode value);
    void setMediaPath(const QString& value);
    void setSceneIndex(qint64 value);
    void setSpeed(double value);
    void setIntensity(double value);
    void setScale(double value);
    void setColorShift(double value);
    void setSharpness(double value);
    void setRenderQuality(qint64 value);
    void setFps(qint64 value);
    void setBatterySaver(bool value);
    void setPauseOnFullscreen(bool value);
    void setSpanScreens(bool value);
    void setSlideMinutes(qint64 value);
    void setSlideShuffle(bool value);
    void setLaunchAtLoginFlag(bool value); // the bare property; see setLaunchAtLogin()
    void setAutopilot(bool value);
    void setAutopilotMinutes(qint64 value);
    void setPaletteName(const QString& value);
    void setPaletteColors(const QList<QColor>& value);
    void setEnabledDisplays(const QSet<quint32>& value);
    void setEnabledWidgets(const QSet<QString>& value);
    void setClockWidgetShowsDate(bool value);
    void setWidgetShapes(const QMap<QString, QString>& value);
    void setWidgetSizes(const QMap<QString, QString>& value);
    void setScreenOverrides(const ScreenOverrideMap& value);
    void setLanguage(const QString& value);

    // Palette operations.
    void rebuildPaletteCache();
    void applyPreset(const WallpaperPalette& palette);
    // The colour at `position`, or the platform grey outside the list.
    QColor paletteColor(qint64 position) const;
    // Replaces one colour and renames the palette "Personnalisée"; positions
    // outside the list change nothing.
    void setPaletteColor(qint64 position, const QColor& color);

    // Operations on the widget settings and the login item.
    void setLaunchAtLogin(bool on);
    void toggleWidget(const QString& identifier);
    WidgetShape widgetShape(const QString& identifier) const;
    WidgetSize widgetSize(const QString& identifier) const;
    void setWidgetShape(const QString& identifier, WidgetShape shape);
    void setWidgetSize(const QString& identifier, WidgetSize size);

    // Writes a pending save now, if one is scheduled. Called on every way out of
    // the process so that a change made just before quitting is not lost.
    void flushPendingSave();
    bool hasPendingSave() const;

    // Test hook: the debounce interval (500 ms in the app).
    void setSaveDelayForTesting(int milliseconds);

    DefaultsStore& store() const { return m_store; }

Q_SIGNALS:
    void willChange();
    void isRunningChanged(bool value);
    void wallpaperModeChanged(nivora::WallpaperMode value);
    void mediaPathChanged(const QString& value);
    void sceneIndexChanged(qint64 value);
    void speedChanged(double value);
    void intensityChanged(double value);
    void scaleChanged(double value);
    void colorShiftChanged(double value);
    void sharpnessChanged(double value);
    void renderQualityChanged(qint64 value);
    void fpsChanged(qint64 value);
    void batterySaverChanged(bool value);
    void pauseOnFullscreenChanged(bool value);
    void spanScreensChanged(bool value);
    void slideMinutesChanged(qint64 value);
    void slideShuffleChanged(bool value);
    void launchAtLoginChanged(bool value);
    void autopilotChanged(bool value);
    void autopilotMinutesChanged(qint64 value);
    void paletteNameChanged(const QString& value);
    void paletteColorsChanged(const QList<QColor>& value);
    void enabledDisplaysChanged(const QSet<quint32>& value);
    void enabledWidgetsChanged(const QSet<QString>& value);
    void clockWidgetShowsDateChanged(bool value);
    void widgetShapesChanged(const QMap<QString, QString>& value);
    void widgetSizesChanged(const QMap<QString, QString>& value);
    void screenOverridesChanged(const nivora::ScreenOverrideMap& value);
    void languageChanged(const QString& value);
    // Emitted after every save the debounce (or a flush) performed.
    void saved();

private:
    void load();
    void save();
    void assignPaletteColors(const QList<QColor>& value, bool rebuild);

    DefaultsStore& m_store;
    QTimer m_saveTimer;
    bool m_isLoading = false;

    bool m_isRunning = true;
    WallpaperMode m_wallpaperMode = WallpaperMode::Scene;
    QString m_mediaPath;
    qint64 m_sceneIndex = 0;
    double m_speed = 0.5;
    double m_intensity = 0.6;
    double m_scale = 0.5;
    double m_colorShift = 0.0;
    double m_sharpness = 0.5;
    qint64 m_renderQuality = 1080;
    qint64 m_fps = 30;
    bool m_batterySaver = true;
    bool m_pauseOnFullscreen = false;
    bool m_spanScreens = false;
    qint64 m_slideMinutes = 10;
    bool m_slideShuffle = false;
    bool m_launchAtLogin = false;
    bool m_autopilot = false;
    qint64 m_autopilotMinutes = 5;
    QString m_paletteName;
    QList<QColor> m_paletteColors;
    QSet<quint32> m_enabledDisplays;
    QSet<QString> m_enabledWidgets;
    bool m_clockWidgetShowsDate = true;
    QMap<QString, QString> m_widgetShapes;
    QMap<QString, QString> m_widgetSizes;
    ScreenOverrideMap m_screenOverrides;
    QString m_language = QStringLiteral("auto");
    QList<RGBA> m_paletteRGBACache;
};

} // namespace nivora
