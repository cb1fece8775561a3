#include "platform/wayland/WaylandLayerSurface.h"

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandProtocols.h"

#include <algorithm>
#include <cerrno>
#include <sys/mman.h>
#include <unistd.h>

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

void onRelease(void* data, wl_buffer* buffer)
{
    self(data)->bufferReleased(buffer);
}

const wl_buffer_listener bufferListener = {onRelease};

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
    freeBuffers();
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

void WaylandLayerSurface::bufferReleased(wl_buffer* buffer)
{
    for (Buffer& b : m_buffers) {
        if (b.buffer == buffer)
            b.busy.store(false);
    }
}

void WaylandLayerSurface::freeBuffers()
{
    for (Buffer& b : m_buffers) {
        if (b.buffer)
            wl_buffer_destroy(b.buffer);
        b.buffer = nullptr;
        b.data = nullptr;
        b.busy.store(false);
    }
    if (m_memory)
        munmap(m_memory, m_poolBytes);
    if (m_fd >= 0)
        close(m_fd);
    m_memory = nullptr;
    m_fd = -1;
    m_poolBytes = 0;
    m_imageSize = QSize();
}

bool WaylandLayerSurface::makeBuffers(QSize imagePixels)
{
    freeBuffers();
    const size_t stride = size_t(imagePixels.width()) * 4;
    const size_t frameBytes = stride * size_t(imagePixels.height());
    const size_t total = frameBytes * m_buffers.size();
    m_fd = memfd_create("nivora-wallpaper", MFD_CLOEXEC);
    if (m_fd < 0)
        return false;
    if (ftruncate(m_fd, off_t(total)) != 0) {
        freeBuffers();
        return false;
    }
    void* memory = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (memory == MAP_FAILED) {
        freeBuffers();
        return false;
    }
    m_memory = static_cast<unsigned char*>(memory);
    m_poolBytes = total;
    wl_shm_pool* pool = wl_shm_create_pool(m_connection.shm(), m_fd, int32_t(total));
    for (size_t i = 0; i < m_buffers.size(); ++i) {
        Buffer& b = m_buffers[i];
        b.buffer = wl_shm_pool_create_buffer(pool, int32_t(i * frameBytes), imagePixels.width(),
                                             imagePixels.height(), int32_t(stride), WL_SHM_FORMAT_XRGB8888);
        b.data = m_memory + i * frameBytes;
        b.busy.store(false);
        wl_buffer_add_listener(b.buffer, &bufferListener, this);
    }
    // The buffers keep the memory; the pool object is not needed any more.
    wl_shm_pool_destroy(pool);
    m_imageSize = imagePixels;
    return true;
}

unsigned char* WaylandLayerSurface::beginFrame(QSize imagePixels, Rows rows)
{
    m_current = -1;
    m_rows = rows;
    if (m_closed.load() || m_connection.isBroken() || !m_configured.load() || imagePixels.isEmpty())
        return nullptr;
    if (imagePixels.width() > 16384 || imagePixels.height() > 16384)
        return nullptr;
    if (m_callbackPending.load()) {
        const auto waited = std::chrono::nanoseconds(steadyNanoseconds() - m_callbackSince.load());
        if (waited > coveredAfter && !m_covered.exchange(true))
            Q_EMIT coveredChanged(true);
        return nullptr;
    }
    // Buffers of another size are destroyed even while the compositor may
    // still show one: their memory is never written again (a new pool is
    // made), which keeps the surface's content defined; waiting for their
    // release instead could wait forever, as a compositor keeps the last
    // buffer until another replaces it.
    if (imagePixels != m_imageSize && !makeBuffers(imagePixels))
        return nullptr;
    for (size_t i = 0; i < m_buffers.size(); ++i) {
        if (!m_buffers[i].busy.load()) {
            m_current = int(i);
            return m_buffers[i].data;
        }
    }
    return nullptr;
}

bool WaylandLayerSurface::present()
{
    if (m_current < 0 || m_connection.isBroken())
        return false;
    Buffer& b = m_buffers[size_t(m_current)];
    m_current = -1;
    b.busy.store(true);
    QSize logical;
    {
        std::lock_guard lock(m_mutex);
        logical = m_logicalSize;
        // The callback's done event cannot come before the commit below, so
        // the listener is in place in time even though the main thread reads
        // the events.
        m_callback = wl_surface_frame(m_surface);
        wl_callback_add_listener(m_callback, &frameListener, this);
    }
    m_callbackSince.store(steadyNanoseconds());
    m_callbackPending.store(true);
    if (m_rows != m_committedRows) {
        // Bottom-up rows are a vertical flip, which the compositor undoes.
        wl_surface_set_buffer_transform(m_surface, m_rows == Rows::BottomUp ? WL_OUTPUT_TRANSFORM_FLIPPED_180
                                                                            : WL_OUTPUT_TRANSFORM_NORMAL);
        m_committedRows = m_rows;
    }
    wl_surface_attach(m_surface, b.buffer, 0, 0);
    if (m_viewport && !logical.isEmpty())
        wp_viewport_set_destination(m_viewport, logical.width(), logical.height());
    if (wl_surface_get_version(m_surface) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION)
        wl_surface_damage_buffer(m_surface, 0, 0, m_imageSize.width(), m_imageSize.height());
    else
        wl_surface_damage(m_surface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(m_surface);
    return wl_display_flush(m_connection.display()) >= 0 || errno == EAGAIN;
}

} // namespace nivora
