#pragma once

#include <QColor>
#include <QList>
#include <array>
#include <cstdint>

namespace nivora {

// A colour as handed to the GPU: red, green, blue, alpha in single precision.
using RGBA = std::array<float, 4>;

// 0xRRGGBB to an opaque sRGB colour; bits above 23 are ignored.
QColor colorFromHex(quint32 value);
// Colour to 0xRRGGBB: sRGB channels times 255, rounded half away from zero and
// clamped to 0...255. An invalid colour counts as the platform grey.
quint32 hexValue(const QColor& color);
// Colour to the four floats the shader receives (same grey fallback).
RGBA rgba(const QColor& color);
// The five colours the shader receives for a palette: missing ones are the
// neutral grey, extra ones are dropped.
QList<RGBA> shaderPalette(const QList<QColor>& colors);
// The neutral grey used for missing colours.
QColor platformGray();

} // namespace nivora
