#include "media/VideoWallpaperView.h"

#include "media/MediaLayout.h"
#include "media/MediaPathCheck.h"
#include "media/SoftwareVideoRenderer.h"
#include "platform/DesktopSurface.h"
#include "platform/mpv/MpvLibrary.h"
#include "scene/GLFunctions.h"
#include "scene/ScaledDrawable.h"
#include "scene/WallpaperRenderer.h"
#include "scene/WallpaperWindow.h"

#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <cstdlib>
#include <mpv/render_gl.h>
#include <utility>

namespace nivora {

namespace {

void* procAddress(void* context, const char* name)
{
    auto* gl = static_cast<QOpenGLContext*>(context);
    return reinterpret_cast<void*>(gl->getProcAddress(name));
}

void* surfaceProcAddress(void* context, const char* name)
{
    return reinterpret_cast<void*>(static_cast<GpuSurface*>(context)->procAddress(name));
}

// A context of the window system's own is made current on the main thread
// only once the toolkit's is not: one thread cannot have both current.
void releaseToolkitContext()
{
    if (QOpenGLContext* current = QOpenGLContext::currentContext())
        current->doneCurrent();
}

// Whether a desktop surface's own OpenGL is to draw, as for scenes: on a
// graphics card, or when NIVORA_RENDER_PATH=gpu forces it.
bool surfacesWantOpenGL()
{
    const ScaledDrawable::ForcedPath forced = ScaledDrawable::forcedPath();
    return forced == ScaledDrawable::ForcedPath::Gpu ||
           (forced == ScaledDrawable::ForcedPath::None && !ScaledDrawable::hasNoGpuDevice());
}

// The hook that runs once the file is opened, before any decoder exists.
constexpr char preloadedHook[] = "on_preloaded";

// A filter that turns frames by `clockwise` degrees (the stream's display
// rotation, rounded to a quarter turn), or nothing for none.
QString uprightFilter(int clockwise)
{
    switch ((((clockwise + 45) / 90) % 4 + 4) % 4) {
    case 1:
        return QStringLiteral("lavfi=[transpose=clock]");
    case 2:
        return QStringLiteral("lavfi=[hflip,vflip]");
    case 3:
        return QStringLiteral("lavfi=[transpose=cclock]");
    default:
        return QString();
    }
}

} // namespace

std::unique_ptr<VideoWallpaperView> VideoWallpaperView::create(const QString& path, DesktopSurface* surface)
{
    if (!surface)
        return nullptr;
    const QRect frame(QPoint(0, 0), surface->pixelSize());
    return create(path, VideoTarget{nullptr, surface, frame, frame});
}

std::unique_ptr<VideoWallpaperView> VideoWallpaperView::create(const QString& path, WallpaperWindow* window)
{
    if (!window)
        return nullptr;
    return create(path, VideoTarget{window, nullptr, window->geometry(), window->geometry()});
}

std::unique_ptr<VideoWallpaperView> VideoWallpaperView::create(const QString& path, const VideoTarget& target)
{
    if (target.surface) {
        std::unique_ptr<VideoWallpaperView> view = makePlayer(path);
        if (!view)
            return nullptr;
        view->m_overPrevious = target.overPrevious;
        if (surfacesWantOpenGL() && view->addGpuTarget(target)) {
            if (view->createRenderContext(false)) {
                if (!view->listenAndLoad(path))
                    return nullptr;
                view->drawFrame(true);
                return view;
            }
            // A driver that offers EGL but not mpv's renderer in it still
            // has the processor's route.
            qWarning().noquote() << QStringLiteral(
                "Wayland: the video cannot be drawn through EGL; frames go through shared memory.");
            view->m_gpuTargets.clear();
            view->m_targets.clear();
            view->m_gl.reset();
            view->m_hardwareGL = false;
        }
        view->m_targets.push_back(target);
        view->m_software = SoftwareVideoRenderer::create(target);
        if (!view->m_software || !view->createRenderContext(true))
            return nullptr;
        view->listenAndLoad(path);
        return view;
    }
    WallpaperWindow* window = target.window;
    if (!window)
        return nullptr;
    std::unique_ptr<VideoWallpaperView> view = makePlayer(path);
    if (!view)
        return nullptr;
    view->m_overPrevious = target.overPrevious;
    view->m_targets.push_back(target);

    // On a software renderer the frames are converted on the processor and
    // go through the X server, when it can take them from our memory. Without
    // a graphics device that is known before any driver is loaded, and a video
    // then never costs the process the OpenGL driver's memory.
    if (ScaledDrawable::readsBack(ScaledDrawable::hasNoGpuDevice()))
        view->m_software = SoftwareVideoRenderer::create(target);
    if (!view->m_software) {
        if (!view->makeContext(window) || !view->m_context->makeCurrent(window))
            return nullptr;
        const bool softwareGL = ScaledDrawable::isSoftwareRenderer(view->m_context.get());
        view->m_context->doneCurrent();
        view->m_hardwareGL = !softwareGL;
        if (ScaledDrawable::readsBack(softwareGL))
            view->m_software = SoftwareVideoRenderer::create(target);
    }
    if (!view->createRenderContext(view->m_software != nullptr))
        return nullptr;
    if (!view->listenAndLoad(path))
        return nullptr;
    view->watchExposure(window);
    if (!view->m_software)
        view->drawFrame(true);
    return view;
}

void VideoWallpaperView::watchExposure(WallpaperWindow* window)
{
    QObject::connect(window, &WallpaperWindow::exposureChanged, this, [this](bool exposed) {
        if (exposed)
            drawFrame(framesDrawn() == 0);
    });
}

void VideoWallpaperView::addTarget(const VideoTarget& target)
{
    if (m_targets.empty() || bool(target.window) != bool(m_targets.front().window))
        return;
    if (!m_gpuTargets.empty()) {
        // A surface whose OpenGL cannot be had shows nothing; the others go on.
        if (!addGpuTarget(target)) {
            m_targets.push_back(target);
            m_gpuTargets.push_back(GpuTarget{});
        }
        m_parts.clear();
        drawFrame(framesDrawn() == 0);
        return;
    }
    m_targets.push_back(target);
    m_parts.clear();
    if (m_software)
        m_software->addTarget(target);
    if (target.window) {
        watchExposure(target.window);
        if (!m_software)
            drawFrame(framesDrawn() == 0);
    }
}

std::unique_ptr<VideoWallpaperView> VideoWallpaperView::makePlayer(const QString& path)
{
    if (MediaPathCheck::check(path) != MediaPathCheck::Verdict::PlainFile)
        return nullptr;
    // Tests stand in for a decoder that takes the process down as it opens a
    // file, to check that the next start keeps away from that file.
    if (qEnvironmentVariableIsSet("NIVORA_TEST_ABORT_OPENING_MEDIA"))
        std::abort();
    std::shared_ptr<const MpvLibrary> library = MpvLibrary::acquire();
    if (!library)
        return nullptr;
    const MpvLibrary* api = library.get();

    std::unique_ptr<VideoWallpaperView> view(new VideoWallpaperView);
    view->m_library = std::move(library);
    view->m_api = api;
    view->m_render = &api->render;
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
        // The file and nothing else: no references to other files or
        // addresses followed (playlists, EDL, cue sheets, HLS, ordered
        // chapters), no files found beside it, no network protocol.
        {"access-references", "no"},
        {"load-unsafe-playlists", "no"},
        {"ordered-chapters", "no"},
        {"autoload-files", "no"},
        {"sub-auto", "no"},
        {"audio-file-auto", "no"},
        {"cover-art-auto", "no"},
        {"stream-lavf-o", "protocol_whitelist=file"},
        {"demuxer-lavf-o", "protocol_whitelist=file"},
        // Frames go to our OpenGL context through the render API.
        {"vo", "libmpv"},
        // Mesa's software renderer is refused unless asked for.
        {"gpu-sw", "yes"},
        // Decoded on the processor until OpenGL is known to run on a
        // graphics card (createRenderContext).
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
    return view;
}

bool VideoWallpaperView::listenAndLoad(const QString& path)
{
    // The wake-up callback runs on mpv's threads and only posts to the main
    // loop; the destructor clears it before the view goes, and Qt drops
    // events posted to a deleted object.
    m_api->setWakeupCallback(
        m_mpv,
        [](void* context) {
            QMetaObject::invokeMethod(static_cast<VideoWallpaperView*>(context),
                                      &VideoWallpaperView::drainEvents, Qt::QueuedConnection);
        },
        this);
    startRendering();
    if (m_software) {
        // libmpv's software renderer crops a turned stream (a phone's video) by
        // the turned size but receives the frames unturned, and aborts the
        // process. Its frames therefore reach it already upright: mpv's own
        // rotation is off, and a filter chosen once the file is open turns them.
        m_api->setPropertyString(m_mpv, "video-rotate", "no");
        m_api->hookAdd(m_mpv, 0, preloadedHook, 0);
    }

    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const char* command[] = {"loadfile", file.constData(), nullptr};
    return m_api->command(m_mpv, command) >= 0;
}

void VideoWallpaperView::startRendering()
{
    if (m_software) {
        // Frames are asked for straight from mpv's thread to the renderer's.
        m_software->start(m_render, m_renderContext, QStringLiteral("nv-video"));
        QObject::connect(m_software.get(), &SoftwareVideoRenderer::failed, this,
                         &VideoWallpaperView::switchToOpenGL, Qt::QueuedConnection);
        QObject::connect(m_software.get(), &SoftwareVideoRenderer::firstFrameDrawn, this,
                         &VideoWallpaperView::reportFirstFrame, Qt::QueuedConnection);
        m_render->setUpdateCallback(
            m_renderContext,
            [](void* context) { static_cast<SoftwareVideoRenderer*>(context)->requestUpdate(); },
            m_software.get());
        return;
    }
    m_render->setUpdateCallback(
        m_renderContext,
        [](void* context) {
            QMetaObject::invokeMethod(static_cast<VideoWallpaperView*>(context),
                                      &VideoWallpaperView::renderUpdate, Qt::QueuedConnection);
        },
        this);
}

void VideoWallpaperView::switchToOpenGL()
{
    // A desktop surface has no OpenGL route: its frames stop.
    if (!m_software || m_targets.empty() || !m_targets.front().window)
        return;
    qWarning().noquote() << QStringLiteral(
        "Nivora: video: the X server no longer takes the frames; OpenGL draws them from now on");
    // The video track is put aside while the render context changes, so that
    // mpv builds its video output again on the new one.
    m_api->setPropertyString(m_mpv, "vid", "no");
    freeRenderContext();
    m_framesDrawn += m_software->framesDrawn();
    m_software.reset();
    if (m_hdrAsSdr)
        applyFilters();
    const bool created = makeContext(m_targets.front().window) && createRenderContext(false);
    if (created)
        startRendering();
    m_api->setPropertyString(m_mpv, "vid", m_videoTrack.isEmpty() ? "auto" : m_videoTrack.constData());
    if (created)
        drawFrame(framesDrawn() == 0);
}

QString VideoWallpaperView::path() const
{
    return m_software ? QStringLiteral("software-video") : QStringLiteral("gpu-video");
}

quint64 VideoWallpaperView::framesDrawn() const
{
    return m_framesDrawn + (m_software ? m_software->framesDrawn() : 0);
}

VideoWallpaperView::~VideoWallpaperView()
{
    if (m_mpv)
        pause();
    freeRenderContext();
    m_software.reset();
    // The EGL windows go before the surfaces they draw into.
    m_gpuTargets.clear();
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

QString VideoWallpaperView::property(const QByteArray& name) const
{
    if (!m_mpv)
        return {};
    char* value = m_api->getPropertyString(m_mpv, name.constData());
    if (!value)
        return {};
    const QString out = QString::fromUtf8(value);
    m_api->free(value);
    return out;
}

bool VideoWallpaperView::makeContext(WallpaperWindow* window)
{
    if (m_context)
        return true;
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(window->format());
    context->setShareContext(WallpaperRenderer::shareContext());
    if (!context->create())
        return false;
    m_context = std::move(context);
    return true;
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
    if (!m_gpuTargets.empty()) {
        GpuSurface* first = m_gpuTargets.front().surface.get();
        releaseToolkitContext();
        if (!first->makeCurrent())
            return false;
        mpv_opengl_init_params glInit{&surfaceProcAddress, first};
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
            {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        const bool created = m_render->create(&m_renderContext, m_mpv, params) >= 0;
        first->doneCurrent();
        if (created && m_hardwareGL)
            m_api->setPropertyString(m_mpv, "hwdec", "auto-safe");
        return created;
    }
    mpv_opengl_init_params glInit{&procAddress, m_context.get()};
    // Decoders on the graphics card hand their frames to OpenGL through the
    // X display (VA-API, VDPAU).
    auto* x11 = m_hardwareGL ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {x11 ? MPV_RENDER_PARAM_X11_DISPLAY : MPV_RENDER_PARAM_INVALID, x11 ? x11->display() : nullptr},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (!m_context->makeCurrent(m_targets.front().window))
        return false;
    const bool created = m_render->create(&m_renderContext, m_mpv, params) >= 0;
    m_context->doneCurrent();
    // On a graphics card frames are decoded there when it knows the codec, so
    // they never pass through the processor; otherwise mpv decodes them in
    // software and still draws them with OpenGL. A software renderer gains
    // nothing from it.
    if (created && m_hardwareGL)
        m_api->setPropertyString(m_mpv, "hwdec", "auto-safe");
    return created;
}

void VideoWallpaperView::freeRenderContext()
{
    if (!m_renderContext)
        return;
    // Once the callback is cleared mpv asks for no more frames; the software
    // renderer's thread is stopped before the context it draws with goes.
    m_render->setUpdateCallback(m_renderContext, nullptr, nullptr);
    if (m_software)
        m_software->stop();
    if (!m_gpuTargets.empty()) {
        GpuSurface* first = m_gpuTargets.front().surface.get();
        releaseToolkitContext();
        const bool current = first->makeCurrent();
        m_render->free(m_renderContext);
        m_renderContext = nullptr;
        if (current)
            freeTexture();
        first->doneCurrent();
        // Each target's framebuffer goes with its context.
        for (GpuTarget& t : m_gpuTargets) {
            if (t.surface && t.framebuffer && t.surface->makeCurrent())
                m_gl->glDeleteFramebuffers(1, &t.framebuffer);
            t.framebuffer = 0;
            if (t.surface)
                t.surface->doneCurrent();
        }
        m_parts.clear();
        return;
    }
    // An OpenGL render context owns GL objects: it is freed with its context
    // current.
    const bool current =
        !m_software && m_context && !m_targets.empty() && m_context->makeCurrent(m_targets.front().window);
    m_render->free(m_renderContext);
    m_renderContext = nullptr;
    // Its frame buffer too: Qt frees it with whichever context of its group
    // is current next when this one is not.
    m_frameBuffer.reset();
    m_parts.clear();
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
        // The software renderer converts only the part of the video that
        // shows, and needs the video's size for that, as the filters leave it.
        if (event->event_id == MPV_EVENT_VIDEO_RECONFIG && m_software && !m_hdrAsSdr) {
            const QString gamma = property("video-params/gamma");
            if (gamma == QLatin1String("hlg") || gamma == QLatin1String("pq")) {
                m_hdrAsSdr = true;
                applyFilters();
            }
        }
        if (event->event_id == MPV_EVENT_VIDEO_RECONFIG) {
            m_videoSize =
                QSize(property("video-out-params/dw").toInt(), property("video-out-params/dh").toInt());
            m_parts.clear();
            if (m_software)
                m_software->setVideoSize(m_videoSize);
            // The frame that came with the new size is shown laid out for it.
            drawFrame(false);
        }
        if (event->event_id == MPV_EVENT_PROPERTY_CHANGE && m_endingPass) {
            const auto* change = static_cast<mpv_event_property*>(event->data);
            if (change->format == MPV_FORMAT_FLAG && qstrcmp(change->name, "eof-reached") == 0 &&
                *static_cast<const int*>(change->data)) {
                m_endingPass = false;
                m_passOver = true;
                Q_EMIT passEnded();
            }
        }
        if (event->event_id == MPV_EVENT_END_FILE &&
            static_cast<mpv_event_end_file*>(event->data)->reason == MPV_END_FILE_REASON_ERROR)
            reportUnplayable();
        if (event->event_id == MPV_EVENT_HOOK) {
            const auto* hook = static_cast<mpv_event_hook*>(event->data);
            if (qstrcmp(hook->name, preloadedHook) == 0)
                turnUpright();
            m_api->hookContinue(m_mpv, hook->id);
        }
    }
}

void VideoWallpaperView::endAfterThisPass()
{
    if (!m_mpv || m_endingPass)
        return;
    m_endingPass = true;
    // Both are read when the pass ends, so the one under way is the last,
    // and its last frame stays on screen instead of the player going idle.
    m_api->setPropertyString(m_mpv, "keep-open", "yes");
    m_api->setPropertyString(m_mpv, "loop-file", "no");
    m_api->observeProperty(m_mpv, 0, "eof-reached", MPV_FORMAT_FLAG);
}

void VideoWallpaperView::loopAgain()
{
    if (!m_mpv || !(m_endingPass || m_passOver))
        return;
    const bool over = std::exchange(m_passOver, false);
    m_endingPass = false;
    m_api->setPropertyString(m_mpv, "loop-file", "inf");
    m_api->setPropertyString(m_mpv, "keep-open", "no");
    if (!over)
        return;
    const char* command[] = {"seek", "0", "absolute", nullptr};
    m_api->command(m_mpv, command);
    // Holding its last frame, the player paused itself.
    if (!m_paused)
        m_api->setPropertyString(m_mpv, "pause", "no");
}

void VideoWallpaperView::turnUpright()
{
    // The first video track (not a cover picture) is the one shown, chosen
    // here so that the filter matches the track played.
    const int tracks = property("track-list/count").toInt();
    for (int i = 0; i < tracks; ++i) {
        const QByteArray track = "track-list/" + QByteArray::number(i) + '/';
        if (property(track + "type") != QLatin1String("video") ||
            property(track + "albumart") == QLatin1String("yes"))
            continue;
        m_videoTrack = property(track + "id").toUtf8();
        m_api->setPropertyString(m_mpv, "vid", m_videoTrack.constData());
        m_uprightFilter = uprightFilter(property(track + "demux-rotation").toInt());
        if (!m_uprightFilter.isEmpty())
            applyFilters();
        return;
    }
    reportUnplayable();
}

void VideoWallpaperView::applyFilters()
{
    QStringList chain;
    if (!m_uprightFilter.isEmpty())
        chain << m_uprightFilter;
    // The processor's conversion maps HDR (a phone's HLG, an HDR10 film) to
    // the screen without tone mapping: everything above paper white clips, a
    // blue sky turns cyan. Read as a plain BT.2020 picture instead, HLG shows
    // as an SDR screen shows it (what it was designed for) and PQ keeps its
    // hues, a little flat; a real tone map would cost about a core per 1080p
    // stream here. OpenGL tone-maps for itself.
    if (m_hdrAsSdr && m_software)
        chain << QStringLiteral("format=gamma=bt.1886");
    m_api->setPropertyString(m_mpv, "vf", chain.join(QLatin1Char(',')).toUtf8().constData());
}

void VideoWallpaperView::reportUnplayable()
{
    if (m_unplayableReported)
        return;
    m_unplayableReported = true;
    Q_EMIT unplayable();
}

void VideoWallpaperView::reportFirstFrame()
{
    if (m_firstFrameReported)
        return;
    m_firstFrameReported = true;
    Q_EMIT firstFrameShown();
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
    // What the screen showed before stays there until the first frame.
    if (clearOnly && m_overPrevious && framesDrawn() == 0)
        return;
    if (!m_gpuTargets.empty()) {
        drawOnSurfaces(clearOnly);
        return;
    }
    if (m_targets.empty() || !m_targets.front().window)
        return;
    if (m_software) {
        m_software->requestRedraw(clearOnly);
        return;
    }
    std::vector<WallpaperWindow*> shown;
    for (const VideoTarget& target : m_targets) {
        if (target.window->isExposed())
            shown.push_back(target.window);
    }
    if (shown.empty() || !m_context->makeCurrent(shown.front()))
        return;
    const bool rendered = !clearOnly && !m_videoSize.isEmpty();
    if (!rendered && m_overPrevious && framesDrawn() == 0) {
        m_context->doneCurrent();
        return;
    }
    if (rendered)
        renderToFrameBuffer();
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    for (size_t i = 0; i < m_targets.size(); ++i) {
        WallpaperWindow* window = m_targets[i].window;
        if (!window->isExposed() || !m_context->makeCurrent(window))
            continue;
        const QSize size = window->size() * window->devicePixelRatio();
        gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_context->defaultFramebufferObject());
        gl->glViewport(0, 0, size.width(), size.height());
        if (rendered && m_frameBuffer && i < m_parts.size()) {
            // The frame buffer holds the frame bottom row first, as OpenGL
            // does; parts are measured from the top.
            const QRectF& part = m_parts[i];
            const int frameHeight = m_frameBuffer->height();
            gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, m_frameBuffer->handle());
            gl->glBlitFramebuffer(qRound(part.left()), frameHeight - qRound(part.bottom()),
                                  qRound(part.right()), frameHeight - qRound(part.top()), 0, 0, size.width(),
                                  size.height(), GL_COLOR_BUFFER_BIT, GL_LINEAR);
        } else {
            gl->glClearColor(0, 0, 0, 1);
            gl->glClear(GL_COLOR_BUFFER_BIT);
        }
        m_context->swapBuffers(window);
    }
    if (rendered) {
        m_render->reportSwap(m_renderContext);
        reportFirstFrame();
    }
}

