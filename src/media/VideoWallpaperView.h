#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QString>
#include <memory>

struct mpv_handle;
struct mpv_render_context;
class QOpenGLContext;

namespace nivora {

struct MpvLibrary;
struct MpvRenderApi;
class DesktopSurface;
class SoftwareVideoRenderer;
class WallpaperWindow;

// A video looping silently over one wallpaper window, scaled to fill it and
// cropped (never letterboxed). libmpv decodes and renders through its render
// API into the wallpaper window: mpv never creates a window of its own, so the
// window keeps its desktop type, its empty input shape and its place in the
// stacking order. The window stays black while nothing is decoded, and for
// good when the file cannot be decoded at all. Main thread.
//
// With a GPU mpv renders with OpenGL into a context of ours, on the main
// thread. With software OpenGL its colour conversion shader costs about three
// times what its processor converter does, so a SoftwareVideoRenderer
// converts on a thread of its own and the X server puts the frames on the
// window.
class VideoWallpaperView : public QObject
{
    Q_OBJECT

public:
    // A player for `path` in `window` (an OpenGL wallpaper window), already
    // playing; null when the path names no regular file, names a playlist or
    // an address (MediaPathCheck), or when libmpv or OpenGL cannot start.
    static std::unique_ptr<VideoWallpaperView> create(const QString& path, WallpaperWindow* window);
    // The same on a desktop surface (Wayland): frames are always converted
    // on the processor and handed to the surface, which the compositor
    // scales.
    static std::unique_ptr<VideoWallpaperView> create(const QString& path, DesktopSurface* surface);
    // Pauses and releases the player.
    ~VideoWallpaperView() override;

    void play();
    void pause();
    bool isPaused() const { return m_paused; }

    // Player properties as text (empty when unavailable), for tests and status.
    QString property(const QByteArray& name) const;
    // Whether a video frame size is known, i.e. something was decoded.
    bool hasVideo() const;
    // Frames drawn into the window so far.
    quint64 framesDrawn() const;
    // Whether frames go to the window through the X server (converted on the
    // processor) rather than through OpenGL.
    bool scalesOnServer() const { return m_software != nullptr; }

Q_SIGNALS:
    // The player opened the file and found no picture in it (an empty file,
    // not a video, a stream it cannot decode). Emitted once.
    void unplayable();
    // The first frame of the file reached the screen: opening and decoding
    // it did not take the process down. Emitted once.
    void firstFrameShown();

private:
    VideoWallpaperView() = default;
    static std::unique_ptr<VideoWallpaperView> makePlayer(const QString& path);
    bool listenAndLoad(const QString& path);
    void drainEvents();
    void renderUpdate();
    bool createRenderContext(bool software);
    void freeRenderContext();
    void drawFrame(bool clearOnly);
    void startRendering();
    void switchToOpenGL();
    void turnUpright();
    void reportUnplayable();
    void reportFirstFrame();

    const MpvLibrary* m_api = nullptr;
    const MpvRenderApi* m_render = nullptr;
    mpv_handle* m_mpv = nullptr;
    mpv_render_context* m_renderContext = nullptr;
    std::unique_ptr<QOpenGLContext> m_context;
    // Set while frames are converted on the processor and go through the X
    // server, on the renderer's own thread.
    std::unique_ptr<SoftwareVideoRenderer> m_software;
    WallpaperWindow* m_window = nullptr;
    // The video track chosen when the file opened; empty until then.
    QByteArray m_videoTrack;
    bool m_unplayableReported = false;
    bool m_firstFrameReported = false;
    bool m_paused = false;
    quint64 m_framesDrawn = 0;
};

} // namespace nivora
