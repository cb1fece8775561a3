#include "design/SpringAnimation.h"

#include <QVariant>
#include <algorithm>
#include <cmath>

namespace nivora {

double SpringAnimation::Leg::valueAt(const Spring& spring, int time) const
{
    const double t = (time - startTime) / 1000.0;
    if (t >= settleTime)
        return target;
    return target + spring.displacement(t, startOffset, startVelocity);
}

double SpringAnimation::Leg::velocityAt(const Spring& spring, int time) const
{
    const double t = (time - startTime) / 1000.0;
    if (t >= settleTime)
        return 0.0;
    return spring.velocity(t, startOffset, startVelocity);
}

SpringAnimation::SpringAnimation(QObject* parent) : QAbstractAnimation(parent) {}

SpringAnimation::SpringAnimation(QObject* target, const QByteArray& propertyName, QObject* parent)
    : QAbstractAnimation(parent), m_targetObject(target), m_propertyName(propertyName)
{
    if (target) {
        bool ok = false;
        const double current = target->property(propertyName.constData()).toDouble(&ok);
        if (ok && std::isfinite(current)) {
            m_value = current;
            m_leg.target = current;
        }
    }
}

void SpringAnimation::setSpring(const Spring& spring)
{
    m_spring = spring;
}

void SpringAnimation::setPrecision(double precision)
{
    if (std::isfinite(precision) && precision > 0.0)
        m_precision = precision;
}

void SpringAnimation::setValue(double value)
{
    if (!std::isfinite(value))
        return;
    stop();
    m_blending = false;
    m_leg = Leg{value, 0.0, 0.0, 0, 0.0};
    publish(value, 0.0);
}

void SpringAnimation::animateTo(double target)
{
    if (!std::isfinite(target))
        return;
    const bool moving = state() != QAbstractAnimation::Stopped;
    const int now = moving ? currentTime() : 0;

    if (moving && m_spring.blendDuration() > 0.0) {
        m_previousLeg = m_leg;
        m_blending = true;
    } else {
        m_blending = false;
    }

    m_leg.target = target;
    m_leg.startOffset = m_value - target;
    m_leg.startVelocity = m_velocity;
    m_leg.startTime = now;
    m_leg.settleTime = m_spring.settlingTime(m_leg.startOffset, m_leg.startVelocity, m_precision);

    if (m_leg.settleTime <= 0.0 && !m_blending) {
        stop();
        publish(target, 0.0);
        return;
    }
    if (state() == QAbstractAnimation::Stopped)
        start();
}

void SpringAnimation::updateCurrentTime(int currentTime)
{
    double value = m_leg.valueAt(m_spring, currentTime);
    double velocity = m_leg.velocityAt(m_spring, currentTime);
    bool settled = (currentTime - m_leg.startTime) / 1000.0 >= m_leg.settleTime;

    if (m_blending) {
        // Fade linearly from where the old course would have gone to the new one;
        // the fade's own rate of change is part of the velocity.
        const double blend = m_spring.blendDuration();
        const double elapsed = (currentTime - m_leg.startTime) / 1000.0;
        const double weight = std::clamp(elapsed / blend, 0.0, 1.0);
        if (weight < 1.0) {
            const double oldValue = m_previousLeg.valueAt(m_spring, currentTime);
            const double oldVelocity = m_previousLeg.velocityAt(m_spring, currentTime);
            velocity = (1.0 - weight) * oldVelocity + weight * velocity + (value - oldValue) / blend;
            value = (1.0 - weight) * oldValue + weight * value;
            settled = false;
        } else {
            m_blending = false;
        }
    }

    publish(value, velocity);
    if (settled && state() != QAbstractAnimation::Stopped)
        stop();
}

void SpringAnimation::publish(double value, double velocity)
{
    m_velocity = velocity;
    if (value == m_value)
        return;
    m_value = value;
    if (m_targetObject && !m_propertyName.isEmpty())
        m_targetObject->setProperty(m_propertyName.constData(), QVariant::fromValue<qreal>(value));
    Q_EMIT valueChanged(value);
}

} // namespace nivora