QSize VideoWallpaperView::layOut()
{
    // The frame is rendered once, at the smallest size no screen has to
    // enlarge (the video's own size at most), and every screen shows its
    // part of it.
    if (m_parts.size() == m_targets.size())
        return m_frameSize;
    std::vector<QRectF> parts;
    std::vector<QSize> pixels;
    for (const VideoTarget& target : m_targets) {
        parts.push_back(MediaLayout::sourceRect(QSizeF(m_videoSize), QRectF(target.canvas),
                                                QRectF(target.screen), MediaLayout::Fit::Fill));
        pixels.push_back(target.window ? target.window->size() * target.window->devicePixelRatio()
                                       : target.surface->pixelSize());
    }
    m_frameSize = MediaLayout::frameSize(m_videoSize, parts, pixels);
    const double sx = double(m_frameSize.width()) / m_videoSize.width();
    const double sy = double(m_frameSize.height()) / m_videoSize.height();
    m_parts.clear();
    for (const QRectF& part : parts)
        m_parts.emplace_back(part.x() * sx, part.y() * sy, part.width() * sx, part.height() * sy);
    return m_frameSize;
}

void VideoWallpaperView::renderToFrameBuffer()
{
    const QSize frame = layOut();
    if (!m_frameBuffer || m_frameBuffer->size() != frame)
        m_frameBuffer = std::make_unique<QOpenGLFramebufferObject>(frame);
    renderInto(m_frameBuffer->handle(), m_frameBuffer->size());
}

