#include "media/SoftwareVideoRenderer.h"

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

} // namespace

void SoftwareVideoRenderer::setPresentsFailForTesting(bool fail)
{
    presentsFail.store(fail);
}

std::unique_ptr<SoftwareVideoRenderer> SoftwareVideoRenderer::create(WallpaperWindow* window)
{
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    std::unique_ptr<SoftwareVideoRenderer> renderer(new SoftwareVideoRenderer(window));
    renderer->m_windowId = quint32(window->winId());
    renderer->m_windowPixels = window->size() * window->devicePixelRatio();
    // A small black frame proves the server can take our memory; it is what
    // the window shows until the first video frame.
    renderer->m_presenter = X11ScaledPresenter::create(renderer->m_windowId, renderer->m_windowPixels,
                                                       QSize(16, 16), X11ScaledPresenter::PixelOrder::BGRX,
                                                       X11ScaledPresenter::RowOrder::TopDown);
    if (!renderer->m_presenter)
        return nullptr;
    return renderer;
}

std::unique_ptr<SoftwareVideoRenderer> SoftwareVideoRenderer::create(DesktopSurface* surface)
{
    if (!surface)
        return nullptr;
    std::unique_ptr<SoftwareVideoRenderer> renderer(new SoftwareVideoRenderer(nullptr));
    renderer->m_surface = surface;
    renderer->m_windowPixels = surface->pixelSize();
    return renderer;
}

SoftwareVideoRenderer::SoftwareVideoRenderer(WallpaperWindow* window) : m_window(window) {}

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
    requestRedraw(m_windowPixels, true);
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

void SoftwareVideoRenderer::requestRedraw(QSize windowPixels, bool clearOnly)
{
    if (m_worker)
        QMetaObject::invokeMethod(
            m_worker, [this, windowPixels, clearOnly] { draw(windowPixels, clearOnly); },
            Qt::QueuedConnection);
}

void SoftwareVideoRenderer::update()
{
    if (m_context && (m_api->update(m_context) & MPV_RENDER_UPDATE_FRAME))
        draw(m_windowPixels, false);
}

void SoftwareVideoRenderer::draw(QSize windowPixels, bool clearOnly)
{
    if (!windowPixels.isEmpty())
        m_windowPixels = windowPixels;
    if (m_failed || !m_context || m_windowPixels.isEmpty())
        return;
    if (m_window && !m_window->isExposedForRendering())
        return;
    if (present(m_windowPixels, clearOnly))
        return;
    m_failed = true;
    m_presenter.reset();
    Q_EMIT failed();
}

QSize SoftwareVideoRenderer::frameSize(QSize windowPixels) const
{
    const int videoWidth = m_videoWidth.load();
    const int videoHeight = m_videoHeight.load();
    if (videoWidth <= 0 || videoHeight <= 0)
        return windowPixels;
    // The part of the video that fills the window, in video pixels: the
    // window's shape at the scale that covers it. A video at least as large
    // as the window is scaled down by mpv, whose filters do not alias as the
    // server's bilinear one would.
    const double scale =
        std::max(double(windowPixels.width()) / videoWidth, double(windowPixels.height()) / videoHeight);
    if (scale <= 1.0)
        return windowPixels;
    // Rows of a multiple of 64 bytes keep mpv's converter on its fast path;
    // the few extra columns change the scale by well under a percent.
    const int width =
        std::min(windowPixels.width(), (int(std::lround(windowPixels.width() / scale)) + 15) & ~15);
    const int height = int(std::lround(double(width) * windowPixels.height() / windowPixels.width()));
    return QSize(std::max(1, width), std::max(1, height));
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
}

bool SoftwareVideoRenderer::presentToSurface(QSize windowPixels, bool clearOnly)
{
    const QSize frame = clearOnly ? QSize(16, 16) : frameSize(windowPixels);
    unsigned char* memory = m_surface->beginFrame(frame, DesktopSurface::Rows::TopDown);
    if (!memory) {
        // The compositor has not shown the previous frame yet: this one is
        // dropped, but still taken from mpv, whose playback otherwise waits
        // for it and would ask for no other.
        if (!clearOnly) {
            m_scratch.resize(qsizetype(frame.width()) * frame.height() * 4);
            renderInto(reinterpret_cast<unsigned char*>(m_scratch.data()), frame);
            m_api->reportSwap(m_context);
        }
        return true;
    }
    if (clearOnly)
        std::memset(memory, 0, size_t(frame.width()) * size_t(frame.height()) * 4);
    else
        renderInto(memory, frame);
    const bool first = !clearOnly && m_framesDrawn.fetch_add(1) == 0;
    if (!m_surface->present())
        return false;
    if (first)
        Q_EMIT firstFrameDrawn();
    if (!clearOnly)
        m_api->reportSwap(m_context);
    return true;
}

bool SoftwareVideoRenderer::present(QSize windowPixels, bool clearOnly)
{
    if (presentsFail.load())
        return false;
    if (m_surface)
        return presentToSurface(windowPixels, clearOnly);
    const QSize frame = clearOnly ? m_presenter->imageSize() : frameSize(windowPixels);
    if (m_presenter->imageSize() != frame || m_presenter->windowSize() != windowPixels) {
        m_presenter =
            X11ScaledPresenter::create(m_windowId, windowPixels, frame, X11ScaledPresenter::PixelOrder::BGRX,
                                       X11ScaledPresenter::RowOrder::TopDown);
        if (!m_presenter)
            return false;
    }
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
