#include "platform/x11/X11ScaledPresenter.h"

#include "platform/x11/X11Connection.h"

#include <QtGlobal>
#include <cstdlib>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/render.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace nivora {

namespace {

xcb_render_fixed_t fixed(double value)
{
    return static_cast<xcb_render_fixed_t>(value * 65536.0);
}

// The 24-bit format of 32-bit pixels whose bytes in memory come in `order`.
// Pixel values are read in the server's byte order, which is ours: the
// segment is only shared with a server on this machine. On a big-endian
// machine neither order is a 24-bit format, and OpenGL scales instead.
xcb_render_pictformat_t rgbFormat(const xcb_render_query_pict_formats_reply_t* formats,
                                  X11ScaledPresenter::PixelOrder order)
{
    if (Q_BYTE_ORDER != Q_LITTLE_ENDIAN)
        return 0;
    const quint16 redShift = order == X11ScaledPresenter::PixelOrder::BGRX ? 16 : 0;
    const quint16 blueShift = 16 - redShift;
    auto it = xcb_render_query_pict_formats_formats_iterator(formats);
    for (; it.rem; xcb_render_pictforminfo_next(&it)) {
        const xcb_render_pictforminfo_t& f = *it.data;
        if (f.type == XCB_RENDER_PICT_TYPE_DIRECT && f.depth == 24 && f.direct.red_shift == redShift &&
            f.direct.red_mask == 0xff && f.direct.green_shift == 8 && f.direct.green_mask == 0xff &&
            f.direct.blue_shift == blueShift && f.direct.blue_mask == 0xff && f.direct.alpha_mask == 0)
            return f.id;
    }
    return 0;
}

xcb_render_pictformat_t visualFormat(const xcb_render_query_pict_formats_reply_t* formats,
                                     xcb_visualid_t visual)
{
    auto screens = xcb_render_query_pict_formats_screens_iterator(formats);
    for (; screens.rem; xcb_render_pictscreen_next(&screens)) {
        auto depths = xcb_render_pictscreen_depths_iterator(screens.data);
        for (; depths.rem; xcb_render_pictdepth_next(&depths)) {
            auto visuals = xcb_render_pictdepth_visuals_iterator(depths.data);
            for (; visuals.rem; xcb_render_pictvisual_next(&visuals)) {
                if (visuals.data->visual == visual)
                    return visuals.data->format;
            }
        }
    }
    return 0;
}

// Errors come back as events on a private connection; reads those that have
// arrived and says whether there was none.
bool noErrorsArrived(xcb_connection_t* c)
{
    bool ok = true;
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        if (event->response_type == 0)
            ok = false;
        std::free(event);
    }
    return ok;
}

bool hasExtension(xcb_connection_t* c, xcb_extension_t* extension)
{
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(c, extension);
    return data && data->present;
}

} // namespace

std::unique_ptr<X11ScaledPresenter> X11ScaledPresenter::create(quint32 window, QSize windowPixels,
                                                               QSize imagePixels, PixelOrder order,
                                                               RowOrder rows)
{
    return create({Target{window, windowPixels, QRectF()}}, imagePixels, order, rows);
}

std::unique_ptr<X11ScaledPresenter> X11ScaledPresenter::create(const std::vector<Target>& targets,
                                                               QSize imagePixels, PixelOrder order,
                                                               RowOrder rows)
{
    if (targets.empty() || imagePixels.isEmpty() || imagePixels.width() > 16384 ||
        imagePixels.height() > 16384)
        return nullptr;
    for (const Target& t : targets) {
        if (!t.window || t.pixels.isEmpty())
            return nullptr;
    }
    std::unique_ptr<X11ScaledPresenter> presenter(new X11ScaledPresenter);
    presenter->m_imageSize = imagePixels;
    if (!presenter->setUp(targets, order, rows))
        return nullptr;
    return presenter;
}

