#include "platform/wayland/WaylandConnection.h"

#include "platform/wayland/WaylandEglDisplay.h"
#include "platform/wayland/WaylandProbe.h"
#include "platform/wayland/WaylandProtocols.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/input-event-codes.h>
#include <wayland-cursor.h>

namespace nivora {

namespace {

// Versions this code implements every event of; a compositor's higher version
// is bound at these.
constexpr quint32 compositorVersion = 4;
constexpr quint32 shmVersion = 1;
constexpr quint32 outputVersion = 4;
constexpr quint32 layerShellVersion = 3;
constexpr quint32 viewporterVersion = 1;
constexpr quint32 xdgOutputVersion = 3;
constexpr quint32 seatVersion = 5;
constexpr quint32 xdgShellVersion = 1;

WaylandConnection* self(void* data)
{
    return static_cast<WaylandConnection*>(data);
}

void onGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version)
{
    self(data)->globalAdded(name, interface, version);
}

void onGlobalRemove(void* data, wl_registry*, uint32_t name)
{
    self(data)->globalRemoved(name);
}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

void onGeometry(void* data, wl_output* output, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t)
{
    if (auto* o = self(data)->findOutput(output))
        o->position = QPoint(x, y);
}

void onMode(void* data, wl_output* output, uint32_t flags, int32_t width, int32_t height, int32_t refresh)
{
    if (!(flags & WL_OUTPUT_MODE_CURRENT))
        return;
    if (auto* o = self(data)->findOutput(output)) {
        o->modePixels = QSize(width, height);
        o->refreshMilliHz = refresh;
    }
}

void onDone(void* data, wl_output* output)
{
    self(data)->outputDone(output);
}

void onScale(void* data, wl_output* output, int32_t factor)
{
    if (auto* o = self(data)->findOutput(output))
        o->scale = std::max(factor, 1);
}

void onName(void* data, wl_output* output, const char* name)
{
    if (auto* o = self(data)->findOutput(output))
        o->name = QString::fromUtf8(name);
}

void onDescription(void*, wl_output*, const char*) {}

const wl_output_listener outputListener = {onGeometry, onMode, onDone, onScale, onName, onDescription};

void onLogicalPosition(void* data, zxdg_output_v1* xdgOutput, int32_t x, int32_t y)
{
    if (auto* o = self(data)->findOutput(xdgOutput))
        o->logical.moveTo(x, y);
}

void onLogicalSize(void* data, zxdg_output_v1* xdgOutput, int32_t width, int32_t height)
{
    if (auto* o = self(data)->findOutput(xdgOutput))
        o->logical.setSize(QSize(width, height));
}

// Before version 3 the logical values end with their own `done`; from 3 on
// they arrive before wl_output's.
void onXdgDone(void* data, zxdg_output_v1* xdgOutput)
{
    if (auto* o = self(data)->findOutput(xdgOutput))
        self(data)->outputDone(o->output);
}

void onXdgName(void*, zxdg_output_v1*, const char*) {}
void onXdgDescription(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener xdgOutputListener = {onLogicalPosition, onLogicalSize, onXdgDone, onXdgName,
                                                   onXdgDescription};

void onSeatCapabilities(void* data, wl_seat*, uint32_t capabilities)
{
    self(data)->seatCapabilities(capabilities);
}

void onSeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener seatListener = {onSeatCapabilities, onSeatName};

// A compositor that pings and gets no answer takes the client for hung.
void onXdgPing(void*, xdg_wm_base* shell, uint32_t serial)
{
    xdg_wm_base_pong(shell, serial);
}

const xdg_wm_base_listener xdgShellListener = {onXdgPing};

void onPointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y)
{
    self(data)->pointerEntered(serial, surface, QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y)));
}

void onPointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*)
{
    self(data)->pointerLeft();
}

void onPointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    self(data)->pointerMoved(QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y)));
}

void onPointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state)
{
    self(data)->pointerButton(button, state == WL_POINTER_BUTTON_STATE_PRESSED);
}

