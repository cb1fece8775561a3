#pragma once

#include "platform/ScreenInfo.h"

#include <QBackingStore>
#include <QWindow>
#include <atomic>
#include <functional>
#include <memory>

namespace nivora {

class DesktopWindowHints;

// The borderless window that holds the wallpaper of one screen: a desktop
// window below every other, on all workspaces, out of the taskbar and pager,
// transparent to input and never focused, with the screen's geometry.
//
// Two kinds of surface: OpenGL, drawn by a render view from its own thread or
// by a video player on the main thread; raster, painted here on the main thread
// with a black background and an optional painter for images.
class WallpaperWindow : public QWindow
{
    Q_OBJECT

public:
    enum class Surface
    {
        OpenGL,
        Raster
    };
    // Paints the content into `target` (the whole window, device-independent
    // pixels) over the black background.
    using Painter = std::function<void(QPainter& painter, const QRect& target)>;

    // Creates the native window with the desktop hints; it is shown later by
    // showWallpaper(). `hints` may be null (plain borderless window). A window
    // made with `inputTransparent` false lets the pointer through only after
    // setInputTransparent(true).
    WallpaperWindow(const ScreenInfo& screen, Surface surface, DesktopWindowHints* hints,
                    bool inputTransparent = true);
    ~WallpaperWindow() override;

    const ScreenInfo& screenInfo() const { return m_screen; }
    Surface surface() const { return m_surface; }

    // Puts the window on screen at the screen's frame, whether or not the
    // application is active.
    void showWallpaper();

    // Lets pointer events through to whatever is below (an empty input shape).
    void setInputTransparent(bool transparent);

    void setPainter(Painter painter);
    // Puts the content on the window some other way than the backing store
    // (the X server scaling a frame, say); returns false when it could not,
    // and the painter is used instead. Raster windows only.
    using DirectPresenter = std::function<bool()>;
    void setDirectPresenter(DirectPresenter presenter);
    // Repaints a raster window now (main thread).
    void repaint();

    // Whether the window is currently exposed; readable from the render thread.
    bool isExposedForRendering() const { return m_exposed.load(); }

Q_SIGNALS:
    // The window became exposed (its content must be drawn again) or hidden.
    void exposureChanged(bool exposed);

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    ScreenInfo m_screen;
    Surface m_surface;
    std::unique_ptr<QBackingStore> m_backingStore;
    Painter m_painter;
    DirectPresenter m_directPresenter;
    std::atomic<bool> m_exposed{false};
};

} // namespace nivora
