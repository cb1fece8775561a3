#include "desktop/DesktopRenderView.h"

#include "desktop/DesktopRenderWorker.h"
#include "desktop/FirstFrameReport.h"
#include "platform/DisplayLink.h"
#include "scene/AnimationClock.h"
#include "scene/WallpaperRenderer.h"
#include "scene/WallpaperWindow.h"
#include "state/AppState.h"
#include "state/ScreenSource.h"

#include <QDebug>
#include <QTimer>
#include <algorithm>

namespace nivora {

namespace {

QSize atLeastOne(QSize size)
{
    return QSize(std::max(size.width(), 1), std::max(size.height(), 1));
}

} // namespace

std::unique_ptr<DesktopRenderView> DesktopRenderView::create(WallpaperWindow* window, quint32 displayID,
                                                             QSize pixelSize, int fps,
                                                             std::unique_ptr<DisplayLink> displayLink,
                                                             AppState& state, int index,
                                                             const QString& screen)
{
    if (!window || !displayLink)
        return nullptr;
    std::unique_ptr<DesktopRenderView> view(
        new DesktopRenderView(window, displayID, pixelSize, fps, std::move(displayLink), state));

    const QSize surfacePixels = atLeastOne(window->size() * window->devicePixelRatio());
    auto* worker = new DesktopRenderWorker(view.get(), window, surfacePixels);
    return start(std::move(view), worker, state, index, screen);
}

std::unique_ptr<DesktopRenderView> DesktopRenderView::create(DesktopSurface* surface, quint32 displayID,
                                                             QSize pixelSize, int fps,
                                                             std::unique_ptr<DisplayLink> displayLink,
                                                             AppState& state, int index,
                                                             const QString& screen)
{
    if (!surface || !displayLink)
        return nullptr;
    std::unique_ptr<DesktopRenderView> view(
        new DesktopRenderView(nullptr, displayID, pixelSize, fps, std::move(displayLink), state));
    view->m_surface = surface;
    auto* worker = new DesktopRenderWorker(view.get(), surface);
    return start(std::move(view), worker, state, index, screen);
}

std::unique_ptr<DesktopRenderView> DesktopRenderView::start(std::unique_ptr<DesktopRenderView> view,
                                                            DesktopRenderWorker* worker, AppState& state,
                                                            int index, const QString& screen)
{
    view->m_screen = screen;
    view->m_worker = worker;
    view->m_renderThread.setObjectName(QStringLiteral("nv-render-%1").arg(index));
    view->m_worker->moveToRenderThread(&view->m_renderThread);
    view->m_renderThread.start();

    const auto initialize = [&view] {
        bool ready = false;
        QMetaObject::invokeMethod(
            view->m_worker,
            [&ready, w = view->m_worker] {
                ready = w->initialize();
                w->waitForFrames();
            },
            Qt::BlockingQueuedConnection);
        return ready;
    };
    bool ready = initialize();
    if (!ready && view->m_surface && view->m_worker->drawsOnGpu()) {
        // A driver that offers EGL but cannot draw the scene through it still
        // has the offscreen route into shared memory.
        qWarning().noquote() << QStringLiteral(
            "Wayland: the scene cannot be drawn through EGL; frames go through shared memory.");
        QMetaObject::invokeMethod(
            view->m_worker,
            [w = view->m_worker] {
                w->release();
                delete w;
            },
            Qt::BlockingQueuedConnection);
        view->m_worker =
            new DesktopRenderWorker(view.get(), view->m_surface, DesktopRenderWorker::Route::Offscreen);
        view->m_worker->moveToRenderThread(&view->m_renderThread);
        ready = initialize();
    }
    if (!ready)
        return nullptr; // the destructor releases the worker and joins the thread

    view->refreshSnapshot();
    // willChange() comes before the new value is stored, so the copy is taken
    // on the next turn of the main loop, when the value is in place. Several
    // changes in one turn share one copy.
    view->m_subscription =
        connect(&state, &AppState::willChange, view.get(), [v = view.get()] { v->scheduleSnapshot(); });

    view->m_link->setTickHandler([v = view.get()] { v->onTick(); });
    view->m_link->start();
    return view;
}

DesktopRenderView::DesktopRenderView(WallpaperWindow* window, quint32 displayID, QSize pixelSize, int fps,
                                     std::unique_ptr<DisplayLink> displayLink, AppState& state)
    : m_window(window), m_displayID(displayID), m_state(state), m_ownClock({}, WallpaperRenderer::epoch()),
      m_pacer(fps, FramePacer::nominalRefreshRate(displayLink->refreshRate())),
      m_link(std::move(displayLink)), m_pixelSize(atLeastOne(pixelSize))
{
}

DesktopRenderView::~DesktopRenderView()
{
    stop();
    if (m_worker) {
        if (m_renderThread.isRunning()) {
            QMetaObject::invokeMethod(
                m_worker, [w = m_worker] { w->release(); }, Qt::BlockingQueuedConnection);
            QMetaObject::invokeMethod(
                m_worker, [w = m_worker] { delete w; }, Qt::BlockingQueuedConnection);
        } else {
            delete m_worker;
        }
        m_worker = nullptr;
    }
    m_renderThread.quit();
    m_renderThread.wait();
}

void DesktopRenderView::setFPS(int fps)
{
    m_pacer.setTargetFPS(fps);
}

void DesktopRenderView::setPaused(bool paused)
{
    m_pacer.setPaused(paused);
    updateLink();
}

void DesktopRenderView::updateLink()
{
    if (m_stopped || !m_link)
        return;
    // A paused view needs no ticks at all; stopping the link keeps its thread
    // asleep instead of waking it once per refresh for nothing.
    if (m_pacer.isPaused())
        m_link->stop();
    else
        m_link->start();
}

void DesktopRenderView::setPixelSize(QSize size)
{
    std::lock_guard lock(m_mutex);
    m_pixelSize = atLeastOne(size);
}

QSize DesktopRenderView::pixelSize() const
{
    std::lock_guard lock(m_mutex);
    return m_pixelSize;
}

void DesktopRenderView::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    if (m_link)
        m_link->stop();
    disconnect(m_subscription);
}

