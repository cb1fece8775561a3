#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;
class QPixmap;

namespace nivora {

// The symbols the widget faces and the dashboard draw, taken from the Phosphor icon set and
// tinted. Rendered pictures are cached per symbol, size and colour.
class FaceIcons
{
public:
    // The Phosphor file for a symbol name ("play.fill" → ":/nivora/icons/fill/play-fill.svg",
    // a Qt resource path compiled into the binary), or an empty string for an unknown symbol.
    static QString filePath(const QString& symbol);
    // Paints the symbol into `rect`; an unknown symbol paints nothing.
    static void paint(QPainter& painter, const QString& symbol, const QRectF& rect, const QColor& color);
    // The symbol as a picture of `size` logical pixels, sharp at the device
    // pixel ratio `scale`; transparent for an unknown symbol.
    static QPixmap pixmap(const QString& symbol, int size, const QColor& color, qreal scale);
};

} // namespace nivora
