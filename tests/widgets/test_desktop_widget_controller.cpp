#include "FixedWidgetClock.h"
#include "LaptopScreens.h"
#include "platform/fake/FakeScreenSleepMonitor.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/WidgetFaceView.h"
#include "widgets/WidgetWindow.h"

#include <QJsonArray>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;
namespace Place = nivora::WidgetPlacement;

namespace {

using nivora::testing::laptop;

QPointF recordedOrigin(const WidgetWindow* window)
{
    return Place::recordOrigin(window->pos(), window->height(), laptop());
}

} // namespace

class TestDesktopWidgetController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void defaultPlacement();
    void moveIsRecordedAndRestored();
    void shapeChangeRebuildsOnlyThatWidget();
    void circleIsSquare();
    void malformedRecordsAreIgnored_data();
    void malformedRecordsAreIgnored();
    void offScreenRecordFallsBack();
    void unknownIdentifiersAreSkipped();
    void removalHidesAtOnce();
    void dateLineNeedsNoRebuild();
    void changesInOnePassReconcileOnce();
    void facesRefreshWhenTheScreensWake();

private:
    void reconcile();

    QTemporaryDir m_dir;
    std::unique_ptr<DefaultsStore> m_store;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<DesktopWidgetController> m_controller;
    FixedWidgetClock m_clock;
};

void TestDesktopWidgetController::init()
{
    QFile::remove(m_dir.filePath(QStringLiteral("defaults.json")));
    m_store = std::make_unique<DefaultsStore>(m_dir.filePath(QStringLiteral("defaults.json")));
    m_state = std::make_unique<AppState>(*m_store, false);
    m_controller = std::make_unique<DesktopWidgetController>(*m_state);
    m_controller->setScreensForTesting(laptop);
    m_clock.setNow(QDateTime(QDate(2026, 12, 6), QTime(9, 5)));
    WidgetFaceView::Environment env;
    env.clock = &m_clock;
    m_controller->setFaceEnvironmentForTesting(env);
    m_controller->start();
    reconcile();
}

void TestDesktopWidgetController::cleanup()
{
    m_controller.reset();
    m_state.reset();
    m_store.reset();
}

void TestDesktopWidgetController::reconcile()
{
    QSignalSpy spy(m_controller.get(), &DesktopWidgetController::reconciled);
    QVERIFY(spy.wait(2000));
}

void TestDesktopWidgetController::defaultPlacement()
{
    m_state->setEnabledWidgets({"clock", "month"});
    reconcile();
    WidgetWindow* clock = m_controller->window("clock");
    WidgetWindow* month = m_controller->window("month");
    QVERIFY(clock && month);
    QVERIFY(clock->isVisible());
    QCOMPARE(clock->size(), QSize(250, 150));
    QCOMPARE(recordedOrigin(clock), QPointF(1160, 695));
    QCOMPARE(recordedOrigin(month), QPointF(1180, 245));
    QCOMPARE(m_controller->configuration("clock"), QStringLiteral("card|medium"));
    // Building a window never writes its position.
    QVERIFY(!m_store->contains("widgetpos_clock"));
    QVERIFY(!m_store->contains("widgetpos_month"));
    QCOMPARE(m_controller->moveObservationCount(), 2);
}

void TestDesktopWidgetController::moveIsRecordedAndRestored()
{
    m_state->setEnabledWidgets({"clock"});
    reconcile();
    WidgetWindow* clock = m_controller->window("clock");
    // A move nobody dragged (a window manager's placement) is not the user's
    // choice and is not kept.
    clock->move(280, 380);
    QTest::qWait(DesktopWidgetController::moveWriteInterval + 100);
    QVERIFY(!m_store->contains("widgetpos_clock"));
    // A drag is.
    QTest::mousePress(clock, Qt::LeftButton, {}, QPoint(20, 20));
    clock->move(300, 400);
    QTest::mouseRelease(clock, Qt::LeftButton, {}, QPoint(20, 20));
    QTRY_VERIFY(m_store->contains("widgetpos_clock"));
    // Bottom-left corner, y up from the bottom of the primary screen.
    QCOMPARE(m_store->value("widgetpos_clock").toArray(), (QJsonArray{300.0, 900.0 - 400 - 150}));

    m_state->setEnabledWidgets({});
    reconcile();
    QVERIFY(!m_controller->window("clock"));
    m_state->setEnabledWidgets({"clock"});
    reconcile();
    QCOMPARE(m_controller->window("clock")->pos(), QPoint(300, 400));
}

