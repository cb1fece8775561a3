#pragma once

namespace nivora {

// A damped spring described the way designers tune it: `response` is the period in
// seconds the spring would have without damping, `dampingFraction` is 0 for an
// endless wobble, 1 for the fastest motion without overshoot and above 1 for a
// slow creep. Physically it is a unit mass on a spring of stiffness
// (2π / response)² with a damper of strength 4π · dampingFraction / response.
//
// `blendDuration` is the time in seconds over which a spring animation that is
// redirected while still moving fades from its previous course into the new one;
// 0 redirects at once (position and velocity stay continuous either way).
class Spring
{
public:
    Spring() = default;
    Spring(double response, double dampingFraction, double blendDuration = 0.0);

    double response() const { return m_response; }
    double dampingFraction() const { return m_dampingFraction; }
    double blendDuration() const { return m_blendDuration; }

    double stiffness() const;
    double damping() const;

    // Offset from the resting point t seconds after starting at offset x0 with
    // velocity v0 (units per second), from the closed-form solution.
    double displacement(double t, double x0, double v0) const;
    // The velocity at the same moment.
    double velocity(double t, double x0, double v0) const;
    // How long the motion from (x0, v0) takes until the offset stays below
    // `tolerance` and the speed below `tolerance` per response period. Capped at
    // maxSettlingTime so an undamped spring still ends.
    double settlingTime(double x0, double v0, double tolerance = 1e-3) const;

    static constexpr double maxSettlingTime = 10.0;

private:
    // Too small a response would make the stiffness overflow into infinities.
    static constexpr double minResponse = 1e-3;

    double omega() const;

    double m_response = 0.55;
    double m_dampingFraction = 0.825;
    double m_blendDuration = 0.0;
};

} // namespace nivora
