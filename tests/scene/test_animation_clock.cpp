// The shared animation clock: even phase steps after days of running, one jump
// per wrap period, and no jump when the speed changes. The clock's source of
// seconds is a variable here, so days pass at once.
#include "scene/AnimationClock.h"

#include <QTest>
#include <cmath>

using namespace nivora;

namespace {

constexpr double day = 24.0 * 3600.0;

float rateOf(float speed)
{
    return 0.15f + speed * 0.9f;
}

} // namespace

class TestAnimationClock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void phaseStepsStayEvenAfterDays_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("speed");
        QTest::addColumn<int>("fps");
        for (const double at : {day, 7 * day}) {
            for (const double speed : {0.0, 0.5, 1.0}) {
                for (const int fps : {30, 60})
                    QTest::addRow("%s, speed %.1f, %d fps", at == day ? "24 h" : "7 days", speed, fps)
                        << at << speed << fps;
            }
        }
    }
    void phaseStepsStayEvenAfterDays()
    {
        QFETCH(double, seconds);
        QFETCH(double, speed);
        QFETCH(int, fps);
        double now = 0.0;
        AnimationClock clock([&now] { return now; }, 0.0);
        clock.setSpeed(speed);
        now = seconds;
        const double frame = 1.0 / fps;
        const float nominal = float(frame) * rateOf(float(speed));
        AnimationClock::Sample s = clock.sample();
        float previous = AnimationClock::shaderPhase(s.time, s.speed);
        float smallest = 1e9f;
        float largest = 0.0f;
        for (int i = 1; i <= 300; ++i) {
            now = seconds + i * frame;
            s = clock.sample();
            const float phase = AnimationClock::shaderPhase(s.time, s.speed);
            smallest = std::min(smallest, phase - previous);
            largest = std::max(largest, phase - previous);
            previous = phase;
        }
        QVERIFY2(
            smallest >= nominal * 0.99f && largest <= nominal * 1.01f,
            qPrintable(QStringLiteral("steps %1 to %2, nominal %3").arg(smallest).arg(largest).arg(nominal)));
    }

    void oneJumpPerWrapPeriod()
    {
        double now = 0.0;
        AnimationClock clock([&now] { return now; }, 0.0);
        clock.setSpeed(0.5);
        const double frame = 1.0 / 60.0;
        const float nominal = float(frame) * rateOf(0.5f);
        const int frames = int(2.5 * AnimationClock::wrapPeriod / frame);
        AnimationClock::Sample s = clock.sample();
        float previous = AnimationClock::shaderPhase(s.time, s.speed);
        QList<double> jumps;
        for (int i = 1; i <= frames; ++i) {
            now = i * frame;
            s = clock.sample();
            const float phase = AnimationClock::shaderPhase(s.time, s.speed);
            if (std::fabs(phase - previous - nominal) > nominal * 0.01f)
                jumps << now;
            previous = phase;
            QVERIFY(s.time >= 0.0f && s.time < float(AnimationClock::wrapPeriod));
        }
        QCOMPARE(jumps.size(), 2);
        QVERIFY(jumps[1] - jumps[0] > AnimationClock::wrapPeriod - 2 * frame);
    }

    // Changes of speed keep the phase where it was and move on at the new
    // rate; they neither add a jump nor move the wrap.
    void speedChangesKeepThePhase()
    {
        double now = 0.0;
        AnimationClock clock([&now] { return now; }, 0.0);
        clock.setSpeed(0.5);
        const double frame = 1.0 / 60.0;
        now = 3600.0;
        AnimationClock::Sample s = clock.sample();
        float previous = AnimationClock::shaderPhase(s.time, s.speed);
        // From fast to slow (the time value grows by the ratio) and back, near
        // the end of a wrap period.
        const QList<QPair<int, double>> changes{{10, 1.0}, {20, 0.0}, {30, 0.7}, {40, 0.0}, {50, 1.0}};
        double speed = 0.5;
        QList<double> jumps;
        const int frames = int(1.2 * AnimationClock::wrapPeriod / frame);
        for (int i = 1; i <= frames; ++i) {
            for (const auto& [at, to] : changes) {
                if (at == i) {
                    clock.setSpeed(to);
                    speed = to;
                }
            }
            now = 3600.0 + i * frame;
            s = clock.sample();
            QCOMPARE(s.speed, float(speed));
            const float phase = AnimationClock::shaderPhase(s.time, s.speed);
            const float nominal = float(frame) * rateOf(float(speed));
            if (std::fabs(phase - previous - nominal) > nominal * 0.01f)
                jumps << now;
            previous = phase;
        }
        // The one jump is the wrap, on the wall clock's grid of periods.
        QCOMPARE(jumps.size(), 1);
        const double wrap = std::ceil(3600.0 / AnimationClock::wrapPeriod) * AnimationClock::wrapPeriod;
        QVERIFY2(std::fabs(jumps.first() - wrap) < 2 * frame, qPrintable(QString::number(jumps.first())));
    }

    void speedIsBoundedForTheShader()
    {
        double now = 10.0;
        AnimationClock clock([&now] { return now; }, 0.0);
        clock.setSpeed(1e300);
        QCOMPARE(clock.sample().speed, 1.0f);
        clock.setSpeed(-0.5);
        QCOMPARE(clock.sample().speed, 0.0f);
        clock.setSpeed(qQNaN());
        QCOMPARE(clock.sample().speed, 0.5f);
        clock.setSpeed(qInf());
        QCOMPARE(clock.sample().speed, 0.5f);
        QVERIFY(std::isfinite(clock.sample().time));
    }
};

QTEST_GUILESS_MAIN(TestAnimationClock)
#include "test_animation_clock.moc"
