#include "platform/wayland/WaylandLayerSurface.h"

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandEglDisplay.h"
#include "platform/wayland/WaylandEglSurface.h"
#include "platform/wayland/WaylandProtocols.h"
#include "platform/wayland/WaylandShmBuffers.h"

#include <algorithm>
#include <cerrno>

namespace nivora {

namespace {

WaylandLayerSurface* self(void* data)
{
    return static_cast<WaylandLayerSurface*>(data);
}

void onConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height)
{
    self(data)->configured(serial, width, height);
}

void onClosed(void* data, zwlr_layer_surface_v1*)
{
    self(data)->closedByCompositor();
}

const zwlr_layer_surface_v1_listener layerListener = {onConfigure, onClosed};

void onFrameDone(void* data, wl_callback* callback, uint32_t)
{
    self(data)->frameDone(callback);
}

const wl_callback_listener frameListener = {onFrameDone};

qint64 steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::unique_ptr<WaylandLayerSurface> WaylandLayerSurface::create(WaylandConnection& connection,
                                                                 const QString& outputName)
{
    wl_output* output = connection.outputNamed(outputName);
    if (!output || !connection.layerShell() || !connection.compositor() || !connection.shm())
        return nullptr;
    int scale = 1;
    for (const WaylandConnection::Output& o : connection.outputs()) {
        if (o.output == output)
            scale = o.scale;
    }
    std::unique_ptr<WaylandLayerSurface> s(new WaylandLayerSurface(connection, scale));
    s->m_buffers =
        std::make_unique<WaylandShmBuffers>(connection.shm(), WL_SHM_FORMAT_XRGB8888, "nivora-wallpaper");
    s->m_surface = wl_compositor_create_surface(connection.compositor());
    s->m_layerSurface =
        zwlr_layer_shell_v1_get_layer_surface(connection.layerShell(), s->m_surface, output,
                                              ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND, "nivora-wallpaper");
    zwlr_layer_surface_v1_add_listener(s->m_layerSurface, &layerListener, s.get());
    zwlr_layer_surface_v1_set_size(s->m_layerSurface, 0, 0);
    zwlr_layer_surface_v1_set_anchor(
        s->m_layerSurface, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                               ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(s->m_layerSurface, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(s->m_layerSurface,
                                                     ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    wl_region* empty = wl_compositor_create_region(connection.compositor());
    wl_surface_set_input_region(s->m_surface, empty);
    wl_region_destroy(empty);
    if (connection.viewporter())
        s->m_viewport = wp_viewporter_get_viewport(connection.viewporter(), s->m_surface);
    // The first commit carries no buffer; the compositor answers with the
    // size, which must be acknowledged before a buffer is attached.
    wl_surface_commit(s->m_surface);
    if (!connection.roundtrip() || !s->m_configured.load() || s->m_closed.load())
        return nullptr;
    return s;
}

WaylandLayerSurface::WaylandLayerSurface(WaylandConnection& connection, int scale)
    : m_connection(connection), m_scale(scale)
{
}

WaylandLayerSurface::~WaylandLayerSurface()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_callback)
            wl_callback_destroy(m_callback);
        m_callback = nullptr;
    }
    m_buffers.reset();
    if (m_viewport)
        wp_viewport_destroy(m_viewport);
    if (m_layerSurface)
        zwlr_layer_surface_v1_destroy(m_layerSurface);
    if (m_surface)
        wl_surface_destroy(m_surface);
    if (!m_connection.isBroken())
        wl_display_flush(m_connection.display());
}

QSize WaylandLayerSurface::pixelSize() const
{
    std::lock_guard lock(m_mutex);
    return m_logicalSize * m_scale;
}

void WaylandLayerSurface::configured(quint32 serial, quint32 width, quint32 height)
{
    zwlr_layer_surface_v1_ack_configure(m_layerSurface, serial);
    {
        std::lock_guard lock(m_mutex);
        m_logicalSize =
            QSize(int(std::min<quint32>(width, 1u << 20)), int(std::min<quint32>(height, 1u << 20)));
    }
    m_configured.store(true);
}

void WaylandLayerSurface::closedByCompositor()
{
    if (!m_closed.exchange(true))
        Q_EMIT closed();
}

void WaylandLayerSurface::frameDone(wl_callback* callback)
{
    {
        std::lock_guard lock(m_mutex);
        if (callback != m_callback)
            return;
        wl_callback_destroy(m_callback);
        m_callback = nullptr;
    }
    m_callbackPending.store(false);
    if (m_covered.exchange(false))
        Q_EMIT coveredChanged(false);
}

int WaylandLayerSurface::bufferCount() const
{
    return m_buffers ? m_buffers->count() : 0;
}

bool WaylandLayerSurface::readyForFrame()
{
    if (m_closed.load() || m_connection.isBroken() || !m_configured.load())
        return false;
    if (m_callbackPending.load()) {
        const auto waited = std::chrono::nanoseconds(steadyNanoseconds() - m_callbackSince.load());
        if (waited > coveredAfter && !m_covered.exchange(true))
            Q_EMIT coveredChanged(true);
        // The callback may be in the queue already, read by EGL on another
        // thread.
        m_connection.dispatchSoon();
        return false;
    }
    return true;
}

unsigned char* WaylandLayerSurface::beginFrame(QSize imagePixels, Rows rows)
{
    m_current = -1;
    m_rows = rows;
    if (imagePixels.isEmpty() || imagePixels.width() > 16384 || imagePixels.height() > 16384)
        return nullptr;
    if (!readyForFrame())
        return nullptr;
    // Buffers of another size are destroyed even while the compositor may
    // still show one: their memory is never written again (a new pool is
    // made), which keeps the surface's content defined; waiting for their
    // release instead could wait forever, as a compositor keeps the last
    // buffer until another replaces it.
    // A still is drawn once, so a second buffer would only take memory.
    const int count = m_still.load() ? 1 : 2;
    if ((imagePixels != m_buffers->pixelSize() || count != m_buffers->count()) &&
        !m_buffers->allocate(imagePixels, count))
        return nullptr;
    m_current = m_buffers->freeBuffer();
    return m_buffers->data(m_current);
}

QSize WaylandLayerSurface::requestFrameCallback()
{
    QSize logical;
    {
        std::lock_guard lock(m_mutex);
        logical = m_logicalSize;
        // The callback's done event cannot come before the commit that
        // follows, so the listener is in place in time even though the main
        // thread reads the events.
        m_callback = wl_surface_frame(m_surface);
        wl_callback_add_listener(m_callback, &frameListener, this);
    }
    m_callbackSince.store(steadyNanoseconds());
    m_callbackPending.store(true);
    return logical;
}

void WaylandLayerSurface::prepareGpuCommit()
{
    const QSize logical = requestFrameCallback();
    // EGL's buffers come the right way up.
    if (m_committedRows != Rows::TopDown) {
        wl_surface_set_buffer_transform(m_surface, WL_OUTPUT_TRANSFORM_NORMAL);
        m_committedRows = Rows::TopDown;
    }
    if (m_viewport && !logical.isEmpty())
        wp_viewport_set_destination(m_viewport, logical.width(), logical.height());
}

std::unique_ptr<GpuSurface> WaylandLayerSurface::makeGpuSurface()
{
    WaylandEglDisplay* egl = m_connection.egl();
    if (!egl || m_closed.load())
        return nullptr;
    const EGLContext context = egl->makeContext();
    if (context == EGL_NO_CONTEXT)
        return nullptr;
    return std::make_unique<WaylandEglSurface>(*egl, *this, context);
}

bool WaylandLayerSurface::present()
{
    if (m_current < 0 || m_connection.isBroken())
        return false;
    const int current = m_current;
    m_current = -1;
    m_buffers->markHeld(current);
    const QSize logical = requestFrameCallback();
    if (m_rows != m_committedRows) {
        // Bottom-up rows are a vertical flip, which the compositor undoes.
        wl_surface_set_buffer_transform(m_surface, m_rows == Rows::BottomUp ? WL_OUTPUT_TRANSFORM_FLIPPED_180
                                                                            : WL_OUTPUT_TRANSFORM_NORMAL);
        m_committedRows = m_rows;
    }
    wl_surface_attach(m_surface, m_buffers->buffer(current), 0, 0);
    if (m_viewport && !logical.isEmpty())
        wp_viewport_set_destination(m_viewport, logical.width(), logical.height());
    if (wl_surface_get_version(m_surface) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION)
        wl_surface_damage_buffer(m_surface, 0, 0, m_buffers->pixelSize().width(),
                                 m_buffers->pixelSize().height());
    else
        wl_surface_damage(m_surface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(m_surface);
    // A still is never drawn again: its buffer is destroyed at once, the
    // compositor keeping the memory it has mapped (destroying an attached
    // buffer is allowed as long as its memory is not written again), so
    // the picture is held once, by the compositor, and not by us as well.
    if (m_still.load())
        m_buffers->free();
    return wl_display_flush(m_connection.display()) >= 0 || errno == EAGAIN;
}

} // namespace nivora
