#pragma once

#include "platform/DesktopSurface.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

struct wl_callback;
struct wl_surface;
struct wp_viewport;
struct zwlr_layer_surface_v1;

namespace nivora {

class WaylandConnection;
class WaylandShmBuffers;

// A background-layer surface covering one output: anchored to its four edges,
// taking no exclusive zone and never moved for others' zones, refusing the
// keyboard, with an empty input region so that clicks reach the desktop.
//
// Frames arrive from the drawing thread in shared-memory buffers (two, so one
// can be drawn while the compositor reads the other; a still has one, dropped
// once committed) and the compositor
// scales them to the output (wp_viewporter) and turns bottom-up rows the
// right way up. Each frame asks for a frame
// callback; the next frame waits for it, so a surface the compositor stops
// showing costs nothing, and one whose callback stays away counts as covered
// until the compositor shows it again.
//
// Drawn through EGL instead (makeGpuSurface()), the surface has an EGL window
// of the drawable's size, scaled the same way, and frames are paced by the
// same callbacks: EGL's swap interval is 0, so a swap never waits for a
// callback a covered surface does not get.
class WaylandLayerSurface : public DesktopSurface
{
    Q_OBJECT

public:
    // How long a frame may go unshown before the surface counts as covered: a
    // compositor that is merely slow answers well within it.
    static constexpr std::chrono::milliseconds coveredAfter{500};

    // Makes the surface on the output named `outputName` and waits until the
    // compositor has configured it (main thread). Null when the output or the
    // layer shell is missing or the compositor refuses the surface.
    static std::unique_ptr<WaylandLayerSurface> create(WaylandConnection& connection,
                                                       const QString& outputName);
    // Main thread, once no thread draws into it any more.
    ~WaylandLayerSurface() override;

    QSize pixelSize() const override;
    unsigned char* beginFrame(QSize imagePixels, Rows rows) override;
    bool present() override;
    bool isCovered() const override { return m_covered.load(); }
    void setStill(bool still) override { m_still.store(still); }
    std::unique_ptr<GpuSurface> makeGpuSurface() override;

    // For the surface's EGL window (drawing thread). Whether a frame may be
    // drawn now, as beginFrame() decides it.
    bool readyForFrame();
    // Asks for the frame callback and places the next frame, which EGL's swap
    // then commits.
    void prepareGpuCommit();
    wl_surface* surface() const { return m_surface; }

    // Listener entry points (main thread).
    void configured(quint32 serial, quint32 width, quint32 height);
    void closedByCompositor();
    void frameDone(wl_callback* callback);

    // How many shared-memory buffers the surface holds now (0 before the
    // first frame and after a still's); test hook.
    int bufferCount() const;

private:
    WaylandLayerSurface(WaylandConnection& connection, int scale);
    // Asks for the next frame callback; returns the logical size to show the
    // frame at.
    QSize requestFrameCallback();

    WaylandConnection& m_connection;
    int m_scale = 1;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layerSurface = nullptr;
    wp_viewport* m_viewport = nullptr;

    mutable std::mutex m_mutex; // guards m_logicalSize and m_callback
    QSize m_logicalSize;
    wl_callback* m_callback = nullptr;
    std::atomic<bool> m_configured{false};
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_covered{false};
    std::atomic<bool> m_callbackPending{false};
    std::atomic<qint64> m_callbackSince{0}; // steady clock, nanoseconds
    std::atomic<bool> m_still{false};

    // Drawn into on the render thread; its release events arrive on the main
    // thread.
    std::unique_ptr<WaylandShmBuffers> m_buffers;
    // Render thread only.
    int m_current = -1;
    Rows m_rows = Rows::TopDown; // of the frame begun
    Rows m_committedRows = Rows::TopDown;
};

} // namespace nivora
