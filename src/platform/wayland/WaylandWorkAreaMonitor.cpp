#include "platform/wayland/WaylandWorkAreaMonitor.h"

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandProtocols.h"

#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace nivora {

namespace {

WaylandWorkAreaMonitor* self(void* data)
{
    return static_cast<WaylandWorkAreaMonitor*>(data);
}

void onProbeConfigure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial, uint32_t width,
                      uint32_t height)
{
    self(data)->probeConfigured(layerSurface, serial, QSize(int(width), int(height)));
}

void onProbeClosed(void* data, zwlr_layer_surface_v1* layerSurface)
{
    self(data)->probeClosed(layerSurface);
}

const zwlr_layer_surface_v1_listener probeListener = {onProbeConfigure, onProbeClosed};

void onPopupSurfaceConfigure(void*, xdg_surface* surface, uint32_t serial)
{
    xdg_surface_ack_configure(surface, serial);
}

const xdg_surface_listener popupSurfaceListener = {onPopupSurfaceConfigure};

void onPopupConfigure(void* data, xdg_popup* popup, int32_t x, int32_t y, int32_t, int32_t)
{
    self(data)->popupConfigured(popup, QPoint(x, y));
}

void onPopupDone(void*, xdg_popup*) {}
void onPopupRepositioned(void*, xdg_popup*, uint32_t) {}

const xdg_popup_listener popupListener = {onPopupConfigure, onPopupDone, onPopupRepositioned};

// Far enough off any output's corner that sliding back always ends there.
constexpr int farAway = 1 << 20;

// KWin 5.27 places a popup made just after an output went away against that
// output, already freed, and crashes, taking the whole session down: no
// popup is asked for this long after an output went.
constexpr qint64 outputSettleMs = 1000;

} // namespace

WaylandWorkAreaMonitor::WaylandWorkAreaMonitor(const QByteArray& display, QObject* parent)
    : WorkAreaMonitor(parent), m_display(display)
{
    connectAgain();
}

void WaylandWorkAreaMonitor::connectAgain()
{
    dropAll();
    m_connection = WaylandConnection::connectToCompositor(m_display);
    if (!m_connection)
        return;
    m_connectedSince.start();
    connect(m_connection.get(), &WaylandConnection::outputsChanged, this,
            &WaylandWorkAreaMonitor::followOutputs);
    connect(m_connection.get(), &WaylandConnection::connectionLost, this,
            &WaylandWorkAreaMonitor::connectionLost);
    followOutputs();
    // The first brings the probes' sizes, the second their popups' places.
    if (!m_probes.isEmpty() && m_connection->roundtrip()) {
        askWhereDue();
        m_connection->roundtrip();
    }
    scheduleChanged();
}

void WaylandWorkAreaMonitor::connectionLost()
{
    dropAll();
    scheduleChanged();
    // Soon after a rare race; more slowly each time a compositor keeps
    // ending the connection at once. One that no longer answers at all has
    // taken the wallpaper's connection with it: nothing is tried after that.
    constexpr int firstPauseMs = 1000;
    constexpr int longestPauseMs = 60000;
    const bool lastedLong = m_connectedSince.isValid() && m_connectedSince.elapsed() > 10 * firstPauseMs;
    m_retryMs = lastedLong || m_retryMs == 0 ? firstPauseMs : std::min(2 * m_retryMs, longestPauseMs);
    // Not from within the connection's own signal: connectAgain() ends it.
    QTimer::singleShot(m_retryMs, this, &WaylandWorkAreaMonitor::connectAgain);
}

WaylandWorkAreaMonitor::~WaylandWorkAreaMonitor()
{
    dropAll();
}

void WaylandWorkAreaMonitor::dropAll()
{
    for (Probe& probe : m_probes)
        destroyProbe(probe);
    m_probes.clear();
}

void WaylandWorkAreaMonitor::destroyPopup(Popup& popup)
{
    if (popup.popup)
        xdg_popup_destroy(popup.popup);
    if (popup.xdgSurface)
        xdg_surface_destroy(popup.xdgSurface);
    if (popup.surface)
        wl_surface_destroy(popup.surface);
    popup = Popup();
}

