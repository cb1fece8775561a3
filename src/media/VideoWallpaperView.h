#pragma once

#include "media/VideoTarget.h"

#include <QByteArray>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

struct mpv_handle;
struct mpv_render_context;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace nivora {

struct GLFunctions;
struct MpvLibrary;
struct MpvRenderApi;
class DesktopSurface;
class GpuSurface;
class SoftwareVideoRenderer;
class WallpaperWindow;

// A video looping silently over one or more wallpaper windows, scaled to fill
// each and cropped (never letterboxed). libmpv decodes and renders through its render
// API into the wallpaper window: mpv never creates a window of its own, so the
// window keeps its desktop type, its empty input shape and its place in the
// stacking order. The window stays black while nothing is decoded, and for
// good when the file cannot be decoded at all. Main thread.
//
// With a GPU mpv renders with OpenGL into a context of ours, on the main
// thread, and decodes on the card when it can. With software OpenGL its
// colour conversion shader costs about three times what its processor
// converter does, so a SoftwareVideoRenderer converts on a thread of its own
// and the X server puts the frames on the window.
//
// On a desktop surface (Wayland) the same holds: with a graphics card (or
// NIVORA_RENDER_PATH=gpu) mpv renders with OpenGL in an EGL context of the
// surfaces' own, on the main thread, and each surface shows its part through
// an EGL window of its own, paced by the compositor's frame callbacks;
// otherwise frames are converted on the processor into shared memory.
//
// Screens that show the same file share one view: the file is decoded and
// each frame rendered once, and every screen shows its own part of that frame
// (MediaLayout), so a second screen costs a crop and a scaling, not a second
// decoder.
class VideoWallpaperView : public QObject
{
    Q_OBJECT

public:
    // A player for `path` in `window` (an OpenGL wallpaper window), already
    // playing; null when the path names no regular file, names a playlist or
    // an address (MediaPathCheck), or when libmpv or OpenGL cannot start.
    static std::unique_ptr<VideoWallpaperView> create(const QString& path, WallpaperWindow* window);
    // The same on a desktop surface (Wayland), drawn through the surface's
    // OpenGL or converted on the processor and handed to the surface.
    static std::unique_ptr<VideoWallpaperView> create(const QString& path, DesktopSurface* surface);
    // The same for a screen placed on the desktop: its window or its surface,
    // and the canvas the video is laid over.
    static std::unique_ptr<VideoWallpaperView> create(const QString& path, const VideoTarget& target);
    // Pauses and releases the player.
    ~VideoWallpaperView() override;

    // One more screen showing this video, of the same kind as the first (a
    // window, or a desktop surface); it must outlive the view.
    void addTarget(const VideoTarget& target);
    int targetCount() const { return int(m_targets.size()); }

    void play();
    void pause();
    bool isPaused() const { return m_paused; }

    // Plays the pass under way to its last frame, holds that frame, then
    // emits passEnded(): a folder's next file follows the last frame of this
    // one, neither cutting it short nor starting it again.
    void endAfterThisPass();

    // Undoes endAfterThisPass(): the video loops again, from its start if
    // the pass has ended (a folder whose next file is this one).
    void loopAgain();

