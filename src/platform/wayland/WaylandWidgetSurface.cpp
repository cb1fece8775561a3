#include "platform/wayland/WaylandWidgetSurface.h"

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandProtocols.h"
#include "platform/wayland/WaylandShmBuffers.h"

#include <QDebug>
#include <QLineF>
#include <algorithm>
#include <cstring>

namespace nivora {

namespace {

WaylandWidgetSurface* self(void* data)
{
    return static_cast<WaylandWidgetSurface*>(data);
}

void onConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t, uint32_t)
{
    self(data)->configured(serial);
}

void onClosed(void* data, zwlr_layer_surface_v1*)
{
    self(data)->closedByCompositor();
}

const zwlr_layer_surface_v1_listener layerListener = {onConfigure, onClosed};

void onSyncDone(void* data, wl_callback* callback, uint32_t)
{
    self(data)->syncDone(callback);
}

const wl_callback_listener syncListener = {onSyncDone};

// Widgets are small; anything larger is a fault, not a widget.
constexpr int largestSide = 8192;

} // namespace

WaylandWidgetSurface::WaylandWidgetSurface(WaylandConnection& connection)
    : m_connection(connection),
      // Premultiplied ARGB32 in host order is what wl_shm calls ARGB8888.
      m_buffers(
          std::make_unique<WaylandShmBuffers>(connection.shm(), WL_SHM_FORMAT_ARGB8888, "nivora-widget"))
{
    // A face that changed while the compositor held both buffers goes out
    // when it lets one go.
    m_buffers->setReleaseHandler([this] { presentPending(); });
    // Surfaces die with the compositor; a new one is made on the next move
    // once outputs are back.
    connect(&m_connection, &WaylandConnection::connectionLost, this, [this] { destroySurface(); });
}

WaylandWidgetSurface::~WaylandWidgetSurface()
{
    destroySurface();
}

void WaylandWidgetSurface::destroySurface()
{
    for (const auto& move : std::as_const(m_moves))
        wl_callback_destroy(move.first);
    m_moves.clear();
    m_buffers->free();
    if (m_surface)
        m_connection.removePointerHandler(m_surface);
    if (m_layerSurface)
        zwlr_layer_surface_v1_destroy(m_layerSurface);
    if (m_surface)
        wl_surface_destroy(m_surface);
    m_layerSurface = nullptr;
    m_surface = nullptr;
    m_configured = false;
    m_mapped = false;
    m_outputName.clear();
}