// Widgets have nothing to scroll.
void onPointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void onPointerFrame(void*, wl_pointer*) {}
void onPointerAxisSource(void*, wl_pointer*, uint32_t) {}
void onPointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void onPointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
// Later versions' events: not bound, listed for the listener's layout.
void onPointerAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_pointer_listener pointerListener = {
    onPointerEnter, onPointerLeave,      onPointerMotion,   onPointerButton,       onPointerAxis,
    onPointerFrame, onPointerAxisSource, onPointerAxisStop, onPointerAxisDiscrete, onPointerAxisValue120};

Qt::MouseButton mouseButton(quint32 code)
{
    switch (code) {
    case BTN_LEFT:
        return Qt::LeftButton;
    case BTN_RIGHT:
        return Qt::RightButton;
    case BTN_MIDDLE:
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

} // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::connectToCompositor(const QByteArray& name)
{
    if (name.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return nullptr;
    wl_display* display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    if (!display)
        return nullptr;
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    // The first round trip brings the globals, the second what the bound
    // outputs say about themselves.
    if (!connection->roundtrip() || !connection->roundtrip())
        return nullptr;
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display) : m_display(display)
{
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WaylandConnection::readEvents);
    // Requests made during a turn of the main loop (and by render threads) go
    // out before the loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &WaylandConnection::flushBeforeSleep);
}

WaylandConnection::~WaylandConnection()
{
    delete m_notifier;
    m_notifier = nullptr;
    // EGL holds objects of the connection: it goes before the connection.
    m_egl.reset();
    for (const Output& o : std::as_const(m_outputs))
        releaseOutput(o);
    if (m_cursorSurface)
        wl_surface_destroy(m_cursorSurface);
    if (m_cursorTheme)
        wl_cursor_theme_destroy(m_cursorTheme);
    if (m_pointer)
        wl_pointer_destroy(m_pointer);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_xdgOutputs)
        zxdg_output_manager_v1_destroy(m_xdgOutputs);
    if (m_viewporter)
        wp_viewporter_destroy(m_viewporter);
    if (m_xdgShell)
        xdg_wm_base_destroy(m_xdgShell);
    if (m_layerShell)
        zwlr_layer_shell_v1_destroy(m_layerShell);
    if (m_shm)
        wl_shm_destroy(m_shm);
    if (m_compositor)
        wl_compositor_destroy(m_compositor);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

WaylandEglDisplay* WaylandConnection::egl()
{
    if (!m_eglTried && !m_broken) {
        m_eglTried = true;
        m_egl = WaylandEglDisplay::create(m_display);
    }
    return m_egl.get();
}

void WaylandConnection::globalAdded(quint32 name, const char* interface, quint32 version)
{
    auto bind = [&](const wl_interface* iface, quint32 highest) {
        return wl_registry_bind(m_registry, name, iface, std::min(version, highest));
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !m_compositor) {
        m_compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, compositorVersion));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !m_shm) {
        m_shm = static_cast<wl_shm*>(bind(&wl_shm_interface, shmVersion));
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 && !m_layerShell) {
        m_layerShell =
            static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, layerShellVersion));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0 && !m_viewporter) {
        m_viewporter = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, viewporterVersion));
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0 && !m_xdgShell) {
        m_xdgShell = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, xdgShellVersion));
        xdg_wm_base_add_listener(m_xdgShell, &xdgShellListener, this);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !m_xdgOutputs) {
        m_xdgOutputs =
            static_cast<zxdg_output_manager_v1*>(bind(&zxdg_output_manager_v1_interface, xdgOutputVersion));
        for (Output& o : m_outputs)
            describeLogically(o);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !m_seat) {
        m_seat = static_cast<wl_seat*>(bind(&wl_seat_interface, seatVersion));
        wl_seat_add_listener(m_seat, &seatListener, this);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        Output o;
        o.globalName = name;
        o.output = static_cast<wl_output*>(bind(&wl_output_interface, outputVersion));
        // A compositor too old to name its outputs still gets stable names
        // within one run.
        o.name = QStringLiteral("WL-%1").arg(name);
        wl_output_add_listener(o.output, &outputListener, this);
        m_outputs.append(o);
        describeLogically(m_outputs.last());
    }
}

