#pragma once

#include "platform/WorkAreaMonitor.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <memory>
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
// (a bar on top or at the bottom leaves the same size) comes from two xdg
// popups of that surface, one sent far off to the top-left and one far off
// to the bottom-right, both allowed to slide back. sway slides popups of
// layer surfaces into the output, so each lands at one of its corners, and
// its place relative to the probe tells where the probe, and with it the
// free area, is. KWin slides them into the free area itself, where they tell
// nothing: the two answers then disagree, and only the part of the area that
// is free whichever way the reserved space is split counts (a top panel then
// costs as much room at the bottom too, but no widget goes under it).
// Neither surface ever gets a buffer, so nothing is shown and no input is
// taken. The compositor configures the probe again whenever its output's
// layers are rearranged, and the questions are asked again then.
//
// The probes live on a connection of their own. A popup whose parent the
// compositor has just closed (its output went away while the question was on
// its way) is a protocol error, and a protocol error ends the connection it
// happens on: it must not take the wallpaper and the widgets with it. A lost
// probe connection is made again after a pause.
class WaylandWorkAreaMonitor : public WorkAreaMonitor
{
    Q_OBJECT

public:
    // Probes every output of the compositor named by `display` (as
    // WAYLAND_DISPLAY names it), now and later; the first answers are awaited
    // (within the connection's round-trip time-out), so that widgets are
    // placed right from the start.
    explicit WaylandWorkAreaMonitor(const QByteArray& display, QObject* parent = nullptr);
    ~WaylandWorkAreaMonitor() override;

    // Qt's screens are not the compositor's outputs on this backend.
    QRect workArea(QScreen* screen) const override;
    // The free area of the output named `screen.name`; its frame until the
    // compositor has answered, or when its answers do not fit the output.
    QRect outputWorkArea(const ScreenInfo& screen) const override;

    // Listener entry points (main thread).
    void probeConfigured(zwlr_layer_surface_v1* layerSurface, quint32 serial, QSize size);
    void probeClosed(zwlr_layer_surface_v1* layerSurface);
    void popupConfigured(xdg_popup* popup, QPoint position);

private:
    // Toward the top-left and toward the bottom-right.
    static constexpr int corners = 2;

    struct Popup
    {
        wl_surface* surface = nullptr;
        xdg_surface* xdgSurface = nullptr;
        xdg_popup* popup = nullptr;
    };

    struct Probe
    {
        wl_output* output = nullptr;
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layerSurface = nullptr;
        Popup popups[corners];
        bool askDue = false;                  // a configure came since the last questions
        std::optional<QSize> size;            // from the latest configure
        std::optional<QPoint> asked[corners]; // answers to the questions open
        std::optional<QSize> sizeSeen;        // what outputWorkArea() reads:
        QPoint answers[corners];              // sizeSeen with its answers
    };

    void connectAgain();
    void connectionLost();
    void followOutputs();
    void dropAll();
    static void destroyPopup(Popup& popup);
    static void destroyProbe(Probe& probe);
    void askWhereDue();
    void ask(Probe& probe);
    Probe* probeFor(zwlr_layer_surface_v1* layerSurface);

    QByteArray m_display;
    std::unique_ptr<WaylandConnection> m_connection;
    QElapsedTimer m_connectedSince;
    int m_retryMs = 0;
    QHash<QString, Probe> m_probes; // by output name
    bool m_askQueued = false;
    // Since an output last went away (invalid before any did).
    QElapsedTimer m_outputGone;
};

} // namespace nivora
