#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QSocketNotifier;

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_output;
struct wl_pointer;
struct wl_seat;
struct wl_cursor_theme;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct wp_viewporter;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct xdg_wm_base;

namespace nivora {

class WaylandEglDisplay;

// The process's own connection to the Wayland compositor, apart from the
// toolkit's: it finds the globals the desktop surfaces need and follows the
// outputs. Events are read and dispatched on the main thread; other threads
// may send requests (wayland-client serialises them) and flush.
class WaylandConnection : public QObject
{
    Q_OBJECT

public:
    // One wl_output as the compositor describes it. The logical rectangle
    // (xdg-output) is the output's place in the compositor's layout, as a
    // screen frame is; without it, `position` and the mode divided by the
    // scale stand in.
    struct Output
    {
        quint32 globalName = 0;
        wl_output* output = nullptr;
        zxdg_output_v1* xdgOutput = nullptr;
        QString name;
        QPoint position;
        QSize modePixels;
        int refreshMilliHz = 0;
        int scale = 1;
        QRect logical;
        bool described = false; // the first `done` has arrived

        QRect frame() const;
    };

    // Connects to the compositor named by `display`, or by WAYLAND_DISPLAY
    // when it is empty, and reads its globals and outputs. Null when no
    // compositor is named or nobody answers.
    static std::unique_ptr<WaylandConnection> connectToCompositor(const QByteArray& display = {});
    ~WaylandConnection() override;

    bool hasLayerShell() const { return m_layerShell != nullptr; }
    // True when, while a button is held, the compositor gives pointer
    // positions relative to where the surface was at the press rather than
    // where it is now: sway does, and tells its clients it is sway through
    // SWAYSOCK (or the desktop name).
    bool pointerKeepsPressOrigin() const { return m_pointerKeepsPressOrigin; }
    // The globals; null when the compositor does not offer them.
    wl_display* display() const { return m_display; }
    wl_compositor* compositor() const { return m_compositor; }
    wl_shm* shm() const { return m_shm; }
    zwlr_layer_shell_v1* layerShell() const { return m_layerShell; }
    wp_viewporter* viewporter() const { return m_viewporter; }
    xdg_wm_base* xdgShell() const { return m_xdgShell; }
    // EGL on this connection, made on the first call (main thread); null when
    // the driver offers none, which is asked only once.
    WaylandEglDisplay* egl();

    // What the pointer did over one of this connection's surfaces, in the
    // surface's coordinates (logical pixels).
    struct PointerEvent
    {
        enum Type
        {
            Enter,
            Leave,
            Motion,
            Press,
            Release
        };
        Type type = Motion;
        QPointF position;
        Qt::MouseButton button = Qt::NoButton; // Press and Release
        Qt::MouseButtons buttons;              // held after the event
    };
    using PointerHandler = std::function<void(const PointerEvent&)>;
    // Pointer events over `surface` go to `handler` until it is removed
    // (main thread). Surfaces without a handler get none.
    void setPointerHandler(wl_surface* surface, PointerHandler handler);
    void removePointerHandler(wl_surface* surface);
    // How often the pointer has entered any surface of this connection.
    quint64 pointerEnterCount() const { return m_pointerEnters; }

    // The outputs fully described so far, in the order the compositor
    // announced them.
    QList<Output> outputs() const;
    wl_output* outputNamed(const QString& name) const;

    // Blocks until the compositor has answered everything sent so far (main
    // thread), or `timeoutMs` has passed. False when the connection has
    // failed or the compositor did not answer in time: a compositor that
    // accepts clients but never serves them must not freeze the process.
    bool roundtrip(int timeoutMs = 5000);
    bool isBroken() const { return m_broken; }
    // Has the main thread dispatch the events already read (any thread).
    // EGL reads the connection on the threads that swap, when it waits for a
    // buffer: events for the main thread read there wait in its queue, and
    // the main thread, asleep on a socket with nothing left to read, would
    // not see them (a frame callback, say) until something else woke it.
    void dispatchSoon();

    // Listener entry points (wayland-client calls them on the main thread).
    void globalAdded(quint32 name, const char* interface, quint32 version);
    void globalRemoved(quint32 name);
    void outputDone(wl_output* output);
    Output* findOutput(wl_output* output);
    Output* findOutput(zxdg_output_v1* output);
    void seatCapabilities(quint32 capabilities);
    void pointerEntered(quint32 serial, wl_surface* surface, QPointF position);
    void pointerLeft();
    void pointerMoved(QPointF position);
    void pointerButton(quint32 button, bool pressed);

Q_SIGNALS:
    // An output was added, removed or changed.
    void outputsChanged();
    // The compositor went away; every surface is gone with it.
    void connectionLost();

private:
    explicit WaylandConnection(wl_display* display);
    void readEvents();
    void flushBeforeSleep();
    void fail();
    void showArrow(quint32 serial);
    void deliverPointer(PointerEvent::Type type, Qt::MouseButton button = Qt::NoButton);
    void describeLogically(Output& output);
    static void releaseOutput(const Output& output);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_compositor* m_compositor = nullptr;
    wl_shm* m_shm = nullptr;
    zwlr_layer_shell_v1* m_layerShell = nullptr;
    wp_viewporter* m_viewporter = nullptr;
    xdg_wm_base* m_xdgShell = nullptr;
    zxdg_output_manager_v1* m_xdgOutputs = nullptr;
    wl_seat* m_seat = nullptr;
    wl_pointer* m_pointer = nullptr;
    QList<Output> m_outputs;
    QHash<wl_surface*, PointerHandler> m_pointerHandlers;
    // The arrow shown over this connection's surfaces, loaded on first use.
    wl_cursor_theme* m_cursorTheme = nullptr;
    wl_surface* m_cursorSurface = nullptr;
    bool m_cursorTried = false;
    wl_surface* m_pointerSurface = nullptr; // under the pointer, when ours
    QPointF m_pointerPosition;
    Qt::MouseButtons m_pointerButtons;
    quint64 m_pointerEnters = 0;
    QSocketNotifier* m_notifier = nullptr;
    std::unique_ptr<WaylandEglDisplay> m_egl;
    bool m_eglTried = false;
    bool m_pointerKeepsPressOrigin =
        !qEnvironmentVariableIsEmpty("SWAYSOCK") || qEnvironmentVariable("XDG_CURRENT_DESKTOP")
                                                        .split(QLatin1Char(':'))
                                                        .contains(QLatin1String("sway"), Qt::CaseInsensitive);
    bool m_broken = false;
    std::atomic<bool> m_dispatchPosted{false};
};

} // namespace nivora
