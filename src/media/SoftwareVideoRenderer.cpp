#include "media/SoftwareVideoRenderer.h"

#include "media/MediaLayout.h"
#include "platform/DesktopSurface.h"
#include "platform/mpv/MpvRenderApi.h"
#include "platform/x11/X11ScaledPresenter.h"
#include "scene/WallpaperWindow.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace nivora {

namespace {

std::atomic<bool> presentsFail{false};
std::atomic<SoftwareVideoRenderer::FrameObserver> frameObserver{nullptr};
std::atomic<void*> frameObserverData{nullptr};

} // namespace

void SoftwareVideoRenderer::setPresentsFailForTesting(bool fail)
{
    presentsFail.store(fail);
}

SoftwareVideoRenderer::Output SoftwareVideoRenderer::outputFor(const VideoTarget& target)
{
    Output out;
    out.window = target.window;
    out.surface = target.surface;
    if (target.window) {
        out.windowId = quint32(target.window->winId());
        out.pixels = target.window->size() * target.window->devicePixelRatio();
    } else if (target.surface) {
        out.pixels = target.surface->pixelSize();
    }
    out.screen = QRectF(target.screen);
    out.canvas = QRectF(target.canvas);
    return out;
}

std::unique_ptr<SoftwareVideoRenderer> SoftwareVideoRenderer::create(const VideoTarget& target)
{
    if (target.surface) {
        std::unique_ptr<SoftwareVideoRenderer> renderer(new SoftwareVideoRenderer);
        renderer->m_outputs.push_back(outputFor(target));
        renderer->m_overPrevious = target.overPrevious;
        return renderer;
    }
    if (!target.window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    std::unique_ptr<SoftwareVideoRenderer> renderer(new SoftwareVideoRenderer);
    const Output out = outputFor(target);
    renderer->m_outputs.push_back(out);
    renderer->m_overPrevious = target.overPrevious;
    // A small black frame proves the server can take our memory; it is what
    // the window shows until the first video frame.
    renderer->m_presenter = X11ScaledPresenter::create(out.windowId, out.pixels, QSize(16, 16),
                                                       X11ScaledPresenter::PixelOrder::BGRX,
                                                       X11ScaledPresenter::RowOrder::TopDown);
    if (!renderer->m_presenter)
        return nullptr;
    return renderer;
}

void SoftwareVideoRenderer::addTarget(const VideoTarget& target)
{
    const Output out = outputFor(target);
    auto add = [this, out] {
        m_outputs.push_back(out);
        m_layoutStale = true;
    };
    if (m_worker)
        QMetaObject::invokeMethod(m_worker, add, Qt::QueuedConnection);
    else
        add();
    // The new screen shows the current frame at once, not the next one.
    requestRedraw(false);
}

SoftwareVideoRenderer::~SoftwareVideoRenderer()
{
    stop();
}

void SoftwareVideoRenderer::start(const MpvRenderApi* api, mpv_render_context* context,
                                  const QString& threadName)
{
    m_api = api;
    m_context = context;
    m_thread = new QThread;
    m_thread->setObjectName(threadName);
    // Requests run on this object's thread; the renderer itself stays with
    // its owner, so it can be deleted there.
    m_worker = new QObject;
    m_worker->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
    requestRedraw(true);
}

void SoftwareVideoRenderer::stop()
{
    if (!m_thread)
        return;
    m_thread->quit();
    m_thread->wait();
    // Requests still queued went with the worker; the presenter is only ever
    // used by one thread at a time, from now on this one.
    delete m_thread;
    m_thread = nullptr;
    m_worker = nullptr;
    m_context = nullptr;
}

void SoftwareVideoRenderer::setVideoSize(QSize size)
{
    m_videoWidth.store(size.width());
    m_videoHeight.store(size.height());
}

void SoftwareVideoRenderer::requestUpdate()
{
    if (m_worker)
        QMetaObject::invokeMethod(
            m_worker, [this] { update(); }, Qt::QueuedConnection);
}

void SoftwareVideoRenderer::requestRedraw(bool clearOnly)
{
    if (m_worker)
        QMetaObject::invokeMethod(
            m_worker, [this, clearOnly] { draw(clearOnly); }, Qt::QueuedConnection);
}

void SoftwareVideoRenderer::update()
{
    if (m_context && (m_api->update(m_context) & MPV_RENDER_UPDATE_FRAME))
        draw(false);
}

void SoftwareVideoRenderer::draw(bool clearOnly)
{
    if (m_failed || !m_context || m_outputs.empty())
        return;
    // Windows that are all hidden need nothing drawn; one shown is enough,
    // since the others share its frame.
    if (m_outputs.front().window && std::none_of(m_outputs.begin(), m_outputs.end(), [](const Output& out) {
            return out.window->isExposedForRendering();
        }))
        return;
    if (present(clearOnly))
        return;
    m_failed = true;
    m_presenter.reset();
    Q_EMIT failed();
}

void SoftwareVideoRenderer::layOut()
{
    const QSize video(m_videoWidth.load(), m_videoHeight.load());
    if (!m_layoutStale && video == m_laidOutVideo)
        return;
    m_layoutStale = false;
    m_laidOutVideo = video;
    m_parts.clear();
    if (video.isEmpty()) {
        // Nothing decoded yet: a small black frame fills every screen.
        m_frame = QSize(16, 16);
        m_parts.assign(m_outputs.size(), QRectF(QPointF(0, 0), QSizeF(m_frame)));
    } else {
        std::vector<QRectF> parts;
        std::vector<QSize> pixels;
        for (const Output& out : m_outputs) {
            parts.push_back(
                MediaLayout::sourceRect(QSizeF(video), out.canvas, out.screen, MediaLayout::Fit::Fill));
            pixels.push_back(out.pixels);
        }
        // A video larger than the screens is scaled down by mpv, whose
        // filters do not alias as the server's bilinear one would; a smaller
        // one is converted at its own size and enlarged by the server.
        m_frame = MediaLayout::frameSize(video, parts, pixels);
        const double sx = double(m_frame.width()) / video.width();
        const double sy = double(m_frame.height()) / video.height();
        for (const QRectF& part : parts)
            m_parts.emplace_back(part.x() * sx, part.y() * sy, part.width() * sx, part.height() * sy);
    }
    m_presenter.reset();
}

void SoftwareVideoRenderer::renderInto(unsigned char* memory, QSize frame)
{
    int pixels[2] = {frame.width(), frame.height()};
    char format[] = "bgr0";
    size_t stride = size_t(frame.width()) * 4;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, pixels},    {MPV_RENDER_PARAM_SW_FORMAT, format},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride}, {MPV_RENDER_PARAM_SW_POINTER, memory},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    m_api->render(m_context, params);
    if (const FrameObserver observer = frameObserver.load(std::memory_order_acquire))
        observer(frameObserverData.load(std::memory_order_relaxed), memory, frame);
}