void WaylandWidgetSurface::build(const QString& outputName)
{
    destroySurface();
    wl_output* output = m_connection.outputNamed(outputName);
    if (!output || !m_connection.layerShell() || m_connection.isBroken())
        return;
    for (const WaylandConnection::Output& o : m_connection.outputs()) {
        if (o.name == outputName) {
            m_scale = o.scale;
            m_outputOrigin = o.frame().topLeft();
        }
    }
    m_outputName = outputName;
    m_surface = wl_compositor_create_surface(m_connection.compositor());
    m_layerSurface = zwlr_layer_shell_v1_get_layer_surface(m_connection.layerShell(), m_surface, output,
                                                           ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "nivora-widget");
    zwlr_layer_surface_v1_add_listener(m_layerSurface, &layerListener, this);
    zwlr_layer_surface_v1_set_anchor(m_layerSurface,
                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    // -1: margins count from the output's edges. With 0 they would count
    // from the free area's corner, and every widget on the output would jump
    // by a panel's height when the panel appears, before the controller could
    // tell which ones the panel actually covers.
    zwlr_layer_surface_v1_set_exclusive_zone(m_layerSurface, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(m_layerSurface,
                                                     ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    m_connection.setPointerHandler(m_surface, [this](const WaylandConnection::PointerEvent& e) {
        // While a button is held, sway keeps giving the pointer relative to
        // where the surface was when the button went down, moves since then
        // notwithstanding; other compositors (KWin) give it relative to where
        // the surface is now, as outside a drag. A drag moves the surface with
        // the pointer, so the two cannot be told apart from the positions.
        if (e.type == WaylandConnection::PointerEvent::Press && m_held == Qt::NoButton)
            m_grabOrigin = m_appliedOrigin;
        const bool grabbed = m_held != Qt::NoButton || e.type == WaylandConnection::PointerEvent::Press;
        const QPoint origin =
            grabbed && m_connection.pointerKeepsPressOrigin() ? m_grabOrigin : m_appliedOrigin;
        const QPointF at = e.position + QPointF(origin);
        m_held = e.buttons;
        switch (e.type) {
        case WaylandConnection::PointerEvent::Enter:
            Q_EMIT pointerEvent(QEvent::Enter, at, Qt::NoButton, e.buttons);
            break;
        case WaylandConnection::PointerEvent::Leave:
            Q_EMIT pointerEvent(QEvent::Leave, at, Qt::NoButton, e.buttons);
            break;
        case WaylandConnection::PointerEvent::Motion:
            Q_EMIT pointerEvent(QEvent::MouseMove, at, Qt::NoButton, e.buttons);
            break;
        case WaylandConnection::PointerEvent::Press:
            Q_EMIT pointerEvent(QEvent::MouseButtonPress, at, e.button, e.buttons);
            break;
        case WaylandConnection::PointerEvent::Release:
            Q_EMIT pointerEvent(QEvent::MouseButtonRelease, at, e.button, e.buttons);
            if (e.buttons == Qt::NoButton && m_outputChangeDue) {
                // Not from within the connection's dispatch of this event.
                placeAgainLater();
            }
            break;
        }
    });
    m_held = Qt::NoButton;
    m_outputChangeDue = false;
    m_appliedOrigin = m_geometry.topLeft();
    applyGeometry();
    applyInputRegion();
    // The first commit carries no buffer; the image goes out once the
    // compositor has configured the surface. A new surface starts empty, and
    // a face may not repaint for a long time (the date, once a day), so the
    // image the old surface showed goes out again.
    m_hasPending = !m_image.isNull();
    commit();
    if (m_hasPending && qRound(m_image.devicePixelRatio()) != m_scale)
        Q_EMIT scaleChanged();
}

void WaylandWidgetSurface::commit()
{
    wl_surface_commit(m_surface);
    // Sent now rather than when the main loop next sleeps: a busy loop (a
    // drag) may not sleep for a while.
    wl_display_flush(m_connection.display());
}

void WaylandWidgetSurface::setGeometry(const QRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0 || rect.width() > largestSide || rect.height() > largestSide)
        return;
    const bool moved = rect.topLeft() != m_geometry.topLeft();
    const bool resized = rect.size() != m_geometry.size();
    m_geometry = rect;
    // The output holding most of the widget; one that holds none of it (its
    // output went away) goes to the nearest one.
    QString best;
    QPoint bestOrigin;
    qint64 bestArea = -1;
    qint64 bestDistance = -1;
    for (const WaylandConnection::Output& o : m_connection.outputs()) {
        const QRect frame = o.frame();
        const QRect common = frame.intersected(rect);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        const QPoint d = frame.center() - rect.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (area > bestArea || (area == bestArea && area == 0 && distance < bestDistance)) {
            best = o.name;
            bestOrigin = frame.topLeft();
            bestArea = area;
            bestDistance = distance;
        }
    }
    if (best.isEmpty()) {
        destroySurface();
        return;
    }
    const bool otherOutput = best != m_outputName || bestOrigin != m_outputOrigin;
    if (!m_surface || (otherOutput && m_held == Qt::NoButton)) {
        build(best);
        return;
    }
    m_outputChangeDue = otherOutput;
    if (!moved && !resized)
        return;
    applyGeometry();
    commit();
    if (moved) {
        wl_callback* sync = wl_display_sync(m_connection.display());
        wl_callback_add_listener(sync, &syncListener, this);
        m_moves.append({sync, rect.topLeft()});
        wl_display_flush(m_connection.display());
    }
}

void WaylandWidgetSurface::applyGeometry()
{
    zwlr_layer_surface_v1_set_size(m_layerSurface, quint32(m_geometry.width()), quint32(m_geometry.height()));
    zwlr_layer_surface_v1_set_margin(m_layerSurface, m_geometry.y() - m_outputOrigin.y(), 0, 0,
                                     m_geometry.x() - m_outputOrigin.x());
}

void WaylandWidgetSurface::setInputRegion(const QRegion& region)
{
    m_inputRegion = region;
    m_hasInputRegion = true;
    if (m_surface) {
        applyInputRegion();
        commit();
    }
}

void WaylandWidgetSurface::applyInputRegion()
{
    if (!m_hasInputRegion)
        return;
    wl_region* region = wl_compositor_create_region(m_connection.compositor());
    for (const QRect& r : m_inputRegion)
        wl_region_add(region, r.x(), r.y(), r.width(), r.height());
    wl_surface_set_input_region(m_surface, region);
    wl_region_destroy(region);
}

void WaylandWidgetSurface::syncDone(wl_callback* callback)
{
    for (qsizetype i = 0; i < m_moves.size(); ++i) {
        if (m_moves[i].first != callback)
            continue;
        m_appliedOrigin = m_moves[i].second;
        wl_callback_destroy(callback);
        // Earlier moves are answered before later ones.
        m_moves.remove(0, i + 1);
        return;
    }
}

void WaylandWidgetSurface::configured(quint32 serial)
{
    zwlr_layer_surface_v1_ack_configure(m_layerSurface, serial);
    m_configured = true;
    presentPending();
}

void WaylandWidgetSurface::closedByCompositor()
{
    // The output went away: the surface is made again on the output that
    // now suits it best.
    destroySurface();
    placeAgainLater();
}

void WaylandWidgetSurface::placeAgainLater()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QRect rect = m_geometry;
            m_geometry = QRect();
            setGeometry(rect);
        },
        Qt::QueuedConnection);
}

