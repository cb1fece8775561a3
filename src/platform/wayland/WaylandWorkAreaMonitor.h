#pragma once

#include "platform/WorkAreaMonitor.h"

#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

struct wl_output;
struct wl_surface;
struct xdg_popup;
struct xdg_surface;
struct zwlr_layer_surface_v1;

namespace nivora {

class WaylandConnection;

// The area of each output that the layer shell's exclusive zones (panels,
// bars, docks) leave free, as the compositor itself works it out.
//
// The layer shell tells no client where other surfaces are. It does tell a
// surface its own size: a surface of size 0 anchored to all four edges with
// exclusive zone 0 is given the size of the free area. Where that area lies
// (a bar on top or at the bottom leaves the same size) comes from an xdg
// popup of that surface: asked to go far off to the top-left and to slide
// back inside the output, it is configured at the output's corner, relative
// to its parent, which is the negated offset of the free area. Neither
// surface ever gets a buffer, so nothing is shown and no input is taken.
// The compositor configures the probe again whenever its outputs' layers are
// rearranged, and each configure asks a new popup.
class WaylandWorkAreaMonitor : public WorkAreaMonitor
{
    Q_OBJECT

public:
    // Probes every output the connection has, now and later; the first
    // answers are awaited (within the connection's round-trip time-out), so
    // that widgets are placed right from the start.
    explicit WaylandWorkAreaMonitor(WaylandConnection& connection, QObject* parent = nullptr);
    ~WaylandWorkAreaMonitor() override;

    // Qt's screens are not the compositor's outputs on this backend.
    QRect workArea(QScreen* screen) const override;
    // The free area of the output named `screen.name`; its frame until the
    // compositor has answered both questions, or when it answers nonsense.
    QRect outputWorkArea(const ScreenInfo& screen) const override;

    // Listener entry points (main thread).
    void probeConfigured(zwlr_layer_surface_v1* layerSurface, quint32 serial, QSize size);
    void probeClosed(zwlr_layer_surface_v1* layerSurface);
    void popupConfigured(xdg_popup* popup, QPoint position);

private:
    struct Probe
    {
        wl_output* output = nullptr;
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layerSurface = nullptr;
        wl_surface* popupSurface = nullptr;
        xdg_surface* popupXdgSurface = nullptr;
        xdg_popup* popup = nullptr;
        std::optional<QSize> size;     // from the latest configure
        std::optional<QSize> sizeSeen; // the size the popup's answer goes with
        std::optional<QPoint> offset;  // of the free area in the output
    };

    void followOutputs();
    void dropAll();
    static void destroyPopup(Probe& probe);
    static void destroyProbe(Probe& probe);
    void askPopup(Probe& probe);
    Probe* probeFor(zwlr_layer_surface_v1* layerSurface);
    void scheduleChanged();

    WaylandConnection& m_connection;
    QHash<QString, Probe> m_probes; // by output name
    bool m_changeQueued = false;
};

} // namespace nivora