bool X11ScaledPresenter::setUp(const std::vector<Target>& targets, PixelOrder order, RowOrder rows)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    m_connection = xcb_connect(nullptr, nullptr);
    xcb_connection_t* c = m_connection;
    if (xcb_connection_has_error(c))
        return false;
    if (!hasExtension(c, &xcb_render_id) || !hasExtension(c, &xcb_shm_id))
        return false;
    // RENDER 0.10 brought pad repeat and filters (so 0.11 to be safe with
    // transforms); anything older cannot scale the way we need.
    XcbReply<xcb_render_query_version_reply_t> version(
        xcb_render_query_version_reply(c, xcb_render_query_version(c, 0, 11), nullptr));
    if (!version || (version->major_version == 0 && version->minor_version < 10))
        return false;

    XcbReply<xcb_render_query_pict_formats_reply_t> formats(
        xcb_render_query_pict_formats_reply(c, xcb_render_query_pict_formats(c), nullptr));
    if (!formats)
        return false;
    const xcb_render_pictformat_t sourceFormat = rgbFormat(formats.get(), order);
    if (!sourceFormat)
        return false;
    std::vector<xcb_render_pictformat_t> targetFormats;
    for (const Target& t : targets) {
        XcbReply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, t.window), nullptr));
        if (!attributes)
            return false;
        targetFormats.push_back(visualFormat(formats.get(), attributes->visual));
        if (!targetFormats.back())
            return false;
    }

    // Two frames' worth, used in turn: the next frame is written while the
    // server may still be reading the last one.
    m_frameBytes = size_t(m_imageSize.width()) * size_t(m_imageSize.height()) * 4;
    const int shmid = shmget(IPC_PRIVATE, 2 * m_frameBytes, IPC_CREAT | 0600);
    if (shmid < 0)
        return false;
    void* memory = shmat(shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(shmid, IPC_RMID, nullptr);
        return false;
    }
    m_memory = static_cast<uchar*>(memory);
    m_segment = xcb_generate_id(c);
    xcb_generic_error_t* error = xcb_request_check(c, xcb_shm_attach_checked(c, m_segment, shmid, 1));
    // Marked for removal now: it lives on until both sides have detached, and
    // nothing is left behind if this process dies.
    shmctl(shmid, IPC_RMID, nullptr);
    if (error) {
        // A server on another machine, or in another IPC namespace, cannot
        // attach our memory.
        std::free(error);
        return false;
    }
    m_segmentAttached = true;

    m_pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, 24, m_pixmap, targets.front().window, quint16(m_imageSize.width()),
                      quint16(m_imageSize.height()));
    m_gc = xcb_generate_id(c);
    xcb_create_gc(c, m_gc, m_pixmap, 0, nullptr);

    for (size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        Output out;
        out.pixels = t.pixels;
        // Pad repeat keeps the border pixels from blending with transparent
        // black at the edges of the screen.
        out.source = xcb_generate_id(c);
        const quint32 repeat[] = {XCB_RENDER_REPEAT_PAD};
        xcb_render_create_picture(c, out.source, m_pixmap, sourceFormat, XCB_RENDER_CP_REPEAT, repeat);
        // Destination pixels map to source pixels: scaled and moved to this
        // window's part, and flipped when the image arrives bottom row first.
        const QRectF part = t.source.isEmpty() ? QRectF(QPointF(0, 0), QSizeF(m_imageSize)) : t.source;
        const double sx = part.width() / t.pixels.width();
        const double sy = part.height() / t.pixels.height();
        const bool flip = rows == RowOrder::BottomUp;
        const double oy = flip ? m_imageSize.height() - part.y() : part.y();
        const xcb_render_transform_t transform = {
            fixed(sx), 0, fixed(part.x()), 0, fixed(flip ? -sy : sy), fixed(oy), 0, 0, fixed(1)};
        xcb_render_set_picture_transform(c, out.source, transform);
        static const char bilinear[] = "bilinear";
        xcb_render_set_picture_filter(c, out.source, sizeof bilinear - 1, bilinear, 0, nullptr);

        out.target = xcb_generate_id(c);
        xcb_render_create_picture(c, out.target, t.window, targetFormats[i], 0, nullptr);
        m_targets.push_back(out);
    }

    // One round trip, then any error the requests above caused is waiting.
    XcbReply<xcb_get_input_focus_reply_t> sync(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return sync && noErrorsArrived(c);
}

X11ScaledPresenter::~X11ScaledPresenter()
{
    if (m_connection) {
        xcb_connection_t* c = m_connection;
        if (!xcb_connection_has_error(c)) {
            for (const Output& out : m_targets) {
                xcb_render_free_picture(c, out.target);
                xcb_render_free_picture(c, out.source);
            }
            if (m_gc)
                xcb_free_gc(c, m_gc);
            if (m_pixmap)
                xcb_free_pixmap(c, m_pixmap);
            if (m_segmentAttached)
                xcb_shm_detach(c, m_segment);
            // The server must be done with the memory before it is unmapped.
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        }
        xcb_disconnect(c);
    }
    if (m_memory)
        shmdt(m_memory);
}

uchar* X11ScaledPresenter::beginFrame()
{
    xcb_connection_t* c = m_connection;
    m_slot ^= 1;
    if (m_fencePending[m_slot]) {
        m_fencePending[m_slot] = false;
        xcb_get_input_focus_cookie_t cookie{m_fence[m_slot]};
        std::free(xcb_get_input_focus_reply(c, cookie, nullptr));
    }
    if (xcb_connection_has_error(c))
        return nullptr;
    return m_memory + m_slot * m_frameBytes;
}

bool X11ScaledPresenter::present()
{
    xcb_connection_t* c = m_connection;
    if (xcb_connection_has_error(c))
        return false;
    const auto w = quint16(m_imageSize.width());
    const auto h = quint16(m_imageSize.height());
    xcb_shm_put_image(c, m_pixmap, m_gc, w, h, 0, 0, w, h, 0, 0, 24, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, m_segment,
                      quint32(m_slot * m_frameBytes));
    for (const Output& out : m_targets)
        xcb_render_composite(c, XCB_RENDER_PICT_OP_SRC, out.source, XCB_NONE, out.target, 0, 0, 0, 0, 0, 0,
                             quint16(out.pixels.width()), quint16(out.pixels.height()));
    m_fence[m_slot] = xcb_get_input_focus(c).sequence;
    m_fencePending[m_slot] = true;
    xcb_flush(c);
    // Any error (the window is gone, say) means the pictures are no longer
    // usable.
    return noErrorsArrived(c) && !xcb_connection_has_error(c);
}

} // namespace nivora
