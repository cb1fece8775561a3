#pragma once

#include "design/Spring.h"

#include <QAbstractAnimation>
#include <QByteArray>
#include <QPointer>

namespace nivora {

// Drives one number along a Spring. Unlike a QPropertyAnimation with an easing
// curve it has no fixed duration: it runs until the spring has settled, and it can
// be redirected at any moment with animateTo(), which keeps the current position
// and velocity, so a button released mid-press swings back without a jump.
//
// The value is written to an optional target property (as a qreal) and announced
// through valueChanged(). The animation is driven by Qt's animation timer; tests
// may pause it and step it with setCurrentTime().
class SpringAnimation : public QAbstractAnimation
{
    Q_OBJECT

public:
    explicit SpringAnimation(QObject* parent = nullptr);
    SpringAnimation(QObject* target, const QByteArray& propertyName, QObject* parent = nullptr);

    Spring spring() const { return m_spring; }
    void setSpring(const Spring& spring);

    // Offsets and speeds below this many units count as rest.
    double precision() const { return m_precision; }
    void setPrecision(double precision);

    double value() const { return m_value; }
    double velocity() const { return m_velocity; }
    double targetValue() const { return m_leg.target; }

    // Jumps to `value` at rest, stopping any motion.
    void setValue(double value);
    // Starts moving from the current position and velocity towards `target`.
    void animateTo(double target);

    int duration() const override { return -1; }

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void updateCurrentTime(int currentTime) override;

private:
    // One stretch of motion towards one target, from the moment it was set.
    struct Leg
    {
        double target = 0.0;
        double startOffset = 0.0;
        double startVelocity = 0.0;
        int startTime = 0;
        double settleTime = 0.0;

        double valueAt(const Spring& spring, int time) const;
        double velocityAt(const Spring& spring, int time) const;
    };

    void publish(double value, double velocity);

    QPointer<QObject> m_targetObject;
    QByteArray m_propertyName;
    Spring m_spring;
    double m_precision = 1e-3;
    double m_value = 0.0;
    double m_velocity = 0.0;
    Leg m_leg;
    // The leg being faded out while a redirect blends in (blendDuration > 0).
    Leg m_previousLeg;
    bool m_blending = false;
};

} // namespace nivora