    // Player properties as text (empty when unavailable), for tests and status.
    QString property(const QByteArray& name) const;
    // Whether a video frame size is known, i.e. something was decoded.
    bool hasVideo() const;
    // Frames rendered so far (each once, however many windows show it).
    quint64 framesDrawn() const;
    // Whether frames go to the window through the X server (converted on the
    // processor) rather than through OpenGL.
    bool scalesOnServer() const { return m_software != nullptr; }
    // For status: "software-video" when mpv's software renderer converts the
    // frames on the processor, "gpu-video" when its OpenGL renderer draws them
    // (into windows or desktop surfaces).
    QString path() const;

Q_SIGNALS:
    // The player opened the file and found no picture in it (an empty file,
    // not a video, a stream it cannot decode). Emitted once.
    void unplayable();
    // The first frame of the file reached the screen: opening and decoding
    // it did not take the process down. Emitted once.
    void firstFrameShown();
    // The pass endAfterThisPass() asked for reached its last frame.
    void passEnded();

private:
    VideoWallpaperView() = default;
    static std::unique_ptr<VideoWallpaperView> makePlayer(const QString& path);
    bool listenAndLoad(const QString& path);
    void drainEvents();
    void renderUpdate();
    // The OpenGL context frames are drawn with, made when first needed: a
    // video converted on the processor may never need one.
    bool makeContext(WallpaperWindow* window);
    bool createRenderContext(bool software);
    void freeRenderContext();
    void drawFrame(bool clearOnly);
    void renderToFrameBuffer();
    // mpv's next frame into `framebuffer`, bottom row first.
    void renderInto(unsigned int framebuffer, QSize size);
    // The frame's size and each screen's part of it, worked out again when
    // the screens or the video's size change.
    QSize layOut();
    // Draws on the desktop surfaces through their own OpenGL.
    bool addGpuTarget(const VideoTarget& target);
    void drawOnSurfaces(bool clearOnly);
    bool renderToTexture();
    void freeTexture();
    void watchExposure(WallpaperWindow* window);
    void startRendering();
    void switchToOpenGL();
    void turnUpright();
    void applyFilters();
    void reportUnplayable();
    void reportFirstFrame();

    // Keeps libmpv loaded, and the two pointers below valid, for as long as
    // the view lives: the destructor frees everything of libmpv's first.
    std::shared_ptr<const MpvLibrary> m_library;
    const MpvLibrary* m_api = nullptr;
    const MpvRenderApi* m_render = nullptr;
    mpv_handle* m_mpv = nullptr;
    mpv_render_context* m_renderContext = nullptr;
    std::unique_ptr<QOpenGLContext> m_context;
    // With OpenGL, the frame every window shows its part of.
    std::unique_ptr<QOpenGLFramebufferObject> m_frameBuffer;
    std::vector<QRectF> m_parts;
    QSize m_frameSize;
    // On desktop surfaces drawn through their own OpenGL, one per target (a
    // null surface where none could be had). mpv renders in the first
    // one's context into a texture every context of the group reads.
    struct GpuTarget
    {
        std::unique_ptr<GpuSurface> surface;
        unsigned int framebuffer = 0; // the texture, in this target's context
        quint64 attached = 0;         // the texture generation it holds
    };
    std::vector<GpuTarget> m_gpuTargets;
    std::unique_ptr<GLFunctions> m_gl;
    unsigned int m_texture = 0;
    unsigned int m_renderFramebuffer = 0;
    QSize m_textureSize;
    quint64 m_textureGeneration = 0;
    // The video's size as displayed, once known.
    QSize m_videoSize;
    // Set while frames are converted on the processor and go through the X
    // server, on the renderer's own thread.
    std::unique_ptr<SoftwareVideoRenderer> m_software;
    // The screens it is shown on, all windows or all desktop surfaces.
    std::vector<VideoTarget> m_targets;
    // The video track chosen when the file opened; empty until then.
    QByteArray m_videoTrack;
    // The filter that turns the video upright, and whether an HDR video is
    // read as SDR (see applyFilters()).
    QString m_uprightFilter;
    bool m_hdrAsSdr = false;
    bool m_unplayableReported = false;
    bool m_firstFrameReported = false;
    // Another wallpaper shows until the first frame (see VideoTarget).
    bool m_overPrevious = false;
    bool m_paused = false;
    bool m_endingPass = false;
    bool m_passOver = false;
    // OpenGL runs on a graphics card: mpv's OpenGL renderer decodes there too
    // when the card can.
    bool m_hardwareGL = false;
    quint64 m_framesDrawn = 0;
};

} // namespace nivora
