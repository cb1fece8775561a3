#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <atomic>
#include <memory>

struct mpv_render_context;
class QThread;

namespace nivora {

struct MpvRenderApi;
class DesktopSurface;
class WallpaperWindow;
class X11ScaledPresenter;

// Converts video frames on the processor (libmpv's software render API) into
// shared memory and has the X server put them on a wallpaper window, on a
// thread of its own so that a frame's conversion never holds up the main
// loop. Used with software OpenGL, where mpv's OpenGL shaders cost several
// times what its SIMD converter does.
//
// The owner creates the render context, hands it over with start(), and
// frees it only after stop() has returned. Between the two, frames are drawn
// on the renderer's thread only.
class SoftwareVideoRenderer : public QObject
{
    Q_OBJECT

public:
    // Null when the X server cannot take frames from our memory (no RENDER or
    // MIT-SHM, or not X11).
    static std::unique_ptr<SoftwareVideoRenderer> create(WallpaperWindow* window);
    // The same for a desktop surface (Wayland), which takes the frames into
    // shared memory and has the compositor scale them. A frame that comes
    // while the compositor has not shown the previous one is dropped.
    static std::unique_ptr<SoftwareVideoRenderer> create(DesktopSurface* surface);
    ~SoftwareVideoRenderer() override;

    // Starts the thread, named `threadName`, drawing with `context` (a
    // software render context of `api`). Paints the window black until the
    // first frame.
    void start(const MpvRenderApi* api, mpv_render_context* context, const QString& threadName);
    // Stops the thread; nothing is drawn afterwards. The render context can
    // be freed once this returns.
    void stop();

    // The size of the video as displayed, once known; empty before.
    void setVideoSize(QSize size);

    quint64 framesDrawn() const { return m_framesDrawn.load(); }

    // Tests make every present fail, as when the X server stops taking
    // frames, to check the switch to OpenGL; the shipped app never does.
    static void setPresentsFailForTesting(bool fail);

    // Thread-safe: asks the render thread for the next frame, or to draw the
    // current one again (after an exposure), or to paint black.
    void requestUpdate();
    void requestRedraw(QSize windowPixels, bool clearOnly);

Q_SIGNALS:
    // The X server stopped taking frames; the owner draws with OpenGL from
    // now on. Emitted on the render thread.
    void failed();
    // The first video frame reached the window (or surface). Emitted once, on
    // the render thread.
    void firstFrameDrawn();

private:
    explicit SoftwareVideoRenderer(WallpaperWindow* window);
    bool presentToSurface(QSize windowPixels, bool clearOnly);
    void renderInto(unsigned char* memory, QSize frame);
    void update();
    void draw(QSize windowPixels, bool clearOnly);
    bool present(QSize windowPixels, bool clearOnly);
    QSize frameSize(QSize windowPixels) const;

    WallpaperWindow* m_window;
    DesktopSurface* m_surface = nullptr;
    QByteArray m_scratch; // render thread: frames the surface could not take
    quint32 m_windowId = 0;
    const MpvRenderApi* m_api = nullptr;
    mpv_render_context* m_context = nullptr;
    std::unique_ptr<X11ScaledPresenter> m_presenter;
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr;
    // Render thread only.
    QSize m_windowPixels;
    bool m_failed = false;
    // Written by the owner, read on the render thread.
    std::atomic<int> m_videoWidth{0};
    std::atomic<int> m_videoHeight{0};
    std::atomic<quint64> m_framesDrawn{0};
};

} // namespace nivora