bool DesktopRenderView::isDisplayLinkRunning() const
{
    return m_link && m_link->isRunning();
}

bool DesktopRenderView::scalesOnServer() const
{
    return m_worker && m_worker->scalesOnServer();
}

QString DesktopRenderView::path() const
{
    if (m_surface)
        return m_worker && m_worker->drawsOnGpu() ? QStringLiteral("gpu") : QStringLiteral("readback");
    return scalesOnServer() ? QStringLiteral("readback") : QStringLiteral("gpu");
}

double DesktopRenderView::measuredFPS() const
{
    return m_meter.rate(FrameRateMeter::now());
}

DesktopRenderView::RenderParams DesktopRenderView::params() const
{
    std::lock_guard lock(m_mutex);
    return m_params;
}

DesktopRenderView::RenderParams DesktopRenderView::takeFrame(QSize* pixelSize)
{
    RenderParams params;
    {
        std::lock_guard lock(m_mutex);
        if (pixelSize)
            *pixelSize = m_pixelSize;
        params = m_params;
    }
    m_pacer.frameStarted();
    return params;
}

void DesktopRenderView::frameDelivered(bool drawn)
{
    if (drawn) {
        m_meter.record(FrameRateMeter::now());
        FirstFrameReport::frameDrawn();
    }
}

void DesktopRenderView::recordScalars(const Scalars& scalars)
{
    std::lock_guard lock(m_mutex);
    m_lastScalars = scalars;
}

Scalars DesktopRenderView::lastScalars() const
{
    std::lock_guard lock(m_mutex);
    return m_lastScalars;
}

void DesktopRenderView::scheduleSnapshot()
{
    if (m_snapshotScheduled || m_stopped)
        return;
    m_snapshotScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_snapshotScheduled = false;
        if (!m_stopped)
            refreshSnapshot();
    });
}

void DesktopRenderView::setCanvas(const QRectF& canvas)
{
    m_canvas = canvas;
    refreshSnapshot();
}

void DesktopRenderView::refreshSnapshot()
{
    const ScreenSource source = ScreenSource::resolve(m_state, m_screen);
    RenderParams p;
    p.speed = static_cast<float>(source.speed);
    p.intensity = static_cast<float>(source.intensity);
    p.scale = static_cast<float>(source.scale);
    p.colorShift = static_cast<float>(source.colorShift);
    p.sharpness = static_cast<float>(source.sharpness);
    p.scene = source.sceneIndex;
    p.canvas = m_canvas;
    p.palette = shaderPalette(source.paletteColors);
    // The clock owns the speed the frames are drawn with: changing it there
    // keeps the phase of every view continuous. A screen with a speed of its
    // own keeps the shared clock, which previews follow, at the main speed.
    AnimationClock::shared().setSpeed(m_state.speed());
    if (source.ownSpeed)
        m_ownClock.setSpeed(source.speed);
    m_usesOwnClock = source.ownSpeed;
    std::lock_guard lock(m_mutex);
    m_params = std::move(p);
}

AnimationClock& DesktopRenderView::clock()
{
    return m_usesOwnClock ? m_ownClock : AnimationClock::shared();
}

void DesktopRenderView::onTick()
{
    const bool frameDue = m_pacer.tick(m_refreshesAsked);
    // The link sleeps through the refreshes that would draw nothing, so its
    // thread wakes about once per frame rather than once per refresh.
    m_refreshesAsked = m_pacer.refreshesToNextFrame();
    m_link->setTickInterval(m_refreshesAsked);
    // Handing the frame over is the last thing done before sleeping again:
    // the render thread waits for its waker to sleep before it runs (see
    // DesktopRenderWorker::waitForFrames), so anything after this would delay
    // the frame, and the pacer's lock it takes at once is free by then.
    if (frameDue)
        QMetaObject::invokeMethod(m_worker, &DesktopRenderWorker::renderFrame, Qt::QueuedConnection);
}

} // namespace nivora
