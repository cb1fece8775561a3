#pragma once

#include "state/WallpaperMode.h"

#include <QString>
#include <QWidget>

class QLabel;
class QTimer;

namespace nivora {

class AppState;
class ShellBackgroundSync;
struct PlatformServices;
class PillToggle;
class SegmentedSelector;

// The "Performance" page: the frame rate, the battery saver, the pause under
// fullscreen windows and launch at login, then a card on how the engine is
// built. The login switch shows what the system really registered.
class PerformancePage : public QWidget
{
    Q_OBJECT

public:
    // The page over the settings it edits, GNOME's background sync it offers
    // and the platform whose route it explains.
    PerformancePage(AppState& state, ShellBackgroundSync& shellBackground, PlatformServices& platform,
                    QWidget* parent = nullptr);
    // The same over the process's own.
    explicit PerformancePage(QWidget* parent = nullptr);

    SegmentedSelector* fpsSelector() const { return m_fps; }
    PillToggle* batterySaverToggle() const { return m_battery; }
    PillToggle* pauseToggle() const { return m_pause; }
    PillToggle* loginToggle() const { return m_login; }

    // The engine card's first row: how the desktop's frames are really made.
    // `path` is the wallpaper's own account of the route its frames take
    // (WallpaperController::renderPath), `hwdec` the video decoder on the
    // graphics card; without one the route is told from the mode and the
    // renderer. Scenes are drawn with OpenGL, on the processor where OpenGL
    // has no graphics card to use; on a Wayland desktop each frame is copied
    // to the compositor; an image is decoded once and drawn without OpenGL.
    struct RenderingRoute
    {
        QString title;
        QString text;
    };
    static RenderingRoute renderingRoute(bool waylandDesktop, bool softwareOpenGL, WallpaperMode mode,
                                         const QString& path = QString(), const QString& hwdec = QString());
    QString renderingTitle() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildSettings();
    QWidget* buildEngineCard();
    void showRenderingRoute();

    AppState& m_state;
    ShellBackgroundSync& m_background;
    PlatformServices& m_platform;
    SegmentedSelector* m_fps = nullptr;
    PillToggle* m_battery = nullptr;
    PillToggle* m_pause = nullptr;
    PillToggle* m_login = nullptr;
    QLabel* m_routeTitle = nullptr;
    QLabel* m_routeText = nullptr;
    // Asks again while the page shows: a scene's route is known once its
    // first frames are out, and changes with the X server's answers.
    QTimer* m_routeRefresh = nullptr;
    PillToggle* m_shellBackground = nullptr; // on GNOME only
};

} // namespace nivora
