#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QImageReader;
class QMovie;
class QPainter;

namespace nivora {

class DesktopSurface;
class StillImageCache;
class WallpaperWindow;
class X11ScaledPresenter;

// A still or animated image stretched to fill one wallpaper window, its aspect
// ratio not kept. Files are read through QImageReader with a size check before
// decoding, so a file whose header claims an enormous picture is refused
// instead of being decoded. A still larger than the screen is decoded straight
// to the screen's size where the format allows it (JPEG, HEIF), so a phone's
// 48-megapixel photo costs what a screen-sized one does. Main thread.
class ImageWallpaperView : public QObject
{
    Q_OBJECT

public:
    // Whether `path` is an image this view can show (a readable header within
    // the limits); reads the header only.
    static bool canShow(const QString& path);

    // One of a folder's pictures: it comes over `previous` (the picture its
    // screen showed before, if any), more opaque at each step for
    // `fadeMilliseconds`; an animation plays on while it comes.
    struct Slide
    {
        QImage previous;
        int fadeMilliseconds = 0;
    };

    // Loads `path` for `window`, or null when the file is missing, is not a
    // readable image, or is too large. Does not show the window. The window
    // shows `part` of the picture (a fraction of it; the whole when empty),
    // as when one picture spans several screens; a still already decoded for
    // the same size and part in `stills` is shared rather than decoded again.
    static std::unique_ptr<ImageWallpaperView> load(const QString& path, WallpaperWindow* window,
                                                    const QRectF& part = {},
                                                    StillImageCache* stills = nullptr,
                                                    const Slide* slide = nullptr);
    // The same on a desktop surface that is not a Qt window (Wayland): each
    // frame goes to the surface at its decoded size, once, and the
    // compositor stretches it to the output. Shows the first frame at once;
    // a still is not kept afterwards, but for a folder's, which the next
    // picture fades from (kept at most at the surface's size).
    static std::unique_ptr<ImageWallpaperView> load(const QString& path, DesktopSurface* surface,
                                                    const QRectF& part = {},
                                                    StillImageCache* stills = nullptr,
                                                    const Slide* slide = nullptr);
    ~ImageWallpaperView() override;

    bool isAnimated() const { return m_movie != nullptr; }
    // The frame currently shown, at its decoded size. Null for a still on a
    // desktop surface (but a folder's), which hands its only frame to the
    // compositor and keeps nothing.
    QImage currentFrame() const;
    // What the screen shows of it: the current frame cut to the part shown.
    // What the next of a folder's pictures fades from.
    QImage shownPart() const;
    // Frames shown so far (1 for a still image).
    int framesShown() const { return m_framesShown; }

    // Whether a folder's picture is still coming over the one before it.
    // Nothing is redrawn once it has.
    bool isFading() const { return !m_fadeFrom.isNull(); }

    // A paused animation shows its current frame and decodes no other.
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    // Whether the last frame of an animated image was scaled to the screen by
    // the X server.
    bool scalesOnServer() const { return m_presenter != nullptr; }

private:
    explicit ImageWallpaperView(WallpaperWindow* window);
    // Readies `reader` for `path`, decoding a still at `target` pixels (none
    // when empty) when it is larger; false when it cannot be shown.
    static bool openReader(const QString& path, QImageReader& reader, QSize target);
    // A still of `path` at `target` pixels showing `part`, from `stills` or
    // decoded; null when it cannot be read.
    static QImage readStill(const QString& path, QImageReader& reader, QSize target, const QRectF& part,
                            StillImageCache* stills);
    // The part shown of a frame of `size`, in its pixels.
    QRectF partOf(QSize size) const;
    // Opens an animation at its first frame; `showFrame` runs for each next one.
    bool openMovie(const QString& path, std::function<void()> showFrame);
    void fadeFrom(const QImage& previous, int milliseconds);
    // One step of a fade: a repaint of the window, or the next frame on the
    // surface (the picture alone once the fade is over).
    void fadeStep();
    // Fade steps run while a fade goes on, unless the content is paused or
    // the compositor does not show the surface.
    void updateFadeTicks();
    void paint(QPainter& painter, const QRect& target) const;
    bool presentFrame();
    bool presentToSurface();

    WallpaperWindow* m_window;
    DesktopSurface* m_surface = nullptr;
    QImage m_image;
    QRectF m_part;
    std::unique_ptr<QMovie> m_movie;
    int m_framesShown = 0;
    bool m_paused = false;
    bool m_surfaceCovered = false;
    // A folder's still on a surface, kept for the next picture to fade from.
    bool m_keepStill = false;
    std::unique_ptr<X11ScaledPresenter> m_presenter;
    bool m_presenterFailed = false;
    // While a fade runs: the picture given way to, how long it has gone on,
    // and the ticks that repaint it.
    QImage m_fadeFrom;
    QElapsedTimer m_fadeClock;
    int m_fadeLength = 0;
    QTimer m_fadeTicks;
};

} // namespace nivora
