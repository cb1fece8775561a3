#include "widgets/PomodoroModel.h"
#include "widgets/StopwatchModel.h"
#include "widgets/WidgetFaceContent.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace nivora;

namespace {

QString shown(const TimerModel& model)
{
    return WidgetFaceContent::timerText(model.displaySeconds());
}

} // namespace

class TestTimerModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pauseHoldsTheValue();
    void resetWhileRunning_data();
    void resetWhileRunning();
    void pomodoroStopsAtZero();
    void stopwatchCountsUp();
    void quickTogglesLeaveAtMostOneTimer();
    void theTimerDrivesTheTicks();
    void discardedModelStopsCounting();
};

void TestTimerModels::pauseHoldsTheValue()
{
    PomodoroModel model;
    QCOMPARE(shown(model), QStringLiteral("25:00"));
    model.toggle();
    QVERIFY(model.running());
    QVERIFY(model.isTicking());
    for (int i = 0; i < 3; ++i)
        model.tick();
    model.toggle();
    QVERIFY(!model.running());
    QVERIFY(!model.isTicking());
    QCOMPARE(shown(model), QStringLiteral("24:57"));
    // A paused model must not count on by itself.
    QTest::qWait(1300);
    QCOMPARE(shown(model), QStringLiteral("24:57"));
    model.toggle();
    model.tick();
    QCOMPARE(shown(model), QStringLiteral("24:56"));
}

void TestTimerModels::resetWhileRunning_data()
{
    QTest::addColumn<bool>("pomodoro");
    QTest::addColumn<QString>("initial");
    QTest::newRow("pomodoro") << true << "25:00";
    QTest::newRow("stopwatch") << false << "00:00";
}

void TestTimerModels::resetWhileRunning()
{
    QFETCH(bool, pomodoro);
    std::unique_ptr<TimerModel> model;
    if (pomodoro)
        model = std::make_unique<PomodoroModel>();
    else
        model = std::make_unique<StopwatchModel>();
    QSignalSpy running(model.get(), &TimerModel::runningChanged);
    model->toggle();
    model->tick();
    model->tick();
    QVERIFY(shown(*model) != QStringLiteral("25:00") && shown(*model) != QStringLiteral("00:00"));
    model->reset();
    QTEST(shown(*model), "initial");
    QVERIFY(!model->running());
    QVERIFY(!model->isTicking());
    QCOMPARE(running.count(), 2);
    QCOMPARE(running.last().first().toBool(), false);
}

void TestTimerModels::pomodoroStopsAtZero()
{
    PomodoroModel model;
    model.toggle();
    for (int i = 0; i < 1500; ++i)
        model.tick();
    QCOMPARE(model.remaining(), 0);
    QVERIFY(model.running());
    model.tick();
    QCOMPARE(model.remaining(), 0);
    QVERIFY(!model.running());
    QVERIFY(!model.isTicking());
    QCOMPARE(shown(model), QStringLiteral("00:00"));

    // Starting again at zero runs for one tick only; reset is the way back.
    model.toggle();
    QVERIFY(model.running());
    model.tick();
    QVERIFY(!model.running());
    QCOMPARE(model.remaining(), 0);
    model.reset();
    QCOMPARE(model.remaining(), PomodoroModel::initialSeconds);
}

void TestTimerModels::stopwatchCountsUp()
{
    StopwatchModel model;
    QCOMPARE(shown(model), QStringLiteral("00:00"));
    model.toggle();
    for (int i = 0; i < 60; ++i)
        model.tick();
    QCOMPARE(shown(model), QStringLiteral("01:00"));
}

void TestTimerModels::quickTogglesLeaveAtMostOneTimer()
{
    // Start then pause at once: nothing ticks.
    StopwatchModel paused;
    paused.setTickIntervalForTesting(20);
    paused.toggle();
    paused.toggle();
    QTest::qWait(200);
    QCOMPARE(paused.elapsed(), 0);
    QVERIFY(!paused.isTicking());

    // Start, pause, start: exactly one timer, so about one tick per interval and
    // not two.
    StopwatchModel model;
    model.setTickIntervalForTesting(50);
    model.toggle();
    model.toggle();
    model.toggle();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(1000);
    model.toggle();
    const qint64 intervals = clock.elapsed() / 50;
    QVERIFY2(model.elapsed() <= intervals + 1,
             qPrintable(QStringLiteral("%1 ticks in %2 intervals").arg(model.elapsed()).arg(intervals)));
    QVERIFY(model.elapsed() >= 1);
}

void TestTimerModels::theTimerDrivesTheTicks()
{
    PomodoroModel model;
    model.setTickIntervalForTesting(10);
    QSignalSpy changed(&model, &TimerModel::displaySecondsChanged);
    model.toggle();
    QTRY_VERIFY(model.remaining() <= PomodoroModel::initialSeconds - 3);
    model.toggle();
    const qint64 held = model.remaining();
    QTest::qWait(100);
    QCOMPARE(model.remaining(), held);
    QVERIFY(changed.count() >= 3);
}

void TestTimerModels::discardedModelStopsCounting()
{
    auto model = std::make_unique<StopwatchModel>();
    model->setTickIntervalForTesting(10);
    model->toggle();
    QTest::qWait(50);
    model.reset(); // the timer goes with it; nothing may fire into freed memory
    QTest::qWait(50);
    QVERIFY(!model);
}

QTEST_GUILESS_MAIN(TestTimerModels)
#include "test_timer_models.moc"