void VideoWallpaperView::renderInto(unsigned int framebuffer, QSize size)
{
    mpv_opengl_fbo fbo{static_cast<int>(framebuffer), size.width(), size.height(), 0};
    int flipY = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    m_render->render(m_renderContext, params);
    ++m_framesDrawn;
}

bool VideoWallpaperView::addGpuTarget(const VideoTarget& target)
{
    std::unique_ptr<GpuSurface> surface = target.surface->makeGpuSurface();
    if (!surface)
        return false;
    const bool software = ScaledDrawable::isSoftwareRendererName(surface->renderer());
    // The first target decides the route, as the scene's render worker does:
    // a rasterizer on the processor converts faster in mpv's software
    // renderer than in its OpenGL one.
    if (m_gpuTargets.empty()) {
        if (software && ScaledDrawable::forcedPath() != ScaledDrawable::ForcedPath::Gpu)
            return false;
        m_gl = GLFunctions::resolve([s = surface.get()](const char* name) { return s->procAddress(name); });
        if (!m_gl)
            return false;
        m_hardwareGL = !software;
    }
    m_targets.push_back(target);
    m_gpuTargets.push_back(GpuTarget{std::move(surface)});
    return true;
}

void VideoWallpaperView::freeTexture()
{
    if (m_renderFramebuffer)
        m_gl->glDeleteFramebuffers(1, &m_renderFramebuffer);
    if (m_texture)
        m_gl->glDeleteTextures(1, &m_texture);
    m_renderFramebuffer = m_texture = 0;
    m_textureSize = QSize();
}

