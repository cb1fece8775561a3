#pragma once

#include "desktop/FramePacer.h"
#include "desktop/FrameRateMeter.h"
#include "palettes/ColorHex.h"
#include "scene/AnimationClock.h"
#include "scene/Scalars.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>

namespace nivora {

class AppState;
class DesktopSurface;
class DisplayLink;
class DesktopRenderWorker;
class WallpaperWindow;

// The animated scene on one screen. Three threads meet here: the main thread
// (construction, settings snapshots, the setters, stop), the display link's
// thread, which counts refreshes through a FramePacer, and a render thread with
// its own OpenGL context in the process's share group, which draws a frame when
// the pacer lets a tick through. The drawable has the size the controller
// chooses (smaller than the screen at lower quality) and is scaled up to fill
// the window.
//
// Pausing stops the display link, so a paused view costs no wake-ups; its last
// frame stays on screen.
class DesktopRenderView : public QObject
{
    Q_OBJECT

public:
    // What the shader needs from the settings, copied on the main thread.
    struct RenderParams
    {
        float speed = 0.5f;
        float intensity = 0.6f;
        float scale = 0.5f;
        float colorShift = 0.0f;
        float sharpness = 0.5f;
        qint64 scene = 0;
        QList<RGBA> palette;
        // The canvas the scene is laid over, in units of this view's screen
        // (WallpaperRenderer::placeOnCanvas).
        QRectF canvas{0, 0, 1, 1};
    };

    // Builds the view for `window` (an OpenGL wallpaper window) and starts its
    // display link. Null when no OpenGL context or no scene program can be had
    // on the render thread. `index` names the render thread ("nv-render-<index>").
    // `screen` names the screen whose own scene values, if it has any, are
    // drawn instead of the main ones.
    static std::unique_ptr<DesktopRenderView> create(WallpaperWindow* window, quint32 displayID,
                                                     QSize pixelSize, int fps,
                                                     std::unique_ptr<DisplayLink> displayLink,
                                                     AppState& state, int index,
                                                     const QString& screen = QString());
    // The same for a desktop surface that is not a Qt window (a Wayland layer
    // surface): the scene is drawn offscreen and handed to the surface.
    static std::unique_ptr<DesktopRenderView> create(DesktopSurface* surface, quint32 displayID,
                                                     QSize pixelSize, int fps,
                                                     std::unique_ptr<DisplayLink> displayLink,
                                                     AppState& state, int index,
                                                     const QString& screen = QString());
    ~DesktopRenderView() override;

    void setFPS(int fps);
    void setPaused(bool paused);
    // The drawable size in pixels (at least 1 × 1).
    void setPixelSize(QSize size);
    // Lays the scene over a canvas larger than the screen (in units of the
    // screen), so that screens side by side show one scene.
    void setCanvas(const QRectF& canvas);
    // Stops the display link and the settings subscription for good. A frame
    // already being drawn completes.
    void stop();

    quint32 displayID() const { return m_displayID; }
    // The window drawn into; null for a view on a desktop surface.
    WallpaperWindow* window() const { return m_window; }
    DesktopSurface* surface() const { return m_surface; }
    int targetFPS() const { return m_pacer.targetFPS(); }
    int refreshRate() const { return m_pacer.refreshRate(); }
    bool isPaused() const { return m_pacer.isPaused(); }
    bool isStopped() const { return m_stopped; }
    QSize pixelSize() const;
    // Frames delivered per second over the last three seconds.
    double measuredFPS() const;
    quint64 framesDelivered() const { return m_meter.total(); }
    bool isDisplayLinkRunning() const;
    // Whether frames smaller than the screen are scaled up by the X server
    // (software OpenGL) rather than by OpenGL.
    bool scalesOnServer() const;
    // How the last frame reached the screen, for status: "gpu" (OpenGL all
    // the way, into the window or the desktop surface) or "readback" (read
    // back into shared memory, for the X server or the compositor).
    QString path() const;
    RenderParams params() const;
    // The clock frames are drawn with (any thread): the shared one, or the
    // view's own while its screen has a speed of its own.
    AnimationClock& clock();

    // Called by the render worker (render thread): it takes the values of the
    // next frame (which lets the next tick ask for another) and reports the
    // frame once drawn.
    RenderParams takeFrame(QSize* pixelSize);
    void frameDelivered(bool drawn);
    void recordScalars(const Scalars& scalars);
    // The shader's record of the last frame drawn (any thread).
    Scalars lastScalars() const;

private:
    DesktopRenderView(WallpaperWindow* window, quint32 displayID, QSize pixelSize, int fps,
                      std::unique_ptr<DisplayLink> displayLink, AppState& state);
    static std::unique_ptr<DesktopRenderView> start(std::unique_ptr<DesktopRenderView> view,
                                                    DesktopRenderWorker* worker, AppState& state, int index,
                                                    const QString& screen);
    void refreshSnapshot();
    void scheduleSnapshot();
    void onTick();
    void updateLink();

    WallpaperWindow* m_window;
    DesktopSurface* m_surface = nullptr;
    quint32 m_displayID;
    AppState& m_state;
    QString m_screen;
    AnimationClock m_ownClock;
    std::atomic<bool> m_usesOwnClock = false;
    FramePacer m_pacer;
    FrameRateMeter m_meter;
    std::unique_ptr<DisplayLink> m_link;
    QThread m_renderThread;
    DesktopRenderWorker* m_worker = nullptr; // lives on m_renderThread
    QMetaObject::Connection m_subscription;
    bool m_snapshotScheduled = false;
    int m_refreshesAsked = 1; // display-link thread only
    bool m_stopped = false;

    mutable std::mutex m_mutex; // guards m_params, m_pixelSize and m_lastScalars
    RenderParams m_params;
    QRectF m_canvas{0, 0, 1, 1}; // main thread
    QSize m_pixelSize;
    Scalars m_lastScalars;
};

} // namespace nivora
