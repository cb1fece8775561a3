#include "platform/wayland/WaylandConnection.h"

#include "platform/wayland/WaylandProtocols.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>

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

} // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::connectToCompositor()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return nullptr;
    wl_display* display = wl_display_connect(nullptr);
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
    for (const Output& o : std::as_const(m_outputs))
        releaseOutput(o);
    if (m_xdgOutputs)
        zxdg_output_manager_v1_destroy(m_xdgOutputs);
    if (m_viewporter)
        wp_viewporter_destroy(m_viewporter);
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
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !m_xdgOutputs) {
        m_xdgOutputs =
            static_cast<zxdg_output_manager_v1*>(bind(&zxdg_output_manager_v1_interface, xdgOutputVersion));
        for (Output& o : m_outputs)
            describeLogically(o);
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

bool WaylandConnection::roundtrip()
{
    if (m_broken)
        return false;
    if (wl_display_roundtrip(m_display) < 0) {
        fail();
        return false;
    }
    return true;
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
