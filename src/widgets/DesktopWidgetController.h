#pragma once

#include "platform/WorkAreaMonitor.h"
#include "widgets/WidgetFaceView.h"
#include "widgets/WidgetPlacement.h"

#include <QElapsedTimer>
#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

namespace nivora {

class AppState;
struct PlatformServices;
class ScreenSleepMonitor;
class WidgetWindow;

// Keeps one desktop window per enabled widget, built for the widget's shape and
// size, and remembers where the user drops each one ("widgetpos_" + identifier
// in the defaults store: the bottom-left corner, y up from the bottom of the
// primary screen). Process-wide, main thread only, lives until the process ends.
class DesktopWidgetController : public QObject
{
    Q_OBJECT

public:
    static DesktopWidgetController& shared();

    // A controller over any settings store; the application uses shared().
    explicit DesktopWidgetController(AppState& state, QObject* parent = nullptr);
    ~DesktopWidgetController() override;

    // Subscribes to the enabled widgets, their shapes and their sizes. The first
    // reconciliation runs on the next pass of the event loop; every later change
    // of one of the three brings another. To be called once; later calls do
    // nothing.
    void start();

    // The live window of a widget, or null.
    WidgetWindow* window(const QString& identifier) const;
    // The "shape|size" the live window was built for, or an empty string.
    QString configuration(const QString& identifier) const;
    QStringList identifiers() const;
    // Recomputes every face now. Face timers count monotonic time, which stops
    // while the machine sleeps, so after a wake-up they would show a stale time
    // until their next boundary; the shared controller calls this when the
    // screens wake.
    void refreshFaces();

    // One per window ever built.
    qsizetype moveObservationCount() const { return m_moveTokens.size(); }

    // Writes the positions of windows moved since the last write now. Moves
    // are written at most once per moveWriteInterval, so that a drag does not
    // rewrite the settings file on every step; the last position of a drag is
    // written that long after its last move at the latest, and when the
    // application quits.
    void flushPendingMoves();
    bool hasPendingMoves() const { return !m_pendingMoves.isEmpty(); }
    static constexpr int moveWriteInterval = 500; // ms

    // Test hooks: the screens placement uses, and the clock and calendar new
    // faces get.
    void setScreensForTesting(std::function<WidgetPlacement::Screens()> screens);
    void setFaceEnvironmentForTesting(const WidgetFaceView::Environment& environment);

    // Widgets go on the desktop the way `services` puts them there: surfaces
    // of its own where it makes them (the layer shell), placed in the
    // layout of its screens, the first one counting as primary for the
    // stored records; windows elsewhere. To be called before start().
    void usePlatform(PlatformServices& services);

    // Faces are refreshed whenever `monitor` reports the screens awake again.
    void followScreenSleep(ScreenSleepMonitor* monitor);

Q_SIGNALS:
    // After every reconciliation.
    void reconciled();

private:
    void scheduleReconcile();
    void reconcile();
    WidgetWindow* buildWindow(WidgetKind kind, const QString& identifier, const QString& configuration);
    void recordMove(WidgetWindow* window, const QString& identifier, const QPoint& topLeft);
    WidgetPlacement::Screens screens() const;
    void placeAgain();

    AppState& m_state;
    QHash<QString, QPointer<WidgetWindow>> m_windows;
    QHash<QString, QString> m_configs;
    QList<QMetaObject::Connection> m_moveTokens;
    QHash<QString, QJsonValue> m_pendingMoves; // record key -> record
    QTimer m_moveWriteTimer;
    QList<QMetaObject::Connection> m_cancellables;
    bool m_reconcileQueued = false;
    std::function<WidgetPlacement::Screens()> m_screensForTesting;
    WidgetFaceView::Environment m_faceEnvironment;
    PlatformServices* m_surfacePlatform = nullptr; // set when widgets go on surfaces
    QMetaObject::Connection m_screensWatch;
    QPointer<WorkAreaMonitor> m_workAreas;
};

} // namespace nivora
