#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>

namespace nivora {

// An OpenGL context of the window system's own (EGL on a Wayland connection)
// that draws straight into one desktop surface: frames stay on the graphics
// device, nothing is read back. Made on the main thread by the surface
// (DesktopSurface::makeGpuSurface), then used by one drawing thread only
// (which may be the main thread, once it has no context of the toolkit's
// current).
//
// Contract for backends:
// - procAddress(n)  required; any thread. The OpenGL entry point `n`, core
//                   functions included; null when the driver has none.
// - shareGroup()    required; any thread. The object every context sharing
//                   programs and buffers with this one reports: it lives
//                   as long as objects made in any of them do, and is
//                   destroyed (on the main thread) when they are gone, so
//                   that what was cached for it can be forgotten.
// - renderer()      required; any thread. GL_RENDERER of the driver, to tell
//                   a rasterizer on the processor from a graphics device.
// - makeCurrent()   required; the drawing thread. Makes the context current
//                   without drawing anywhere (for making programs); false
//                   when the context cannot be made current.
// - beginFrame(s)   required; the drawing thread. Makes the context current
//                   on the surface, resized to `s` pixels if need be, with
//                   the default framebuffer bound. False when no frame
//                   should be drawn now: the window system has not shown the
//                   last one yet, or the surface has gone.
// - present()       required; the drawing thread, after beginFrame() said
//                   yes. Shows the frame, to be scaled to fill the surface,
//                   rows bottom-up as OpenGL draws them; false when the
//                   connection failed.
// - doneCurrent()   required; the drawing thread.
// The destructor runs on the drawing thread, with no other thread using the
// context, before the desktop surface itself goes; or on the main thread when
// the context was never made current.
class GpuSurface
{
public:
    using Function = void (*)();

    virtual ~GpuSurface() = default;

    virtual Function procAddress(const char* name) const = 0;
    virtual QObject* shareGroup() const = 0;
    virtual QByteArray renderer() const = 0;
    virtual bool makeCurrent() = 0;
    virtual bool beginFrame(QSize pixels) = 0;
    virtual bool present() = 0;
    virtual void doneCurrent() = 0;
};

} // namespace nivora
