#pragma once

#include "platform/GpuSurface.h"

#include <EGL/egl.h>

struct wl_egl_window;

namespace nivora {

class WaylandEglDisplay;
class WaylandLayerSurface;

// A render thread's EGL context and the EGL window it draws into on one
// layer surface (GpuSurface's contract). The window is made with the first
// frame, at the drawable's size, and follows that size; the compositor scales
// it to the output. Frames are paced by the layer surface's frame callbacks,
// the swap interval being 0.
//
// The destructor (drawing thread) takes the context off the thread and
// destroys the EGL surface and the window before the layer surface destroys
// its wl_surface.
class WaylandEglSurface : public GpuSurface
{
public:
    // Takes `context`, made in `egl`'s share group.
    WaylandEglSurface(WaylandEglDisplay& egl, WaylandLayerSurface& surface, EGLContext context);
    ~WaylandEglSurface() override;

    Function procAddress(const char* name) const override;
    QObject* shareGroup() const override;
    QByteArray renderer() const override;
    bool makeCurrent() override;
    bool beginFrame(QSize pixels) override;
    bool present() override;
    void doneCurrent() override;

private:
    bool makeWindow(QSize pixels);

    WaylandEglDisplay& m_egl;
    WaylandLayerSurface& m_surface;
    EGLContext m_context;
    wl_egl_window* m_window = nullptr;
    EGLSurface m_eglSurface = EGL_NO_SURFACE;
    QSize m_size;
    // A window EGL refused is not asked for again with every frame.
    bool m_failed = false;
    // Whether the context was ever current, on the drawing thread: only then
    // does the destructor clear that thread's EGL state (not on the main
    // thread, where it would take away a context of the toolkit's).
    bool m_wasCurrent = false;
};

} // namespace nivora