void WaylandWorkAreaMonitor::destroyProbe(Probe& probe)
{
    for (Popup& popup : probe.popups)
        destroyPopup(popup);
    if (probe.layerSurface)
        zwlr_layer_surface_v1_destroy(probe.layerSurface);
    if (probe.surface)
        wl_surface_destroy(probe.surface);
    probe.layerSurface = nullptr;
    probe.surface = nullptr;
}

void WaylandWorkAreaMonitor::followOutputs()
{
    if (!m_connection || m_connection->isBroken() || !m_connection->layerShell() ||
        !m_connection->compositor())
        return;
    const QList<WaylandConnection::Output> outputs = m_connection->outputs();
    bool dropped = false;
    for (auto it = m_probes.begin(); it != m_probes.end();) {
        const bool stays = std::any_of(outputs.cbegin(), outputs.cend(), [&](const auto& o) {
            return o.name == it.key() && o.output == it->output;
        });
        // A probe the compositor closed is made again while its output lasts.
        if (stays && it->layerSurface) {
            ++it;
            continue;
        }
        destroyProbe(*it);
        it = m_probes.erase(it);
        dropped = true;
        m_outputGone.start();
    }
    for (const WaylandConnection::Output& o : outputs) {
        if (m_probes.contains(o.name))
            continue;
        Probe& probe = m_probes[o.name];
        probe.output = o.output;
        probe.surface = wl_compositor_create_surface(m_connection->compositor());
        // Never in the way of the pointer, should a compositor show it.
        wl_region* nothing = wl_compositor_create_region(m_connection->compositor());
        wl_surface_set_input_region(probe.surface, nothing);
        wl_region_destroy(nothing);
        probe.layerSurface =
            zwlr_layer_shell_v1_get_layer_surface(m_connection->layerShell(), probe.surface, o.output,
                                                  ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "nivora-workarea");
        zwlr_layer_surface_v1_add_listener(probe.layerSurface, &probeListener, this);
        zwlr_layer_surface_v1_set_anchor(
            probe.layerSurface, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_size(probe.layerSurface, 0, 0);
        // 0, not -1: the probe is to be kept out of everyone else's zones.
        zwlr_layer_surface_v1_set_exclusive_zone(probe.layerSurface, 0);
        zwlr_layer_surface_v1_set_keyboard_interactivity(probe.layerSurface,
                                                         ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
        wl_surface_commit(probe.surface);
    }
    if (dropped)
        scheduleChanged();
}

WaylandWorkAreaMonitor::Probe* WaylandWorkAreaMonitor::probeFor(zwlr_layer_surface_v1* layerSurface)
{
    for (Probe& probe : m_probes) {
        if (probe.layerSurface == layerSurface)
            return &probe;
    }
    return nullptr;
}

void WaylandWorkAreaMonitor::probeConfigured(zwlr_layer_surface_v1* layerSurface, quint32 serial, QSize size)
{
    Probe* probe = probeFor(layerSurface);
    if (!probe)
        return;
    zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
    wl_surface_commit(probe->surface);
    probe->size = size;
    // The free area may have moved without changing size (a bar taken from
    // the top to the bottom), so every configure asks again where it is.
    // Not at once: a popup whose parent the compositor has just closed (its
    // output went away; the word is often in the same batch of events) is a
    // protocol error, fatal to the whole connection. The rest of the batch
    // is read first, and several configures make one question.
    probe->askDue = true;
    if (!m_askQueued) {
        m_askQueued = true;
        const qint64 settling =
            m_outputGone.isValid() ? std::max<qint64>(0, outputSettleMs - m_outputGone.elapsed()) : 0;
        QTimer::singleShot(int(settling), this, [this] {
            m_askQueued = false;
            askWhereDue();
        });
    }
}

void WaylandWorkAreaMonitor::askWhereDue()
{
    if (!m_connection || m_connection->isBroken())
        return;
    for (Probe& probe : m_probes) {
        if (probe.askDue && probe.layerSurface)
            ask(probe);
        probe.askDue = false;
    }
}

void WaylandWorkAreaMonitor::ask(Probe& probe)
{
    for (int corner = 0; corner < corners; ++corner) {
        Popup& popup = probe.popups[corner];
        destroyPopup(popup);
        probe.asked[corner].reset();
        if (!m_connection->xdgShell())
            continue;
        const bool topLeft = corner == 0;
        xdg_positioner* positioner = xdg_wm_base_create_positioner(m_connection->xdgShell());
        xdg_positioner_set_size(positioner, 1, 1);
        xdg_positioner_set_anchor_rect(positioner, 0, 0, 1, 1);
        xdg_positioner_set_anchor(positioner, topLeft ? XDG_POSITIONER_ANCHOR_TOP_LEFT
                                                      : XDG_POSITIONER_ANCHOR_BOTTOM_RIGHT);
        xdg_positioner_set_gravity(positioner, topLeft ? XDG_POSITIONER_GRAVITY_TOP_LEFT
                                                       : XDG_POSITIONER_GRAVITY_BOTTOM_RIGHT);
        xdg_positioner_set_offset(positioner, topLeft ? -farAway : farAway, topLeft ? -farAway : farAway);
        xdg_positioner_set_constraint_adjustment(positioner,
                                                 XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_SLIDE_X |
                                                     XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_SLIDE_Y);
        popup.surface = wl_compositor_create_surface(m_connection->compositor());
        popup.xdgSurface = xdg_wm_base_get_xdg_surface(m_connection->xdgShell(), popup.surface);
        xdg_surface_add_listener(popup.xdgSurface, &popupSurfaceListener, this);
        popup.popup = xdg_surface_get_popup(popup.xdgSurface, nullptr, positioner);
        xdg_popup_add_listener(popup.popup, &popupListener, this);
        zwlr_layer_surface_v1_get_popup(probe.layerSurface, popup.popup);
        xdg_positioner_destroy(positioner);
        wl_surface_commit(popup.surface);
    }
    // Sent now: the answers are wanted before the main loop next sleeps.
    wl_display_flush(m_connection->display());
}

void WaylandWorkAreaMonitor::popupConfigured(xdg_popup* popup, QPoint position)
{
    for (Probe& probe : m_probes) {
        for (int corner = 0; corner < corners; ++corner) {
            if (probe.popups[corner].popup != popup)
                continue;
            // One answer per question: the popup has done its work.
            destroyPopup(probe.popups[corner]);
            probe.asked[corner] = position;
            if (!probe.asked[0] || !probe.asked[1])
                return;
            if (probe.sizeSeen != probe.size || probe.answers[0] != *probe.asked[0] ||
                probe.answers[1] != *probe.asked[1]) {
                probe.sizeSeen = probe.size;
                probe.answers[0] = *probe.asked[0];
                probe.answers[1] = *probe.asked[1];
                scheduleChanged();
            }
            return;
        }
    }
}

void WaylandWorkAreaMonitor::probeClosed(zwlr_layer_surface_v1* layerSurface)
{
    // The output is going away; its removal follows and drops the entry.
    if (Probe* probe = probeFor(layerSurface)) {
        m_outputGone.start();
        destroyProbe(*probe);
        probe->size.reset();
        probe->sizeSeen.reset();
        scheduleChanged();
    }
}

QRect WaylandWorkAreaMonitor::workArea(QScreen* screen) const
{
    return screen ? screen->availableGeometry() : QRect();
}

QRect WaylandWorkAreaMonitor::outputWorkArea(const ScreenInfo& screen) const
{
    const auto it = m_probes.constFind(screen.name);
    if (it == m_probes.cend() || !it->sizeSeen)
        return screen.frame;
    const QRect output(QPoint(0, 0), screen.frame.size());
    // Where each popup puts the probe, in the output: the top-left one sits
    // at the output's top-left corner, the bottom-right one (1 × 1) at its
    // bottom-right corner.
    const QPoint fromTopLeft = -it->answers[0];
    const QPoint fromBottomRight = output.bottomRight() - it->answers[1];
    const QRect free = QRect(fromTopLeft, *it->sizeSeen) & QRect(fromBottomRight, *it->sizeSeen);
    if (free.isEmpty() || !output.contains(free))
        return screen.frame;
    return free.translated(screen.frame.topLeft());
}

} // namespace nivora
