#pragma once

#include "media/VideoTarget.h"

#include <QByteArray>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <atomic>
#include <memory>
#include <vector>

struct mpv_render_context;
class QThread;

namespace nivora {

struct MpvRenderApi;
class DesktopSurface;
class WallpaperWindow;
class X11ScaledPresenter;

// Converts video frames on the processor (libmpv's software render API) into
// shared memory and has the X server put them on wallpaper windows, on a
// thread of its own so that a frame's conversion never holds up the main
// loop. Used with software OpenGL, where mpv's OpenGL shaders cost several
// times what its SIMD converter does. Each frame is converted once, whole,
// however many screens show the video: each window shows its own part of it
// (MediaLayout), cropped and scaled by the X server, or by the compositor
// for a desktop surface.
//
// The owner creates the render context, hands it over with start(), and
// frees it only after stop() has returned. Between the two, frames are drawn
// on the renderer's thread only.
class SoftwareVideoRenderer : public QObject
{
    Q_OBJECT

public:
    // For the target's window: null when the X server cannot take frames
    // from our memory (no RENDER or MIT-SHM, or not X11). For its desktop
    // surface (Wayland), which takes the frames into shared memory and has
    // the compositor scale them: a frame that comes while the compositor has
    // not shown the previous one is dropped.
    static std::unique_ptr<SoftwareVideoRenderer> create(const VideoTarget& target);
    ~SoftwareVideoRenderer() override;

    // Starts the thread, named `threadName`, drawing with `context` (a
    // software render context of `api`). Paints the window black until the
    // first frame.
    void start(const MpvRenderApi* api, mpv_render_context* context, const QString& threadName);
    // Stops the thread; nothing is drawn afterwards. The render context can
    // be freed once this returns.
    void stop();

    // One more screen showing the same frames, of the same kind as the
    // first (a window, or a desktop surface). It must outlive the renderer.
    void addTarget(const VideoTarget& target);

    // The size of the video as displayed, once known; empty before.
    void setVideoSize(QSize size);

    quint64 framesDrawn() const { return m_framesDrawn.load(); }

    // Tests make every present fail, as when the X server stops taking
    // frames, to check the switch to OpenGL; the shipped app never does.
    static void setPresentsFailForTesting(bool fail);
    // Benchmarks and tests watch every video frame as it is converted (on the
    // render thread, with its bgr0 pixels), to time frames around the loop
    // point; null stops it. The shipped app never sets one.
    using FrameObserver = void (*)(void* data, const unsigned char* pixels, QSize size);
    static void setFrameObserverForTesting(FrameObserver observer, void* data);

    // Thread-safe: asks the render thread for the next frame, or to draw the
    // current one again (after an exposure), or to paint black.
    void requestUpdate();
    void requestRedraw(bool clearOnly);

Q_SIGNALS:
    // The X server stopped taking frames; the owner draws with OpenGL from
    // now on. Emitted on the render thread.
    void failed();
    // The first video frame reached the window (or surface). Emitted once, on
    // the render thread.
    void firstFrameDrawn();

private:
    struct Output
    {
        WallpaperWindow* window = nullptr;
        DesktopSurface* surface = nullptr;
        quint32 windowId = 0;
        QSize pixels;
        QRectF screen;
        QRectF canvas;
    };

    SoftwareVideoRenderer() = default;
    static Output outputFor(const VideoTarget& target);
    void layOut();
    bool presentToSurfaces(bool clearOnly);
    void renderInto(unsigned char* memory, QSize frame);
    void update();
    void draw(bool clearOnly);
    bool present(bool clearOnly);

    QByteArray m_scratch; // render thread: a frame before it is cut up
    const MpvRenderApi* m_api = nullptr;
    mpv_render_context* m_context = nullptr;
    std::unique_ptr<X11ScaledPresenter> m_presenter;
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr;
    // Render thread only, once started.
    std::vector<Output> m_outputs;
    bool m_failed = false;
    // The layout the presenter was made for: the video size it followed, the
    // size frames are converted at, and each output's part of a frame.
    QSize m_laidOutVideo;
    QSize m_frame;
    std::vector<QRectF> m_parts;
    bool m_layoutStale = true;
    // Written by the owner, read on the render thread.
    std::atomic<int> m_videoWidth{0};
    std::atomic<int> m_videoHeight{0};
    std::atomic<quint64> m_framesDrawn{0};
    bool m_overPrevious = false;
};

} // namespace nivora
