#pragma once

#include "platform/WidgetSurface.h"

#include <QList>
#include <QPair>
#include <QString>
#include <memory>

struct wl_callback;
struct wl_surface;
struct zwlr_layer_surface_v1;

namespace nivora {

class WaylandConnection;
class WaylandShmBuffers;

// A desktop widget as a bottom-layer surface: above the background layer the
// wallpaper uses, below ordinary windows. It is anchored to the top-left
// corner of its output and placed by margins from the output's edges, not
// from the area panels leave: a position keeps its meaning while panels come
// and go, as a widget window on X11 keeps the position it was given. Panels
// are kept clear of by where the controller puts it (inside the work area
// WaylandWorkAreaMonitor measures). It never takes the keyboard. Moving it to another output makes a new
// surface there, since a layer surface stays on the output it was made for.
//
// Images go out in shared-memory buffers (two: the compositor may hold one);
// a widget redraws when its face changes, so no frame callbacks are used. The
// latest image is kept for the next surface.
class WaylandWidgetSurface : public WidgetSurface
{
    Q_OBJECT

public:
    explicit WaylandWidgetSurface(WaylandConnection& connection);
    ~WaylandWidgetSurface() override;

    void setGeometry(const QRect& rect) override;
    void setInputRegion(const QRegion& region) override;
    void show(const QImage& image) override;
    int scale() const override { return m_scale; }

    // The output the surface is on; empty before setGeometry() or when there
    // is no output.
    QString outputName() const { return m_outputName; }
    // Whether the compositor has shown an image of it.
    bool isMapped() const { return m_mapped; }

    // Listener entry points (main thread).
    void configured(quint32 serial);
    void closedByCompositor();
    void syncDone(wl_callback* callback);

private:
    void build(const QString& outputName);
    void destroySurface();
    // Makes the surface again where its geometry now belongs, on a later
    // turn of the event loop.
    void placeAgainLater();
    void commit();
    void applyGeometry();
    void applyInputRegion();
    void presentPending();

    WaylandConnection& m_connection;
    QString m_outputName;
    QPoint m_outputOrigin; // of m_outputName in the layout
    int m_scale = 1;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layerSurface = nullptr;
    bool m_configured = false;
    bool m_mapped = false;
    QRect m_geometry;
    QRegion m_inputRegion;
    bool m_hasInputRegion = false;
    // The latest image, kept after it went out so that a new surface (the
    // widget changed output, or its output went away) shows it at once.
    QImage m_image;
    bool m_hasPending = false; // m_image has not gone out on this surface yet
    // While a button is held over the surface (a drag), it stays on its
    // output even when moved off it: a new surface would not get the rest
    // of the drag. It changes output when the button is let go.
    Qt::MouseButtons m_held;
    bool m_outputChangeDue = false;

    // Pointer positions arrive relative to the surface where the compositor
    // had it when it sent them: events sent before a move took effect are
    // read against the old place. The round trip after each move tells when.
    // During a press they stay relative to the place at the press.
    QPoint m_appliedOrigin;
    QPoint m_grabOrigin;
    QList<QPair<wl_callback*, QPoint>> m_moves; // sync callback, origin sent before it

    std::unique_ptr<WaylandShmBuffers> m_buffers;
};

} // namespace nivora
