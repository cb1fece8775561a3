#include "media/MediaLayout.h"

#include <algorithm>
#include <cmath>

namespace nivora {

QRectF MediaLayout::sourceRect(QSizeF picture, const QRectF& canvas, const QRectF& screen, Fit fit)
{
    if (picture.isEmpty() || canvas.isEmpty() || screen.isEmpty())
        return {};
    double sx = canvas.width() / picture.width();
    double sy = canvas.height() / picture.height();
    if (fit == Fit::Fill)
        sx = sy = std::max(sx, sy);
    // The picture, scaled, is centred on the canvas; the screen's frame is
    // mapped back through that placement.
    const double left = canvas.x() + (canvas.width() - picture.width() * sx) / 2;
    const double top = canvas.y() + (canvas.height() - picture.height() * sy) / 2;
    return QRectF((screen.x() - left) / sx, (screen.y() - top) / sy, screen.width() / sx,
                  screen.height() / sy);
}

QSize MediaLayout::frameSize(QSize picture, const std::vector<QRectF>& parts,
                             const std::vector<QSize>& pixels)
{
    if (picture.isEmpty())
        return {};
    double scale = 0;
    for (size_t i = 0; i < parts.size() && i < pixels.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        scale =
            std::max({scale, pixels[i].width() / parts[i].width(), pixels[i].height() / parts[i].height()});
    }
    scale = scale > 0 ? std::min(scale, 1.0) : 1.0;
    const int width = std::max(16, (int(std::lround(picture.width() * scale)) + 15) & ~15);
    const int height = std::max(1, int(std::lround(double(width) * picture.height() / picture.width())));
    return QSize(width, height);
}

QRect MediaLayout::boundingBox(const std::vector<QRect>& frames)
{
    QRect box;
    for (const QRect& frame : frames)
        box = box.united(frame);
    return box;
}

} // namespace nivora
