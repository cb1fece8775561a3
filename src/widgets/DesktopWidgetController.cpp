#include "widgets/DesktopWidgetController.h"

#include "platform/PlatformServices.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/WidgetFaceFactory.h"
#include "widgets/WidgetWindow.h"

#include <QGuiApplication>
#include <QJsonObject>
#include <QScreen>

namespace nivora {

DesktopWidgetController& DesktopWidgetController::shared()
{
    static DesktopWidgetController* controller = [] {
        auto* c = new DesktopWidgetController(AppState::shared());
        c->followScreenSleep(PlatformServices::shared().sleep.get());
        c->usePlatform(PlatformServices::shared());
        return c;
    }();
    return *controller;
}

DesktopWidgetController::DesktopWidgetController(AppState& state, QObject* parent)
    : QObject(parent), m_state(state)
{
    m_moveWriteTimer.setSingleShot(true);
    m_moveWriteTimer.setTimerType(Qt::PreciseTimer);
    m_moveWriteTimer.setInterval(moveWriteInterval);
    connect(&m_moveWriteTimer, &QTimer::timeout, this, &DesktopWidgetController::flushPendingMoves);
    // A position moved just before quitting is not lost.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &DesktopWidgetController::flushPendingMoves);
}

DesktopWidgetController::~DesktopWidgetController()
{
    flushPendingMoves();
    for (const auto& window : std::as_const(m_windows))
        delete window.data();
}

void DesktopWidgetController::start()
{
    if (!m_cancellables.isEmpty())
        return;
    // The three settings are read together at reconciliation time, so the
    // latest value of each is what counts; several changes in one pass of the
    // event loop bring one reconciliation. Connections made with `this` as
    // context end with the controller.
    m_cancellables << connect(&m_state, &AppState::enabledWidgetsChanged, this,
                              &DesktopWidgetController::scheduleReconcile)
                   << connect(&m_state, &AppState::widgetShapesChanged, this,
                              &DesktopWidgetController::scheduleReconcile)
                   << connect(&m_state, &AppState::widgetSizesChanged, this,
                              &DesktopWidgetController::scheduleReconcile);
    scheduleReconcile();
}

void DesktopWidgetController::scheduleReconcile()
{
    if (m_reconcileQueued)
        return;
    m_reconcileQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_reconcileQueued = false;
            reconcile();
        },
        Qt::QueuedConnection);
}

void DesktopWidgetController::reconcile()
{
    const QSet<QString> enabled = m_state.enabledWidgets();

    // Removal pass.
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (enabled.contains(it.key())) {
            ++it;
            continue;
        }
        if (WidgetWindow* w = it.value()) {
            w->hide();
            w->deleteLater();
        }
        m_configs.remove(it.key());
        it = m_windows.erase(it);
    }

    // Creation pass.
    for (const QString& identifier : enabled) {
        const auto kind = WidgetKinds::fromId(identifier);
        if (!kind)
            continue;
        const QString wanted =
            WidgetPlacement::configuration(m_state.widgetShape(identifier), m_state.widgetSize(identifier));
        WidgetWindow* existing = m_windows.value(identifier);
        if (existing && m_configs.value(identifier) == wanted)
            continue;
        if (existing) {
            existing->hide();
            existing->deleteLater();
        }
        WidgetWindow* built = buildWindow(*kind, identifier, wanted);
        m_windows.insert(identifier, built);
        m_configs.insert(identifier, wanted);
    }
    Q_EMIT reconciled();
}

WidgetWindow* DesktopWidgetController::buildWindow(WidgetKind kind, const QString& identifier,
                                                   const QString& configuration)
{
    Q_UNUSED(configuration);
    const WidgetShape shape = m_state.widgetShape(identifier);
    const QSize size = WidgetPlacement::windowSize(kind, shape, m_state.widgetSize(identifier));
    const QPoint topLeft = WidgetPlacement::placement(
        kind, size, m_state.store().value(WidgetPlacement::recordKey(identifier)), screens());

    auto* window = new WidgetWindow(kind, shape, WidgetFaceFactory::create(kind, m_state, m_faceEnvironment));
    window->place(topLeft, size);
    // The observation lives as long as the window: a window that is gone
    // records nothing.
    m_moveTokens << connect(
        window, &WidgetWindow::moved, this,
        [this, window, identifier](const QPoint& moved) { recordMove(window, identifier, moved); });
    if (m_surfacePlatform)
        window->presentOn(m_surfacePlatform->makeWidgetSurface);
    else
        window->present();
    return window;
}