void WaylandConnection::describeLogically(Output& output)
{
    if (!m_xdgOutputs || output.xdgOutput)
        return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(m_xdgOutputs, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &xdgOutputListener, this);
}

void WaylandConnection::releaseOutput(const Output& output)
{
    if (output.xdgOutput)
        zxdg_output_v1_destroy(output.xdgOutput);
    if (wl_output_get_version(output.output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output.output);
    else
        wl_output_destroy(output.output);
}

QRect WaylandConnection::Output::frame() const
{
    if (logical.isValid())
        return logical;
    return QRect(position, modePixels / scale);
}

void WaylandConnection::globalRemoved(quint32 name)
{
    for (qsizetype i = 0; i < m_outputs.size(); ++i) {
        if (m_outputs[i].globalName != name)
            continue;
        const Output o = m_outputs.takeAt(i);
        releaseOutput(o);
        if (o.described)
            Q_EMIT outputsChanged();
        return;
    }
}

WaylandConnection::Output* WaylandConnection::findOutput(zxdg_output_v1* output)
{
    for (Output& o : m_outputs) {
        if (o.xdgOutput == output)
            return &o;
    }
    return nullptr;
}

WaylandConnection::Output* WaylandConnection::findOutput(wl_output* output)
{
    for (Output& o : m_outputs) {
        if (o.output == output)
            return &o;
    }
    return nullptr;
}

void WaylandConnection::outputDone(wl_output* output)
{
    if (Output* o = findOutput(output)) {
        o->described = true;
        Q_EMIT outputsChanged();
    }
}

void WaylandConnection::seatCapabilities(quint32 capabilities)
{
    // A seat may gain its pointer later (a mouse plugged in), or lose it.
    const bool hasPointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (hasPointer && !m_pointer) {
        m_pointer = wl_seat_get_pointer(m_seat);
        wl_pointer_add_listener(m_pointer, &pointerListener, this);
    } else if (!hasPointer && m_pointer) {
        pointerLeft();
        if (wl_pointer_get_version(m_pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
            wl_pointer_release(m_pointer);
        else
            wl_pointer_destroy(m_pointer);
        m_pointer = nullptr;
    }
}

void WaylandConnection::setPointerHandler(wl_surface* surface, PointerHandler handler)
{
    m_pointerHandlers.insert(surface, std::move(handler));
}

void WaylandConnection::removePointerHandler(wl_surface* surface)
{
    m_pointerHandlers.remove(surface);
    if (m_pointerSurface == surface) {
        m_pointerSurface = nullptr;
        m_pointerButtons = Qt::NoButton;
    }
}

void WaylandConnection::deliverPointer(PointerEvent::Type type, Qt::MouseButton button)
{
    const auto it = m_pointerHandlers.constFind(m_pointerSurface);
    if (!m_pointerSurface || it == m_pointerHandlers.cend())
        return;
    PointerEvent event;
    event.type = type;
    event.position = m_pointerPosition;
    event.button = button;
    event.buttons = m_pointerButtons;
    // A copy: the handler may remove itself (its surface rebuilt).
    const PointerHandler handler = it.value();
    handler(event);
}

void WaylandConnection::showArrow(quint32 serial)
{
    // Each client sets the pointer's image over its surfaces; without it the
    // image of the last surface (a text cursor, say) would stay.
    if (!m_cursorTried) {
        m_cursorTried = true;
        bool ok = false;
        const int size = qEnvironmentVariableIntValue("XCURSOR_SIZE", &ok);
        m_cursorTheme =
            wl_cursor_theme_load(qgetenv("XCURSOR_THEME").constData(), ok && size > 0 ? size : 24, m_shm);
        if (m_cursorTheme)
            m_cursorSurface = wl_compositor_create_surface(m_compositor);
    }
    wl_cursor* cursor = m_cursorTheme ? wl_cursor_theme_get_cursor(m_cursorTheme, "left_ptr") : nullptr;
    if (!cursor || cursor->image_count == 0 || !m_cursorSurface)
        return;
    wl_cursor_image* image = cursor->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (!buffer)
        return;
    wl_pointer_set_cursor(m_pointer, serial, m_cursorSurface, int32_t(image->hotspot_x),
                          int32_t(image->hotspot_y));
    wl_surface_attach(m_cursorSurface, buffer, 0, 0);
    wl_surface_damage(m_cursorSurface, 0, 0, int32_t(image->width), int32_t(image->height));
    wl_surface_commit(m_cursorSurface);
}

void WaylandConnection::pointerEntered(quint32 serial, wl_surface* surface, QPointF position)
{
    ++m_pointerEnters;
    m_pointerSurface = m_pointerHandlers.contains(surface) ? surface : nullptr;
    if (m_pointerSurface)
        showArrow(serial);
    m_pointerPosition = position;
    m_pointerButtons = Qt::NoButton;
    deliverPointer(PointerEvent::Enter);
}

void WaylandConnection::pointerLeft()
{
    // Buttons still held are let go, so that nothing stays pressed or dragging
    // on a surface the pointer cannot come back to with them.
    const Qt::MouseButtons held = m_pointerButtons;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (held & b) {
            m_pointerButtons &= ~b;
            deliverPointer(PointerEvent::Release, b);
        }
    }
    deliverPointer(PointerEvent::Leave);
    m_pointerSurface = nullptr;
}

void WaylandConnection::pointerMoved(QPointF position)
{
    m_pointerPosition = position;
    deliverPointer(PointerEvent::Motion);
}

void WaylandConnection::pointerButton(quint32 code, bool pressed)
{
    const Qt::MouseButton button = mouseButton(code);
    if (button == Qt::NoButton)
        return;
    if (pressed)
        m_pointerButtons |= button;
    else
        m_pointerButtons &= ~button;
    deliverPointer(pressed ? PointerEvent::Press : PointerEvent::Release, button);
}

QList<WaylandConnection::Output> WaylandConnection::outputs() const
{
    QList<Output> out;
    for (const Output& o : m_outputs) {
        if (o.described && !o.modePixels.isEmpty())
            out.append(o);
    }
    return out;
}

wl_output* WaylandConnection::outputNamed(const QString& name) const
{
    for (const Output& o : m_outputs) {
        if (o.name == name)
            return o.output;
    }
    return nullptr;
}

bool WaylandConnection::roundtrip(int timeoutMs)
{
    if (m_broken)
        return false;
    switch (WaylandProbe::roundtrip(m_display, timeoutMs)) {
    case WaylandProbe::Roundtrip::Answered:
        return true;
    case WaylandProbe::Roundtrip::TimedOut:
        qWarning().noquote()
            << QStringLiteral("Wayland: the compositor did not answer within %1 ms.").arg(timeoutMs);
        return false;
    case WaylandProbe::Roundtrip::Failed:
        break;
    }
    fail();
    return false;
}

void WaylandConnection::readEvents()
{
    if (m_broken)
        return;
    // Only this thread reads; the prepare/read pair keeps that safe with
    // render threads sending requests at the same time.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0) {
            fail();
            return;
        }
    }
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
        fail();
}

void WaylandConnection::dispatchSoon()
{
    if (m_dispatchPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_dispatchPosted.store(false);
            flushBeforeSleep();
        },
        Qt::QueuedConnection);
}

void WaylandConnection::flushBeforeSleep()
{
    if (m_broken)
        return;
    if (wl_display_dispatch_pending(m_display) < 0 || (wl_display_flush(m_display) < 0 && errno != EAGAIN))
        fail();
}

void WaylandConnection::fail()
{
    if (m_broken)
        return;
    m_broken = true;
    if (m_notifier)
        m_notifier->setEnabled(false);
    qWarning().noquote() << "Wayland: lost the connection to the compositor:"
                         << QString::fromLocal8Bit(std::strerror(wl_display_get_error(m_display)));
    m_outputs.clear();
    Q_EMIT outputsChanged();
    Q_EMIT connectionLost();
}

} // namespace nivora
