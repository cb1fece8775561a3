#include "palettes/ColorHex.h"

#include <algorithm>
#include <cmath>

namespace nivora {

QColor colorFromHex(quint32 value)
{
    return QColor::fromRgbF(((value >> 16) & 0xFF) / 255.0f, ((value >> 8) & 0xFF) / 255.0f,
                            (value & 0xFF) / 255.0f, 1.0f);
}

QColor platformGray()
{
    return QColor::fromRgbF(0.5f, 0.5f, 0.5f, 1.0f);
}

namespace {

QColor toSrgb(const QColor& color)
{
    if (!color.isValid())
        return platformGray();
    // Every colour Nivora builds is already sRGB; other specs (HSV, HSL, CMYK)
    // are converted here.
    return color.toRgb();
}

int channel(double component)
{
    // std::lround rounds halves away from zero; the clamp protects against
    // extended-range components.
    const long v = std::lround(component * 255.0);
    return static_cast<int>(std::clamp<long>(v, 0, 255));
}

} // namespace

quint32 hexValue(const QColor& color)
{
    const QColor c = toSrgb(color);
    const quint32 r = static_cast<quint32>(channel(c.redF()));
    const quint32 g = static_cast<quint32>(channel(c.greenF()));
    const quint32 b = static_cast<quint32>(channel(c.blueF()));
    return (r << 16) | (g << 8) | b;
}

RGBA rgba(const QColor& color)
{
    // QColor keeps 16-bit channels, so its grey is not exactly one half; the GPU
    // gets the exact neutral grey.
    if (!color.isValid())
        return RGBA{0.5f, 0.5f, 0.5f, 1.0f};
    const QColor c = toSrgb(color);
    return RGBA{static_cast<float>(c.redF()), static_cast<float>(c.greenF()), static_cast<float>(c.blueF()),
                static_cast<float>(c.alphaF())};
}

QList<RGBA> shaderPalette(const QList<QColor>& colors)
{
    QList<RGBA> cache;
    cache.reserve(5);
    for (const QColor& c : colors.mid(0, 5))
        cache.append(rgba(c));
    while (cache.size() < 5)
        cache.append(RGBA{0.5f, 0.5f, 0.5f, 1.0f});
    return cache;
}

} // namespace nivora
