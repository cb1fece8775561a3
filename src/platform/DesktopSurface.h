#pragma once

#include "platform/GpuSurface.h"

#include <QObject>
#include <QSize>
#include <memory>

namespace nivora {

// A desktop-background surface that the window system shows without a Qt
// window: a layer-shell surface on Wayland. The scene is drawn offscreen and
// each frame handed over as an image; the compositor scales it to fill the
// output.
//
// Contract for backends:
// - pixelSize()    required; any thread. The surface's size in pixels once the
//                  compositor has configured it, empty before.
// - beginFrame(s, rows) required; the drawing thread (one at a time). Memory
//                  for the next frame of `s` pixels, 4 bytes per pixel in BGRX
//                  order, rows packed, in the row order given. Null when no
//                  frame should be drawn now: the compositor has not shown the
//                  previous one yet, or holds every buffer, or has gone.
// - present()      required; the same thread, after beginFrame() returned
//                  memory. Shows the frame; false when the connection failed.
// - setStill(s)    optional; the drawing thread, before beginFrame(). True:
//                  the surface shows one picture, drawn once (a still image),
//                  so the backend may keep a single buffer and let it go once
//                  the compositor has it. Default: ignored.
// - makeGpuSurface() optional; the main thread, before any frame is drawn.
//                  An OpenGL context drawing straight into the surface, in
//                  the share group of every other such context of the
//                  backend; frames drawn through it skip beginFrame() and
//                  present(), and are paced the same way. Null when the
//                  backend has none (the default) or it cannot be made.
// - isCovered()    required; any thread. Whether the compositor stopped
//                  showing the surface (a fullscreen window over it).
// - coveredChanged required. Emitted on a change of isCovered(), from the
//                  render thread (turning covered) or the main thread.
// - closed         required. Emitted on the main thread when the window
//                  system will not show the surface any more (its output was
//                  disabled, say); the surface must be made again.
class DesktopSurface : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~DesktopSurface() override = default;

    virtual QSize pixelSize() const = 0;
    enum class Rows
    {
        BottomUp, // as glReadPixels writes them
        TopDown   // as QImage and libmpv hold them
    };

    virtual unsigned char* beginFrame(QSize imagePixels, Rows rows) = 0;
    virtual bool present() = 0;
    virtual bool isCovered() const = 0;
    virtual void setStill(bool still) { Q_UNUSED(still); }
    virtual std::unique_ptr<GpuSurface> makeGpuSurface() { return nullptr; }

Q_SIGNALS:
    void coveredChanged(bool covered);
    void closed();
};

} // namespace nivora