void WaylandWidgetSurface::show(const QImage& image)
{
    if (image.isNull())
        return;
    m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_hasPending = true;
    presentPending();
}

void WaylandWidgetSurface::presentPending()
{
    if (!m_hasPending || !m_surface || !m_configured || m_connection.isBroken())
        return;
    const QSize pixels = m_image.size();
    // The image's own scale, which is the output's but for the moment after
    // a move to an output of another scale: the buffer's size is then still a
    // whole multiple of its scale, as the compositor requires, and the
    // compositor scales it until the redrawn image arrives.
    const int imageScale = std::max(qRound(m_image.devicePixelRatio()), 1);
    if (pixels.width() > largestSide * imageScale || pixels.height() > largestSide * imageScale ||
        pixels.width() % imageScale != 0 || pixels.height() % imageScale != 0)
        return;
    // A buffer of another size may still be on screen: its memory is left
    // alone (a new pool is made) and the compositor lets it go in its time.
    if (pixels != m_buffers->pixelSize() && !m_buffers->allocate(pixels, 2))
        return;
    const int free = m_buffers->freeBuffer();
    if (free < 0)
        return; // sent when the compositor releases one
    unsigned char* data = m_buffers->data(free);
    const qsizetype rowBytes = m_buffers->stride();
    for (int y = 0; y < pixels.height(); ++y)
        std::memcpy(data + y * rowBytes, m_image.constScanLine(y), size_t(rowBytes));
    m_buffers->markHeld(free);
    m_hasPending = false;
    wl_surface_set_buffer_scale(m_surface, imageScale);
    wl_surface_attach(m_surface, m_buffers->buffer(free), 0, 0);
    wl_surface_damage_buffer(m_surface, 0, 0, pixels.width(), pixels.height());
    commit();
    m_mapped = true;
}

} // namespace nivora