void TestDesktopWidgetController::shapeChangeRebuildsOnlyThatWidget()
{
    m_store->setValue("widgetpos_clock", QJsonArray{200.0, 100.0});
    m_state->setEnabledWidgets({"clock", "date"});
    reconcile();
    QPointer<WidgetWindow> clock = m_controller->window("clock");
    QPointer<WidgetWindow> date = m_controller->window("date");
    QCOMPARE(recordedOrigin(clock), QPointF(200, 100));

    m_state->setWidgetSize("clock", WidgetSize::Large);
    reconcile();
    WidgetWindow* rebuilt = m_controller->window("clock");
    QVERIFY(rebuilt != clock.data());
    QCOMPARE(m_controller->window("date"), date.data());
    QCOMPARE(rebuilt->size(), QSize(320, 192));
    // Same bottom-left corner: the widget grows up and to the right.
    QCOMPARE(recordedOrigin(rebuilt), QPointF(200, 100));
    QCOMPARE(m_controller->configuration("clock"), QStringLiteral("card|large"));
    QTRY_VERIFY(!clock); // the old window is released

    m_state->setWidgetShape("date", WidgetShape::Pill);
    reconcile();
    QCOMPARE(m_controller->window("clock"), rebuilt);
    QCOMPARE(m_controller->configuration("date"), QStringLiteral("pill|medium"));
}

void TestDesktopWidgetController::circleIsSquare()
{
    m_state->setEnabledWidgets({"clock"});
    m_state->setWidgetShape("clock", WidgetShape::Circle);
    reconcile();
    QCOMPARE(m_controller->window("clock")->size(), QSize(250, 250));
}

void TestDesktopWidgetController::malformedRecordsAreIgnored_data()
{
    QTest::addColumn<QJsonValue>("record");
    QTest::newRow("three numbers") << QJsonValue(QJsonArray{1.0, 2.0, 3.0});
    QTest::newRow("string element") << QJsonValue(QJsonArray{1.0, "2"});
    QTest::newRow("not an array") << QJsonValue("100,100");
}

void TestDesktopWidgetController::malformedRecordsAreIgnored()
{
    QFETCH(QJsonValue, record);
    m_store->setValue("widgetpos_clock", record);
    m_state->setEnabledWidgets({"clock"});
    reconcile();
    QCOMPARE(recordedOrigin(m_controller->window("clock")), QPointF(1160, 695));
    // The bad record is left as it was.
    QCOMPARE(m_store->value("widgetpos_clock"), record);
}

void TestDesktopWidgetController::offScreenRecordFallsBack()
{
    const QJsonArray away{3000.0, 100.0};
    m_store->setValue("widgetpos_clock", away);
    m_state->setEnabledWidgets({"clock"});
    reconcile();
    QCOMPARE(recordedOrigin(m_controller->window("clock")), QPointF(1160, 695));
    QCOMPARE(m_store->value("widgetpos_clock").toArray(), away);
}

void TestDesktopWidgetController::unknownIdentifiersAreSkipped()
{
    m_state->setEnabledWidgets({"clock", "Clock", "", "weather"});
    reconcile();
    QCOMPARE(m_controller->identifiers(), QStringList{"clock"});
}

void TestDesktopWidgetController::removalHidesAtOnce()
{
    m_state->setEnabledWidgets({"pomodoro"});
    reconcile();
    QPointer<WidgetWindow> window = m_controller->window("pomodoro");
    QVERIFY(window);
    m_state->setEnabledWidgets({});
    reconcile();
    QVERIFY(!m_controller->window("pomodoro"));
    QVERIFY(m_controller->configuration("pomodoro").isEmpty());
    QVERIFY(!window || !window->isVisible());
    QTRY_VERIFY(!window);
}

void TestDesktopWidgetController::dateLineNeedsNoRebuild()
{
    m_state->setEnabledWidgets({"clock"});
    reconcile();
    WidgetWindow* clock = m_controller->window("clock");
    QTRY_VERIFY(clock->face()->stack().items().size() == 2);
    m_state->setClockWidgetShowsDate(false);
    QCOMPARE(clock->face()->stack().items().size(), 1);
    QTest::qWait(50);
    QCOMPARE(m_controller->window("clock"), clock);
}

void TestDesktopWidgetController::changesInOnePassReconcileOnce()
{
    QSignalSpy spy(m_controller.get(), &DesktopWidgetController::reconciled);
    m_state->setEnabledWidgets({"clock"});
    m_state->setWidgetShape("clock", WidgetShape::Rounded);
    m_state->setWidgetSize("clock", WidgetSize::Small);
    QVERIFY(spy.wait(2000));
    QTest::qWait(50);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_controller->configuration("clock"), QStringLiteral("rounded|small"));
    QCOMPARE(m_controller->moveObservationCount(), 1);
}

void TestDesktopWidgetController::facesRefreshWhenTheScreensWake()
{
    FakeScreenSleepMonitor sleep;
    m_controller->followScreenSleep(&sleep);
    m_state->setEnabledWidgets({"clock"});
    reconcile();
    WidgetFaceView* face = m_controller->window("clock")->face();
    QTRY_VERIFY(face->rebuildCount() > 0);
    QCOMPARE(face->stack().items().at(0).text, QStringLiteral("09:05"));

    // Time passed while asleep; the face's own timer has not noticed.
    sleep.setAsleep(true);
    m_clock.setNow(QDateTime(QDate(2026, 12, 6), QTime(13, 40)));
    sleep.setAsleep(false);
    QCOMPARE(face->stack().items().at(0).text, QStringLiteral("13:40"));
}

QTEST_MAIN(TestDesktopWidgetController)
#include "test_desktop_widget_controller.moc"
