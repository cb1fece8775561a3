#pragma once

#include <EGL/egl.h>
#include <QByteArray>
#include <QObject>
#include <memory>

struct wl_display;

namespace nivora {

// EGL on the process's own Wayland connection: the display, the one config
// every wallpaper surface uses (8-bit RGB without alpha, depth or stencil, for
// OpenGL) and a root context every render context shares with, so that the
// scene program is compiled once per connection rather than once per output.
// The root context is never current anywhere; it only keeps the group's
// objects alive. The object itself stands for the share group
// (GpuSurface::shareGroup()).
//
// Made and destroyed on the main thread; the connection destroys it before
// it disconnects, once every context made from it is gone.
class WaylandEglDisplay : public QObject
{
    Q_OBJECT

public:
    // Null, with one log line saying why, when the driver offers no EGL for
    // Wayland, no OpenGL 3.3 core context or no context without a surface
    // (which programs are made in before a surface has a size).
    static std::unique_ptr<WaylandEglDisplay> create(wl_display* display);
    ~WaylandEglDisplay() override;

    EGLDisplay display() const { return m_display; }
    EGLConfig config() const { return m_config; }
    // A context in the share group (any thread); EGL_NO_CONTEXT on failure.
    EGLContext makeContext() const;
    // GL_RENDERER, read once when the display was made.
    QByteArray renderer() const { return m_renderer; }

private:
    WaylandEglDisplay() = default;
    bool initialize(wl_display* display);
    EGLContext makeContext(EGLContext share) const;

    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLConfig m_config = nullptr;
    EGLContext m_root = EGL_NO_CONTEXT;
    QByteArray m_renderer;
};

} // namespace nivora