void SoftwareVideoRenderer::setFrameObserverForTesting(FrameObserver observer, void* data)
{
    frameObserverData.store(data, std::memory_order_relaxed);
    frameObserver.store(observer, std::memory_order_release);
}

bool SoftwareVideoRenderer::presentToSurfaces(bool clearOnly)
{
    const QRect whole(QPoint(0, 0), m_frame);
    const QRect only = m_outputs.size() == 1 ? m_parts.front().toAlignedRect() : QRect();
    if (!clearOnly && only.contains(whole) && only.size() == whole.size()) {
        // One surface showing the whole frame: it is converted straight into
        // the surface's memory.
        unsigned char* memory = m_outputs.front().surface->beginFrame(m_frame, DesktopSurface::Rows::TopDown);
        if (memory) {
            renderInto(memory, m_frame);
            const bool first = m_framesDrawn.fetch_add(1) == 0;
            if (!m_outputs.front().surface->present())
                return false;
            if (first)
                Q_EMIT firstFrameDrawn();
            m_api->reportSwap(m_context);
            return true;
        }
    }
    // The frame is still taken from mpv when no surface can show it (the
    // compositor has not shown the previous one): its playback otherwise
    // waits for it and would ask for no other.
    if (!clearOnly) {
        m_scratch.resize(qsizetype(m_frame.width()) * m_frame.height() * 4);
        renderInto(reinterpret_cast<unsigned char*>(m_scratch.data()), m_frame);
        if (m_framesDrawn.fetch_add(1) == 0)
            Q_EMIT firstFrameDrawn();
    }
    bool ok = true;
    for (size_t i = 0; i < m_outputs.size(); ++i) {
        const QRect part = clearOnly ? QRect(0, 0, 16, 16) : (m_parts[i].toAlignedRect() & whole);
        if (part.isEmpty())
            continue;
        unsigned char* memory = m_outputs[i].surface->beginFrame(part.size(), DesktopSurface::Rows::TopDown);
        if (!memory)
            continue;
        const size_t rowBytes = size_t(part.width()) * 4;
        for (int y = 0; y < part.height(); ++y) {
            if (clearOnly)
                std::memset(memory + y * rowBytes, 0, rowBytes);
            else
                std::memcpy(memory + y * rowBytes,
                            m_scratch.constData() +
                                (qsizetype(part.y() + y) * m_frame.width() + part.x()) * 4,
                            rowBytes);
        }
        ok = m_outputs[i].surface->present() && ok;
    }
    if (!clearOnly)
        m_api->reportSwap(m_context);
    return ok;
}

bool SoftwareVideoRenderer::present(bool clearOnly)
{
    if (presentsFail.load())
        return false;
    layOut();
    // Until the video's size is known no part of a frame can be placed: the
    // screens stay black, and the owner asks again once it is.
    if (m_laidOutVideo.isEmpty())
        clearOnly = true;
    // What the screen showed before stays there until the first frame.
    if (clearOnly && m_overPrevious && m_framesDrawn.load() == 0)
        return true;
    if (m_outputs.front().surface)
        return presentToSurfaces(clearOnly);
    if (!m_presenter) {
        std::vector<X11ScaledPresenter::Target> targets;
        for (size_t i = 0; i < m_outputs.size(); ++i)
            targets.push_back({m_outputs[i].windowId, m_outputs[i].pixels, m_parts[i]});
        m_presenter = X11ScaledPresenter::create(targets, m_frame, X11ScaledPresenter::PixelOrder::BGRX,
                                                 X11ScaledPresenter::RowOrder::TopDown);
        if (!m_presenter)
            return false;
    }
    const QSize frame = m_presenter->imageSize();
    uchar* memory = m_presenter->beginFrame();
    if (!memory)
        return false;
    bool first = false;
    if (clearOnly) {
        std::memset(memory, 0, size_t(frame.width()) * size_t(frame.height()) * 4);
    } else {
        renderInto(memory, frame);
        first = m_framesDrawn.fetch_add(1) == 0;
    }
    if (!m_presenter->present())
        return false;
    if (first)
        Q_EMIT firstFrameDrawn();
    if (!clearOnly)
        m_api->reportSwap(m_context);
    return true;
}

} // namespace nivora
