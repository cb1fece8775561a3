#include "design/Spring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nivora {

Spring::Spring(double response, double dampingFraction, double blendDuration)
    : m_response(std::isfinite(response) ? std::max(response, minResponse) : minResponse),
      m_dampingFraction(std::isfinite(dampingFraction) ? std::max(dampingFraction, 0.0) : 1.0),
      m_blendDuration(std::isfinite(blendDuration) ? std::max(blendDuration, 0.0) : 0.0)
{
}

double Spring::omega() const
{
    return 2.0 * std::numbers::pi / m_response;
}

double Spring::stiffness() const
{
    const double w = omega();
    return w * w;
}

double Spring::damping() const
{
    return 4.0 * std::numbers::pi * m_dampingFraction / m_response;
}

namespace {

// The three regimes of x'' + 2ζω x' + ω² x = 0. Near ζ = 1 the under- and
// overdamped formulas divide by almost zero, so that band uses the critical one.
constexpr double criticalBand = 1e-6;

} // namespace

double Spring::displacement(double t, double x0, double v0) const
{
    const double w = omega();
    const double zeta = m_dampingFraction;
    if (zeta < 1.0 - criticalBand) {
        const double a = zeta * w;
        const double wd = w * std::sqrt(1.0 - zeta * zeta);
        return std::exp(-a * t) * (x0 * std::cos(wd * t) + (v0 + a * x0) / wd * std::sin(wd * t));
    }
    if (zeta <= 1.0 + criticalBand)
        return std::exp(-w * t) * (x0 + (v0 + w * x0) * t);
    const double root = std::sqrt(zeta * zeta - 1.0);
    const double r1 = -w * (zeta - root);
    const double r2 = -w * (zeta + root);
    const double c2 = (v0 - r1 * x0) / (r2 - r1);
    const double c1 = x0 - c2;
    return c1 * std::exp(r1 * t) + c2 * std::exp(r2 * t);
}

double Spring::velocity(double t, double x0, double v0) const
{
    const double w = omega();
    const double zeta = m_dampingFraction;
    if (zeta < 1.0 - criticalBand) {
        const double a = zeta * w;
        const double wd = w * std::sqrt(1.0 - zeta * zeta);
        return std::exp(-a * t) * (v0 * std::cos(wd * t) - (a * v0 + w * w * x0) / wd * std::sin(wd * t));
    }
    if (zeta <= 1.0 + criticalBand)
        return std::exp(-w * t) * (v0 - w * (v0 + w * x0) * t);
    const double root = std::sqrt(zeta * zeta - 1.0);
    const double r1 = -w * (zeta - root);
    const double r2 = -w * (zeta + root);
    const double c2 = (v0 - r1 * x0) / (r2 - r1);
    const double c1 = x0 - c2;
    return c1 * r1 * std::exp(r1 * t) + c2 * r2 * std::exp(r2 * t);
}

double Spring::settlingTime(double x0, double v0, double tolerance) const
{
    const double w = omega();
    const double speedTolerance = tolerance * w;
    if (std::abs(x0) < tolerance && std::abs(v0) < speedTolerance)
        return 0.0;
    const double zeta = m_dampingFraction;
    if (zeta > 0.0 && zeta < 1.0 - criticalBand) {
        // Oscillating: the offset crosses zero again and again, so bound it by its
        // decaying envelope instead of looking at single samples.
        const double a = zeta * w;
        const double wd = w * std::sqrt(1.0 - zeta * zeta);
        const double b = (v0 + a * x0) / wd;
        const double c = (a * v0 + w * w * x0) / wd;
        const double offsetAmplitude = std::hypot(x0, b);
        const double speedAmplitude = std::hypot(v0, c);
        const double t =
            std::max(std::log(offsetAmplitude / tolerance), std::log(speedAmplitude / speedTolerance)) / a;
        return std::clamp(t, 0.0, maxSettlingTime);
    }
    if (zeta <= 0.0)
        return maxSettlingTime;
    // Without oscillation the motion crosses rest at most once; step until both the
    // offset and the speed are small, which then holds for good.
    constexpr double step = 1.0 / 1000.0;
    for (double t = 0.0; t < maxSettlingTime; t += step) {
        if (std::abs(displacement(t, x0, v0)) < tolerance && std::abs(velocity(t, x0, v0)) < speedTolerance)
            return t;
    }
    return maxSettlingTime;
}

} // namespace nivora
