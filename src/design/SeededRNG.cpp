#include "design/SeededRNG.h"

namespace nivora {

SeededRNG::SeededRNG(quint64 seed) : m_state(seed == 0 ? zeroSeedReplacement : seed) {}

quint64 SeededRNG::next()
{
    quint64 x = m_state;
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    m_state = x;
    return x;
}

double SeededRNG::unit()
{
    return static_cast<double>(next() % 100000) / 100000.0;
}

double SeededRNG::sym(double r)
{
    const double u = unit();
    return (2.0 * u - 1.0) * r;
}

} // namespace nivora
