#pragma once

#include <QRectF>
#include <QSize>
#include <memory>
#include <vector>

struct xcb_connection_t;

namespace nivora {

// Puts a small image on a window scaled to fill it, with the X server doing the
// scaling (RENDER with a bilinear transform) from a shared-memory pixmap.
//
// With software OpenGL, scaling a drawable up to the screen on the client costs
// as much CPU as drawing the scene itself; handing the smaller image to the
// server is what a compositor does with a layer whose drawable is smaller than
// its view, and costs the client only one copy of the small image.
//
// Frames are written with 4 bytes per pixel, rows packed, in the pixel and
// row orders given at creation. The presenter keeps its own X
// connection, so its traffic never wakes the toolkit's event thread; it may be
// used from any one thread at a time.
class X11ScaledPresenter
{
public:
    // Byte order of the frame's pixels in memory.
    enum class PixelOrder
    {
        BGRX, // what glReadPixels writes for GL_BGRA
        RGBX  // GL_RGBA
    };

    // Order of the frame's rows in memory.
    enum class RowOrder
    {
        BottomUp, // as glReadPixels writes them
        TopDown   // as QImage holds them
    };

    // A window the image is put on, and the part of the image it shows
    // (in image pixels; the whole image when empty), scaled to fill it.
    struct Target
    {
        quint32 window = 0;
        QSize pixels;
        QRectF source;
    };

    // Null when there is no X display, or it lacks RENDER or MIT-SHM, or has
    // no picture format for `order`, or the window cannot be drawn to; the
    // caller then scales on its own.
    static std::unique_ptr<X11ScaledPresenter> create(quint32 window, QSize windowPixels, QSize imagePixels,
                                                      PixelOrder order = PixelOrder::BGRX,
                                                      RowOrder rows = RowOrder::BottomUp);
    // One image shown on several windows, each its own part of it: the image
    // crosses to the server once per frame whatever the number of windows.
    static std::unique_ptr<X11ScaledPresenter> create(const std::vector<Target>& targets, QSize imagePixels,
                                                      PixelOrder order, RowOrder rows);
    ~X11ScaledPresenter();

    X11ScaledPresenter(const X11ScaledPresenter&) = delete;
    X11ScaledPresenter& operator=(const X11ScaledPresenter&) = delete;

    QSize imageSize() const { return m_imageSize; }
    // The first window's size.
    QSize windowSize() const { return m_targets.empty() ? QSize() : m_targets.front().pixels; }

    // Memory for the next frame, imageSize() pixels. Frames alternate between
    // two buffers; this waits, if it must, until the server has taken the
    // frame before last out of the one returned. Null once the
    // connection has failed (the server went away).
    uchar* beginFrame();
    // Copies the frame to the server and fills each window with its part of
    // it, scaled. False when the connection has failed.
    bool present();

private:
    X11ScaledPresenter() = default;
    bool setUp(const std::vector<Target>& targets, PixelOrder order, RowOrder rows);

    struct Output
    {
        QSize pixels;
        quint32 source = 0; // the pixmap, seen through this window's transform
        quint32 target = 0;
    };

    xcb_connection_t* m_connection = nullptr;
    std::vector<Output> m_targets;
    QSize m_imageSize;
    quint32 m_segment = 0;
    quint32 m_pixmap = 0;
    quint32 m_gc = 0;
    uchar* m_memory = nullptr;
    bool m_segmentAttached = false;
    size_t m_frameBytes = 0;
    // Which half of the segment the current frame uses.
    int m_slot = 1;
    // Sequence of a round trip sent after each half was last put; its reply
    // proves the server has read that half.
    unsigned int m_fence[2] = {0, 0};
    bool m_fencePending[2] = {false, false};
};

} // namespace nivora
