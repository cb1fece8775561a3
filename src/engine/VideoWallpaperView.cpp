#include "engine/VideoWallpaperView.h"

#include "engine/ScaledDrawable.h"
#include "engine/WallpaperWindow.h"
#include "platform/mpv/MpvLibrary.h"
#include "platform/x11/X11ScaledPresenter.h"

#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mpv/render_gl.h>

namespace nivora {

// The render-API half of libmpv, resolved from the same library the client
// API comes from (loaded once, at first use).
struct MpvRenderApi
{
    decltype(&::mpv_render_context_create) create = nullptr;
    decltype(&::mpv_render_context_set_update_callback) setUpdateCallback = nullptr;
    decltype(&::mpv_render_context_update) update = nullptr;
    decltype(&::mpv_render_context_render) render = nullptr;
    decltype(&::mpv_render_context_report_swap) reportSwap = nullptr;
    decltype(&::mpv_render_context_free) free = nullptr;

    static const MpvRenderApi* get()
    {
        static const MpvRenderApi* api = []() -> const MpvRenderApi* {
            static QLibrary library(QStringLiteral("mpv"), MPV_CLIENT_API_VERSION >> 16);
            if (!library.load())
                return nullptr;
            static MpvRenderApi r;
            r.create = reinterpret_cast<decltype(r.create)>(library.resolve("mpv_render_context_create"));
            r.setUpdateCallback = reinterpret_cast<decltype(r.setUpdateCallback)>(
                library.resolve("mpv_render_context_set_update_callback"));
            r.update = reinterpret_cast<decltype(r.update)>(library.resolve("mpv_render_context_update"));
            r.render = reinterpret_cast<decltype(r.render)>(library.resolve("mpv_render_context_render"));
            r.reportSwap =
                reinterpret_cast<decltype(r.reportSwap)>(library.resolve("mpv_render_context_report_swap"));
            r.free = reinterpret_cast<decltype(r.free)>(library.resolve("mpv_render_context_free"));
            if (!r.create || !r.setUpdateCallback || !r.update || !r.render || !r.reportSwap || !r.free)
                return nullptr;
            return &r;
        }();
        return api;
    }
};

namespace {

void* procAddress(void* context, const char* name)
{
    auto* gl = static_cast<QOpenGLContext*>(context);
    return reinterpret_cast<void*>(gl->getProcAddress(name));
}

} // namespace

std::unique_ptr<VideoWallpaperView> VideoWallpaperView::create(const QString& path, WallpaperWindow* window)
{
    if (path.isEmpty() || !window || !QFileInfo(path).isFile())
        return nullptr;
    const MpvLibrary* api = MpvLibrary::get();
    const MpvRenderApi* render = MpvRenderApi::get();
    if (!api || !render)
        return nullptr;

    std::unique_ptr<VideoWallpaperView> view(new VideoWallpaperView);
    view->m_api = api;
    view->m_render = render;
    view->m_window = window;
    view->m_mpv = api->create();
    if (!view->m_mpv)
        return nullptr;
    mpv_handle* mpv = view->m_mpv;

    const struct
    {
        const char* name;
        const char* value;
    } options[] = {
        // A wallpaper player: no configuration files, scripts, terminal output,
        // on-screen display or input handling of its own.
        {"config", "no"},
        {"terminal", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"load-stats-overlay", "no"},
        {"load-osd-console", "no"},
        {"load-auto-profiles", "no"},
        {"osc", "no"},
        {"osd-level", "0"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        // Frames go to our OpenGL context through the render API.
        {"vo", "libmpv"},
        // Mesa's software renderer is refused unless asked for.
        {"gpu-sw", "yes"},
        {"hwdec", "no"},
        // Never any sound: no audio track selected, so nothing is decoded and
        // no audio output is opened.
        {"aid", "no"},
        {"ao", "null"},
        {"audio-display", "no"},
        {"loop-file", "inf"},
        // Keep the aspect ratio and crop to fill the window.
        {"keepaspect", "yes"},
        {"panscan", "1.0"},
        // A wallpaper must never keep the screens awake.
        {"stop-screensaver", "no"},
        {"idle", "yes"},
        {"keep-open", "no"},
        // Frames are handed over when they are due rather than early, so
        // that rendering never waits on the main thread for their time.
        {"video-timing-offset", "0"},
    };
    for (const auto& option : options)
        api->setOptionString(mpv, option.name, option.value);
    if (api->initialize(mpv) < 0)
        return nullptr;
    api->requestLogMessages(mpv, "no");

    view->m_context = std::make_unique<QOpenGLContext>();
    view->m_context->setFormat(window->format());
    view->m_context->setShareContext(QOpenGLContext::globalShareContext());
    if (!view->m_context->create() || !view->m_context->makeCurrent(window))
        return nullptr;
    // On a software renderer the frames go through the X server when it can
    // take them from our memory; the presenter made here only proves that
    // and paints the window black until the first frame.
    const bool softwareGL = ScaledDrawable::isSoftwareRenderer(view->m_context.get());
    view->m_context->doneCurrent();
    if (softwareGL && ScaledDrawable::isServerScalingAllowed() &&
        QGuiApplication::platformName() == QLatin1String("xcb"))
        view->m_presenter = X11ScaledPresenter::create(
            quint32(window->winId()), window->size() * window->devicePixelRatio(), QSize(16, 16),
            X11ScaledPresenter::PixelOrder::BGRX, X11ScaledPresenter::RowOrder::TopDown);
    if (!view->createRenderContext(view->m_presenter != nullptr))
        return nullptr;

    // Both callbacks run on mpv's threads: they only post to the main loop.
    // The destructor clears them before the view goes, and Qt drops events
    // posted to a deleted object.
    api->setWakeupCallback(
        mpv,
        [](void* context) {
            QMetaObject::invokeMethod(static_cast<VideoWallpaperView*>(context),
                                      &VideoWallpaperView::drainEvents, Qt::QueuedConnection);
        },
        view.get());
    render->setUpdateCallback(
        view->m_renderContext,
        [](void* context) {
            QMetaObject::invokeMethod(static_cast<VideoWallpaperView*>(context),
                                      &VideoWallpaperView::renderUpdate, Qt::QueuedConnection);
        },
        view.get());

    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const char* command[] = {"loadfile", file.constData(), nullptr};
    if (api->command(mpv, command) < 0)
        return nullptr;
    QObject::connect(window, &WallpaperWindow::exposureChanged, view.get(), [v = view.get()](bool exposed) {
        if (exposed)
            v->drawFrame(v->m_framesDrawn == 0);
    });
    view->drawFrame(true);
    return view;
}

VideoWallpaperView::~VideoWallpaperView()
{
    if (m_mpv)
        pause();
    freeRenderContext();
    m_presenter.reset();
    if (m_mpv) {
        m_api->setWakeupCallback(m_mpv, nullptr, nullptr);
        m_api->terminateDestroy(m_mpv);
        m_mpv = nullptr;
    }
}

void VideoWallpaperView::play()
{
    if (!m_mpv)
        return;
    m_paused = false;
    m_api->setPropertyString(m_mpv, "pause", "no");
}

void VideoWallpaperView::pause()
{
    if (!m_mpv)
        return;
    m_paused = true;
    m_api->setPropertyString(m_mpv, "pause", "yes");
}

QString VideoWallpaperView::property(const char* name) const
{
    if (!m_mpv)
        return {};
    char* value = m_api->getPropertyString(m_mpv, name);
    if (!value)
        return {};
    const QString out = QString::fromUtf8(value);
    m_api->free(value);
    return out;
}

QSize VideoWallpaperView::sourceSize(QSize windowPixels)
{
    if (m_videoSize.isEmpty()) {
        m_videoSize = QSize(property("video-params/dw").toInt(), property("video-params/dh").toInt());
        if (m_videoSize.isEmpty())
            return {};
    }
    // The part of the video that fills the window, in video pixels: the
    // window's shape at the scale that covers it. A video at least as large as
    // the window needs no scaling up.
    const double scale = std::max(double(windowPixels.width()) / m_videoSize.width(),
                                  double(windowPixels.height()) / m_videoSize.height());
    if (scale <= 1.0)
        return {};
    // Rows of a multiple of 64 bytes keep mpv's converter on its fast path;
    // the few extra columns change the scale by well under a percent.
    const int width =
        std::min(windowPixels.width(), (int(std::lround(windowPixels.width() / scale)) + 15) & ~15);
    const int height = int(std::lround(double(width) * windowPixels.height() / windowPixels.width()));
    return QSize(std::max(1, width), std::max(1, height));
}

bool VideoWallpaperView::createRenderContext(bool software)
{
    if (software) {
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        return m_render->create(&m_renderContext, m_mpv, params) >= 0;
    }
    mpv_opengl_init_params glInit{&procAddress, m_context.get()};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (!m_context->makeCurrent(m_window))
        return false;
    const bool created = m_render->create(&m_renderContext, m_mpv, params) >= 0;
    m_context->doneCurrent();
    return created;
}

void VideoWallpaperView::freeRenderContext()
{
    if (!m_renderContext)
        return;
    m_render->setUpdateCallback(m_renderContext, nullptr, nullptr);
    // An OpenGL render context owns GL objects: it is freed with its context
    // current.
    const bool current = !m_presenter && m_context && m_window && m_context->makeCurrent(m_window);
    m_render->free(m_renderContext);
    m_renderContext = nullptr;
    if (current)
        m_context->doneCurrent();
}

bool VideoWallpaperView::hasVideo() const
{
    return !property("video-params/w").isEmpty();
}

void VideoWallpaperView::drainEvents()
{
    while (m_mpv) {
        mpv_event* event = m_api->waitEvent(m_mpv, 0);
        if (!event || event->event_id == MPV_EVENT_NONE)
            break;
    }
}

void VideoWallpaperView::renderUpdate()
{
    if (!m_renderContext)
        return;
    if (m_render->update(m_renderContext) & MPV_RENDER_UPDATE_FRAME)
        drawFrame(false);
}

void VideoWallpaperView::drawFrame(bool clearOnly)
{
    if (!m_window->isExposed())
        return;
    const QSize size = m_window->size() * m_window->devicePixelRatio();
    if (m_presenter) {
        if (drawOnServer(size, clearOnly))
            return;
        // The connection to the X server broke: OpenGL draws from now on.
        qWarning().noquote() << QStringLiteral(
            "Lumeris: vidéo — le serveur X ne prend plus les images ; OpenGL les dessine désormais");
        freeRenderContext();
        m_presenter.reset();
        if (!createRenderContext(false))
            return;
        m_render->setUpdateCallback(
            m_renderContext,
            [](void* context) {
                QMetaObject::invokeMethod(static_cast<VideoWallpaperView*>(context),
                                          &VideoWallpaperView::renderUpdate, Qt::QueuedConnection);
            },
            this);
    }
    if (!m_context->makeCurrent(m_window))
        return;
    if (clearOnly) {
        QOpenGLFunctions* gl = m_context->functions();
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
        gl->glViewport(0, 0, size.width(), size.height());
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
    } else {
        mpv_opengl_fbo fbo{static_cast<int>(m_context->defaultFramebufferObject()), size.width(),
                           size.height(), 0};
        int flipY = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
            {MPV_RENDER_PARAM_FLIP_Y, &flipY},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        m_render->render(m_renderContext, params);
        ++m_framesDrawn;
    }
    m_context->swapBuffers(m_window);
    if (!clearOnly)
        m_render->reportSwap(m_renderContext);
}

bool VideoWallpaperView::drawOnServer(QSize windowPixels, bool clearOnly)
{
    // A video smaller than the window is converted at its own size and the
    // server scales it up; a larger one is scaled down by mpv, whose filter
    // does not alias the way the server's bilinear one would.
    QSize frame = clearOnly ? m_presenter->imageSize() : sourceSize(windowPixels);
    if (frame.isEmpty())
        frame = windowPixels;
    if (m_presenter->imageSize() != frame || m_presenter->windowSize() != windowPixels) {
        m_presenter = X11ScaledPresenter::create(quint32(m_window->winId()), windowPixels, frame,
                                                 X11ScaledPresenter::PixelOrder::BGRX,
                                                 X11ScaledPresenter::RowOrder::TopDown);
        if (!m_presenter)
            return false;
    }
    uchar* memory = m_presenter->beginFrame();
    if (!memory)
        return false;
    if (clearOnly) {
        std::memset(memory, 0, size_t(frame.width()) * size_t(frame.height()) * 4);
    } else {
        int pixels[2] = {frame.width(), frame.height()};
        char format[] = "bgr0";
        size_t stride = size_t(frame.width()) * 4;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_SW_SIZE, pixels},    {MPV_RENDER_PARAM_SW_FORMAT, format},
            {MPV_RENDER_PARAM_SW_STRIDE, &stride}, {MPV_RENDER_PARAM_SW_POINTER, memory},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        m_render->render(m_renderContext, params);
        ++m_framesDrawn;
    }
    if (!m_presenter->present())
        return false;
    if (!clearOnly)
        m_render->reportSwap(m_renderContext);
    return true;
}

} // namespace nivora
