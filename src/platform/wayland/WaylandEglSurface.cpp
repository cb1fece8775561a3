#include "platform/wayland/WaylandEglSurface.h"

#include "platform/wayland/WaylandEglDisplay.h"
#include "platform/wayland/WaylandLayerSurface.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>
#include <wayland-egl.h>

namespace nivora {

WaylandEglSurface::WaylandEglSurface(WaylandEglDisplay& egl, WaylandLayerSurface& surface, EGLContext context)
    : m_egl(egl), m_surface(surface), m_context(context)
{
}

WaylandEglSurface::~WaylandEglSurface()
{
    const EGLDisplay display = m_egl.display();
    doneCurrent();
    // The EGL surface goes before the window it draws into, and both before
    // the layer surface destroys the wl_surface under them.
    if (m_eglSurface != EGL_NO_SURFACE)
        eglDestroySurface(display, m_eglSurface);
    if (m_window)
        wl_egl_window_destroy(m_window);
    eglDestroyContext(display, m_context);
    // A render thread's own EGL state goes too, as the thread ends with its
    // view; the main thread's stays for the toolkit's contexts.
    if (m_wasCurrent && QThread::currentThread() != QCoreApplication::instance()->thread())
        eglReleaseThread();
}

GpuSurface::Function WaylandEglSurface::procAddress(const char* name) const
{
    return eglGetProcAddress(name);
}

QObject* WaylandEglSurface::shareGroup() const
{
    return &m_egl;
}

QByteArray WaylandEglSurface::renderer() const
{
    return m_egl.renderer();
}

bool WaylandEglSurface::makeCurrent()
{
    eglBindAPI(EGL_OPENGL_API);
    m_wasCurrent = true;
    return eglMakeCurrent(m_egl.display(), m_eglSurface, m_eglSurface, m_context);
}

void WaylandEglSurface::doneCurrent()
{
    // Only this context: another one current on the thread (the toolkit's,
    // on the main thread) is left as it is.
    if (eglGetCurrentContext() == m_context)
        eglMakeCurrent(m_egl.display(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool WaylandEglSurface::makeWindow(QSize pixels)
{
    m_window = wl_egl_window_create(m_surface.surface(), pixels.width(), pixels.height());
    if (m_window)
        m_eglSurface = eglCreatePlatformWindowSurface(m_egl.display(), m_egl.config(), m_window, nullptr);
    if (m_eglSurface == EGL_NO_SURFACE) {
        qWarning().noquote() << QStringLiteral("Wayland: EGL refused the wallpaper's window (error 0x%1).")
                                    .arg(eglGetError(), 0, 16);
        if (m_window)
            wl_egl_window_destroy(m_window);
        m_window = nullptr;
        m_failed = true;
        return false;
    }
    m_size = pixels;
    if (!makeCurrent())
        return false;
    // Frames are paced by the surface's own frame callbacks; a swap that
    // waited for one as well could wait forever once the compositor stops
    // sending them to a covered surface.
    eglSwapInterval(m_egl.display(), 0);
    return true;
}

bool WaylandEglSurface::beginFrame(QSize pixels)
{
    if (m_failed || pixels.isEmpty() || pixels.width() > 16384 || pixels.height() > 16384)
        return false;
    if (!m_surface.readyForFrame())
        return false;
    if (!m_window)
        return makeWindow(pixels);
    // Takes effect with the next buffer EGL draws into.
    if (pixels != m_size) {
        wl_egl_window_resize(m_window, pixels.width(), pixels.height(), 0, 0);
        m_size = pixels;
    }
    return makeCurrent();
}

bool WaylandEglSurface::present()
{
    if (m_eglSurface == EGL_NO_SURFACE)
        return false;
    m_surface.prepareGpuCommit();
    return eglSwapBuffers(m_egl.display(), m_eglSurface);
}

} // namespace nivora
