#include "design/Spring.h"
#include "design/SpringAnimation.h"

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <numbers>

using namespace nivora;

namespace {

// Integrates x'' = -k x - c x' with fourth-order Runge-Kutta in small steps: an
// independent model of a unit mass on the spring, to check the closed form.
std::pair<double, double> integrate(double k, double c, double x0, double v0, double seconds)
{
    constexpr double dt = 1e-5;
    double x = x0;
    double v = v0;
    const auto accel = [&](double px, double pv) { return -k * px - c * pv; };
    const int steps = static_cast<int>(std::lround(seconds / dt));
    for (int i = 0; i < steps; ++i) {
        const double k1x = v, k1v = accel(x, v);
        const double k2x = v + 0.5 * dt * k1v, k2v = accel(x + 0.5 * dt * k1x, v + 0.5 * dt * k1v);
        const double k3x = v + 0.5 * dt * k2v, k3v = accel(x + 0.5 * dt * k2x, v + 0.5 * dt * k2v);
        const double k4x = v + dt * k3v, k4v = accel(x + dt * k3x, v + dt * k3v);
        x += dt / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
        v += dt / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
    }
    return {x, v};
}

} // namespace

class TestSpring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void coefficients()
    {
        const Spring spring(0.2, 0.6);
        QCOMPARE(spring.stiffness(), std::pow(2 * std::numbers::pi / 0.2, 2));
        QCOMPARE(spring.damping(), 4 * std::numbers::pi * 0.6 / 0.2);
    }

    void matchesUnitMassMotion_data()
    {
        QTest::addColumn<double>("response");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("v0");
        QTest::newRow("button press") << 0.2 << 0.6 << -1.0 << 0.0;
        QTest::newRow("underdamped with velocity") << 0.35 << 0.75 << 3.0 << -20.0;
        QTest::newRow("critical") << 0.3 << 1.0 << 1.0 << 5.0;
        QTest::newRow("overdamped") << 0.4 << 1.6 << -2.0 << 1.0;
        QTest::newRow("undamped") << 0.5 << 0.0 << 1.0 << 0.0;
    }

    void matchesUnitMassMotion()
    {
        QFETCH(double, response);
        QFETCH(double, fraction);
        QFETCH(double, x0);
        QFETCH(double, v0);
        const Spring spring(response, fraction);
        for (const double t : {0.0, 0.013, 0.05, 0.1, 0.2, 0.37, 0.8}) {
            const auto [x, v] = integrate(spring.stiffness(), spring.damping(), x0, v0, t);
            QVERIFY2(std::abs(spring.displacement(t, x0, v0) - x) < 1e-6, qPrintable(QString::number(t)));
            QVERIFY2(std::abs(spring.velocity(t, x0, v0) - v) < 1e-5, qPrintable(QString::number(t)));
        }
    }

    void settlesWithinTolerance_data()
    {
        QTest::addColumn<double>("fraction");
        QTest::newRow("underdamped") << 0.6;
        QTest::newRow("critical") << 1.0;
        QTest::newRow("overdamped") << 2.0;
    }

    void settlesWithinTolerance()
    {
        QFETCH(double, fraction);
        const Spring spring(0.3, fraction);
        const double settle = spring.settlingTime(1.0, 0.0, 1e-3);
        QVERIFY2(settle > 0.05 && settle < 2.0, qPrintable(QString::number(settle)));
        for (double t = settle; t < settle + 2.0; t += 0.001)
            QVERIFY2(std::abs(spring.displacement(t, 1.0, 0.0)) < 1e-3, qPrintable(QString::number(t)));
    }

    void animationFollowsSpring()
    {
        SpringAnimation animation;
        animation.setSpring(Spring(0.2, 0.6));
        animation.setValue(0.0);
        animation.animateTo(1.0);
        QCOMPARE(animation.state(), QAbstractAnimation::Running);
        animation.pause();
        const Spring spring(0.2, 0.6);
        for (const int ms : {0, 16, 50, 120, 200}) {
            animation.setCurrentTime(ms);
            QVERIFY(std::abs(animation.value() - (1.0 + spring.displacement(ms / 1000.0, -1.0, 0.0))) <
                    1e-12);
        }
        // Damping 0.6 overshoots the target before it settles.
        animation.setCurrentTime(130);
        QVERIFY(animation.value() > 1.0);
    }

    // Redirected mid-flight, the value carries on from where it was, at the same
    // speed, and settles exactly on the new target.
    void redirectKeepsPositionAndVelocity()
    {
        SpringAnimation animation;
        animation.setSpring(Spring(0.2, 0.6));
        QSignalSpy finished(&animation, &QAbstractAnimation::finished);
        animation.setValue(0.0);
        animation.animateTo(1.0);
        animation.pause();
        animation.setCurrentTime(40);
        const double position = animation.value();
        const double speed = animation.velocity();
        QVERIFY(speed > 1.0);

        animation.animateTo(0.0);
        animation.setCurrentTime(41);
        const double expected = Spring(0.2, 0.6).displacement(0.001, position, speed);
        QVERIFY(std::abs(animation.value() - expected) < 1e-12);
        QVERIFY(std::abs(animation.value() - position) < 2 * speed * 0.001);

        animation.setCurrentTime(40 + 2000);
        QCOMPARE(animation.value(), 0.0);
        QCOMPARE(animation.state(), QAbstractAnimation::Stopped);
        QCOMPARE(finished.count(), 1);
    }

    void blendFadesIntoNewCourse()
    {
        SpringAnimation animation;
        animation.setSpring(Spring(0.2, 0.8, 0.25));
        animation.setValue(0.0);
        animation.animateTo(10.0);
        animation.pause();
        animation.setCurrentTime(50);
        const double position = animation.value();
        animation.animateTo(-10.0);
        animation.setCurrentTime(51);
        // One millisecond in, the blended value is still almost the old course.
        const double oldCourse = 10.0 + Spring(0.2, 0.8).displacement(0.051, -10.0, 0.0);
        QVERIFY(std::abs(animation.value() - oldCourse) < 0.2);
        QVERIFY(animation.value() > position);
        animation.setCurrentTime(3000);
        QCOMPARE(animation.value(), -10.0);
    }

    void writesTargetProperty()
    {
        QObject object;
        object.setProperty("offset", 2.0);
        SpringAnimation animation(&object, "offset");
        animation.setSpring(Spring(0.2, 0.6));
        QCOMPARE(animation.value(), 2.0);
        animation.animateTo(5.0);
        animation.pause();
        animation.setCurrentTime(60);
        QCOMPARE(object.property("offset").toDouble(), animation.value());
        QVERIFY(animation.value() > 2.0 && animation.value() != 5.0);
    }

    // Already at rest on the target, there is nothing to animate.
    void sameTargetAtRestDoesNotRun()
    {
        SpringAnimation animation;
        animation.setValue(1.0);
        QSignalSpy changed(&animation, &SpringAnimation::valueChanged);
        animation.animateTo(1.0);
        QCOMPARE(animation.state(), QAbstractAnimation::Stopped);
        QCOMPARE(changed.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSpring)
#include "tst_spring.moc"
