#pragma once

#include <QByteArray>
#include <QSize>
#include <atomic>
#include <memory>
#include <optional>

class QOpenGLContext;
class QWindow;

namespace nivora {

class X11ScaledPresenter;

// An offscreen OpenGL drawable smaller than its window, and the way it gets
// onto the window scaled to fill it.
//
// On a GPU OpenGL scales it (a blit into the window, then a swap). On a
// software renderer that blit costs about as much as drawing the frame, so
// the frame is read back into shared memory and the X server scales it (see
// X11ScaledPresenter), as a compositor scales a layer whose drawable is
// smaller than its view. Without RENDER or shared memory (a remote display)
// OpenGL scales there too.
//
// All calls come from the thread the context is current on, with the
// context current on the window.
class ScaledDrawable
{
public:
    // `window` is the native X window id, 0 when not on X11.
    ScaledDrawable(QOpenGLContext* context, QWindow* window, quint32 windowId);
    ~ScaledDrawable();

    ScaledDrawable(const ScaledDrawable&) = delete;
    ScaledDrawable& operator=(const ScaledDrawable&) = delete;

    // Mesa's CPU rasterizers and the like.
    static bool isSoftwareRenderer(QOpenGLContext* context);
    // The same told from the driver's GL_RENDERER string.
    static bool isSoftwareRendererName(const QByteArray& renderer);
    // Whether this process's OpenGL draws on the processor; false when there
    // is no OpenGL at all. Main thread; asked of the driver once.
    static bool isOpenGLSoftware();
    // Whether the machine has no graphics device a driver could use, so any
    // OpenGL here can only draw on the processor. Told from the device nodes,
    // without loading a driver (llvmpipe maps tens of MiB of LLVM).
    static bool hasNoGpuDevice();
    // Tests turn server-side scaling off to check the OpenGL path on the same
    // machine; the shipped app never does.
    static void setServerScalingAllowedForTesting(bool allowed);
    static bool isServerScalingAllowed();

    // The way frames reach the screen as NIVORA_RENDER_PATH asks, read once:
    // "gpu" keeps every frame in OpenGL (no read back, mpv's OpenGL renderer
    // for videos) and "readback" sends every frame through the processor and
    // the X server (mpv's software renderer for videos), whatever the
    // renderer. Both paths can so be run and compared on one machine.
    enum class ForcedPath
    {
        None,
        Gpu,
        Readback
    };
    static ForcedPath forcedPath();
    // Tests run both routes in one process: replaces what the variable asked
    // for until called again with nothing. The shipped app never calls it.
    static void setForcedPathForTesting(std::optional<ForcedPath> path);
    // Whether frames drawn by a renderer that is (or not) `software` go to the
    // window through the processor and the X server.
    static bool readsBack(bool software);

    // Binds a framebuffer of `size` for drawing, made (or remade) as needed.
    // False when it cannot be made.
    bool bind(QSize size);
    unsigned int framebuffer() const { return m_framebuffer; }
    QSize size() const { return m_size; }

    // Puts the drawn frame on the window, scaled to `windowPixels`; swaps the
    // window's buffers when OpenGL did the scaling. Leaves the window's
    // framebuffer bound.
    void present(QSize windowPixels);
    // Whether the last present() went through the X server.
    bool scalesOnServer() const { return m_scalesOnServer.load(); }

    // Frees the GL objects (context current) and the X resources.
    void release();

private:
    bool presentOnServer(QSize windowPixels);

    QOpenGLContext* m_context;
    QWindow* m_window;
    quint32 m_windowId;
    // A software renderer, or a read back forced: frames go through the X
    // server when it can take them.
    bool m_readBack;
    unsigned int m_texture = 0;
    unsigned int m_framebuffer = 0;
    QSize m_size;
    bool m_presenterFailed = false;
    std::unique_ptr<X11ScaledPresenter> m_presenter;
    std::atomic<bool> m_scalesOnServer{false};
};

} // namespace nivora
