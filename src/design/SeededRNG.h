#pragma once

#include <QtGlobal>

namespace nivora {

// A tiny xorshift generator (shift triple 13, 7, 17) behind every hand-drawn wobble
// and every randomised folder pattern. It is deliberately not a quality generator:
// what matters is that a given seed yields the same drawing on every redraw, on
// every launch and on every machine, so the sequence is fixed bit for bit.
class SeededRNG
{
public:
    // A zero state would make xorshift return zeros forever, so seed 0 is replaced
    // by a fixed odd constant.
    static constexpr quint64 zeroSeedReplacement = 0x9E3779B97F4A7C15ULL;

    explicit SeededRNG(quint64 seed);

    // Advances the state and returns it.
    quint64 next();
    // A multiple of 1/100000 in [0, 1): next() modulo 100000, divided by 100000.
    double unit();
    // A number in [-r, r): (2 * unit() - 1) * r.
    double sym(double r);

private:
    quint64 m_state;
};

} // namespace nivora
