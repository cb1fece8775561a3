#include "platform/wayland/WaylandEglDisplay.h"

#include <EGL/eglext.h>
#include <QDebug>
#include <cstring>
#include <pthread.h>
#include <thread>
#include <vector>

namespace nivora {

namespace {

constexpr unsigned glRenderer = 0x1F01; // GL_RENDERER

bool hasExtension(EGLDisplay display, const char* name)
{
    const char* all = eglQueryString(display, EGL_EXTENSIONS);
    if (!all)
        return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(all, name); at; at = std::strstr(at + 1, name)) {
        if ((at == all || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    }
    return false;
}

void warn(const char* why)
{
    qWarning().noquote() << QStringLiteral("Wayland: no EGL for the wallpaper (%1, error 0x%2); frames go "
                                           "through shared memory.")
                                .arg(QLatin1String(why))
                                .arg(eglGetError(), 0, 16);
}

} // namespace

std::unique_ptr<WaylandEglDisplay> WaylandEglDisplay::create(wl_display* display)
{
    std::unique_ptr<WaylandEglDisplay> egl(new WaylandEglDisplay);
    if (!egl->initialize(display))
        return nullptr;
    return egl;
}

bool WaylandEglDisplay::initialize(wl_display* display)
{
    m_display = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display, nullptr);
    if (m_display == EGL_NO_DISPLAY)
        m_display = eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(display));
    EGLint major = 0;
    EGLint minor = 0;
    if (m_display == EGL_NO_DISPLAY || !eglInitialize(m_display, &major, &minor)) {
        m_display = EGL_NO_DISPLAY;
        warn("the driver has no EGL display for Wayland");
        return false;
    }
    if (!hasExtension(m_display, "EGL_KHR_surfaceless_context") ||
        !hasExtension(m_display, "EGL_KHR_create_context")) {
        warn("contexts without a surface or of a chosen version are not offered");
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        warn("no desktop OpenGL");
        return false;
    }
    const EGLint wanted[] = {EGL_SURFACE_TYPE,
                             EGL_WINDOW_BIT,
                             EGL_RENDERABLE_TYPE,
                             EGL_OPENGL_BIT,
                             EGL_RED_SIZE,
                             8,
                             EGL_GREEN_SIZE,
                             8,
                             EGL_BLUE_SIZE,
                             8,
                             EGL_ALPHA_SIZE,
                             0,
                             EGL_DEPTH_SIZE,
                             0,
                             EGL_STENCIL_SIZE,
                             0,
                             EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(m_display, wanted, nullptr, 0, &count) || count <= 0) {
        warn("no window config for OpenGL");
        return false;
    }
    std::vector<EGLConfig> configs(size_t(count), nullptr);
    eglChooseConfig(m_display, wanted, configs.data(), count, &count);
    // Exactly 8-bit RGB without alpha: the compositor then takes the surface
    // for opaque and draws nothing under it. A wider or alpha config first in
    // the driver's order would not.
    for (EGLConfig c : configs) {
        EGLint r = 0, g = 0, b = 0, a = 0;
        eglGetConfigAttrib(m_display, c, EGL_RED_SIZE, &r);
        eglGetConfigAttrib(m_display, c, EGL_GREEN_SIZE, &g);
        eglGetConfigAttrib(m_display, c, EGL_BLUE_SIZE, &b);
        eglGetConfigAttrib(m_display, c, EGL_ALPHA_SIZE, &a);
        if (r == 8 && g == 8 && b == 8 && a == 0) {
            m_config = c;
            break;
        }
    }
    if (!m_config) {
        warn("no opaque 8-bit config");
        return false;
    }
    m_root = makeContext(EGL_NO_CONTEXT);
    if (m_root == EGL_NO_CONTEXT) {
        warn("no OpenGL 3.3 core context");
        return false;
    }
    // The renderer's name is read on a thread of its own: the main thread may
    // have a context of the toolkit current, which a context of another
    // window-system binding must not replace.
    bool current = false;
    std::thread probe([&] {
        pthread_setname_np(pthread_self(), "nv-egl-probe");
        eglBindAPI(EGL_OPENGL_API);
        if (eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_root)) {
            current = true;
            using GetString = const unsigned char* (*)(unsigned);
            if (auto getString = reinterpret_cast<GetString>(eglGetProcAddress("glGetString"))) {
                if (const unsigned char* name = getString(glRenderer))
                    m_renderer = QByteArray(reinterpret_cast<const char*>(name));
            }
            eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        eglReleaseThread();
    });
    probe.join();
    if (!current) {
        warn("the context cannot be made current without a surface");
        return false;
    }
    return true;
}

EGLContext WaylandEglDisplay::makeContext() const
{
    return makeContext(m_root);
}

EGLContext WaylandEglDisplay::makeContext(EGLContext share) const
{
    eglBindAPI(EGL_OPENGL_API);
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 3,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                 EGL_NONE};
    return eglCreateContext(m_display, m_config, share, attributes);
}

WaylandEglDisplay::~WaylandEglDisplay()
{
    if (m_display == EGL_NO_DISPLAY)
        return;
    if (m_root != EGL_NO_CONTEXT)
        eglDestroyContext(m_display, m_root);
    eglTerminate(m_display);
}

} // namespace nivora