bool VideoWallpaperView::renderToTexture()
{
    GpuSurface* first = m_gpuTargets.front().surface.get();
    if (!first->makeCurrent())
        return false;
    const QSize frame = layOut();
    if (frame.isEmpty())
        return false;
    if (!m_texture || frame != m_textureSize) {
        freeTexture();
        m_gl->glGenTextures(1, &m_texture);
        m_gl->glBindTexture(GL_TEXTURE_2D, m_texture);
        // Only ever read by blits, never sampled: no filters to set.
        m_gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, frame.width(), frame.height(), 0, GL_RGBA,
                           GL_UNSIGNED_BYTE, nullptr);
        m_gl->glBindTexture(GL_TEXTURE_2D, 0);
        m_gl->glGenFramebuffers(1, &m_renderFramebuffer);
        m_gl->glBindFramebuffer(GL_FRAMEBUFFER, m_renderFramebuffer);
        m_gl->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_texture, 0);
        const bool complete = m_gl->glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        m_gl->glBindFramebuffer(GL_FRAMEBUFFER, 0);
        if (!complete) {
            freeTexture();
            return false;
        }
        m_textureSize = frame;
        ++m_textureGeneration;
    }
    renderInto(m_renderFramebuffer, frame);
    return true;
}

void VideoWallpaperView::drawOnSurfaces(bool clearOnly)
{
    if (!m_renderContext)
        return;
    if (m_videoSize.isEmpty() && m_overPrevious && framesDrawn() == 0)
        return;
    releaseToolkitContext();
    const bool rendered = !clearOnly && !m_videoSize.isEmpty() && renderToTexture();
    bool shown = false;
    for (size_t i = 0; i < m_gpuTargets.size(); ++i) {
        GpuTarget& t = m_gpuTargets[i];
        const QSize size = m_targets[i].surface->pixelSize();
        // A surface waiting for the compositor to show its last frame skips
        // this one; mpv's next comes soon enough.
        if (!t.surface || size.isEmpty() || !t.surface->beginFrame(size))
            continue;
        if (rendered && t.attached != m_textureGeneration) {
            if (!t.framebuffer)
                m_gl->glGenFramebuffers(1, &t.framebuffer);
            m_gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, t.framebuffer);
            m_gl->glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_texture,
                                         0);
            t.attached = m_textureGeneration;
        }
        m_gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        m_gl->glViewport(0, 0, size.width(), size.height());
        if (rendered && i < m_parts.size()) {
            // The texture holds the frame bottom row first, as OpenGL does;
            // parts are measured from the top.
            const QRectF& part = m_parts[i];
            const int frameHeight = m_textureSize.height();
            m_gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, t.framebuffer);
            m_gl->glBlitFramebuffer(qRound(part.left()), frameHeight - qRound(part.bottom()),
                                    qRound(part.right()), frameHeight - qRound(part.top()), 0, 0,
                                    size.width(), size.height(), GL_COLOR_BUFFER_BIT, GL_LINEAR);
        } else {
            m_gl->glClearColor(0, 0, 0, 1);
            m_gl->glClear(GL_COLOR_BUFFER_BIT);
        }
        shown = t.surface->present() || shown;
        t.surface->doneCurrent();
    }
    m_gpuTargets.front().surface->doneCurrent();
    if (rendered) {
        m_render->reportSwap(m_renderContext);
        if (shown)
            reportFirstFrame();
    }
}

} // namespace nivora