void DesktopWidgetController::recordMove(WidgetWindow* window, const QString& identifier,
                                         const QPoint& topLeft)
{
    const QPointF origin = WidgetPlacement::recordOrigin(topLeft, window->height(), screens());
    const QString key = WidgetPlacement::recordKey(identifier);
    const QJsonValue record = WidgetPlacement::makeRecord(origin);
    if (!m_pendingMoves.contains(key) && m_state.store().value(key) == record)
        return;
    m_pendingMoves.insert(key, record);
    // The first move of a quiet period starts it; the ones within it only
    // replace the position to write at its end.
    if (!m_moveWriteTimer.isActive())
        m_moveWriteTimer.start();
}

void DesktopWidgetController::flushPendingMoves()
{
    m_moveWriteTimer.stop();
    if (m_pendingMoves.isEmpty())
        return;
    // Every position moved meanwhile, in one write of the file.
    QJsonObject values;
    for (auto it = m_pendingMoves.cbegin(); it != m_pendingMoves.cend(); ++it) {
        if (m_state.store().value(it.key()) != it.value())
            values.insert(it.key(), it.value());
    }
    m_pendingMoves.clear();
    if (!values.isEmpty())
        m_state.store().setValues(values);
}

WidgetPlacement::Screens DesktopWidgetController::screens() const
{
    if (m_screensForTesting)
        return m_screensForTesting();
    WidgetPlacement::Screens result;
    const WorkAreaMonitor* workAreas = m_workAreas.data();
    if (m_surfacePlatform) {
        // The compositor's layout; it names no primary output, so the first
        // one stands in.
        auto workArea = [workAreas](const ScreenInfo& screen) {
            return workAreas ? workAreas->outputWorkArea(screen) : screen.frame;
        };
        const QList<ScreenInfo> layout = m_surfacePlatform->screens->screens();
        if (!layout.isEmpty()) {
            result.primaryGeometry = layout.first().frame;
            result.primaryAvailable = workArea(layout.first());
        }
        for (const ScreenInfo& screen : layout) {
            result.all.append(screen.frame);
            result.available.append(workArea(screen));
        }
        return result;
    }
    auto workArea = [workAreas](QScreen* screen) {
        return workAreas ? workAreas->workArea(screen) : screen->availableGeometry();
    };
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        result.primaryGeometry = primary->geometry();
        result.primaryAvailable = workArea(primary);
    }
    for (QScreen* screen : QGuiApplication::screens()) {
        result.all.append(screen->geometry());
        result.available.append(workArea(screen));
    }
    return result;
}

void DesktopWidgetController::refreshFaces()
{
    for (const auto& window : std::as_const(m_windows)) {
        if (window && window->face())
            window->face()->refresh();
    }
}

void DesktopWidgetController::usePlatform(PlatformServices& services)
{
    m_surfacePlatform = services.makeWidgetSurface && services.screens ? &services : nullptr;
    m_workAreas = services.workAreas.get();
    if (m_workAreas)
        connect(m_workAreas, &WorkAreaMonitor::changed, this, &DesktopWidgetController::placeAgain,
                Qt::UniqueConnection);
    disconnect(m_screensWatch);
    if (m_surfacePlatform)
        m_screensWatch = connect(m_surfacePlatform->screens.get(), &ScreenProvider::screensChanged, this,
                                 &DesktopWidgetController::placeAgain, Qt::QueuedConnection);
}

void DesktopWidgetController::placeAgain()
{
    // A widget the user put somewhere still reachable stays; one whose place
    // went away (a monitor unplugged, a panel grown over it) and one never
    // moved follow the default rule in the new layout. A surface belongs to
    // one output, so without this a widget whose output went away would be
    // rebuilt on another output at a place that output does not have. The
    // record is left alone, for when the output returns.
    const WidgetPlacement::Screens layout = screens();
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it) {
        WidgetWindow* window = it.value();
        if (!window)
            continue;
        const QPoint wanted =
            WidgetPlacement::placement(window->kind(), window->size(),
                                       m_state.store().value(WidgetPlacement::recordKey(it.key())), layout);
        if (wanted != window->pos())
            window->place(wanted, window->size());
    }
}

void DesktopWidgetController::followScreenSleep(ScreenSleepMonitor* monitor)
{
    if (monitor)
        connect(monitor, &ScreenSleepMonitor::screensDidWake, this, &DesktopWidgetController::refreshFaces);
}

WidgetWindow* DesktopWidgetController::window(const QString& identifier) const
{
    return m_windows.value(identifier);
}

QString DesktopWidgetController::configuration(const QString& identifier) const
{
    return m_configs.value(identifier);
}

QStringList DesktopWidgetController::identifiers() const
{
    QStringList ids = m_windows.keys();
    ids.sort();
    return ids;
}

void DesktopWidgetController::setScreensForTesting(std::function<WidgetPlacement::Screens()> screens)
{
    m_screensForTesting = std::move(screens);
}

void DesktopWidgetController::setFaceEnvironmentForTesting(const WidgetFaceView::Environment& environment)
{
    m_faceEnvironment = environment;
}

} // namespace nivora
