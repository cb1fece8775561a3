#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <vector>

namespace nivora {

// Where a picture (a video frame, an image) lies on the desktop and which part
// of it each screen shows. A picture is laid over a canvas in desktop
// coordinates: a screen's own frame, or, when one picture spans every screen,
// the box around all of them. Each screen shows the part of the picture under
// its frame, so that neighbouring screens continue each other across their
// seam and a gap between screens hides the part of the picture behind it, as
// the gap between two monitors does. Pure geometry; any thread.
class MediaLayout
{
public:
    enum class Fit
    {
        Fill,   // aspect kept, the overflow cropped evenly on both sides (videos)
        Stretch // aspect given up, the picture exactly covers the canvas (images)
    };

    // The part of a `picture`-sized picture, laid over `canvas` with `fit`,
    // that falls on `screen`, in picture pixels. Empty when either size is.
    static QRectF sourceRect(QSizeF picture, const QRectF& canvas, const QRectF& screen, Fit fit);

    // The size to decode a picture of `picture` size at so that each part of
    // it (`parts`, in picture pixels) has as many pixels as the screen it is
    // shown on (`pixels`, the same order), but never more than the picture
    // itself: the smallest size no screen has to enlarge, aspect kept.
    // Widths are rounded up to 16 pixels, the row length converters are
    // fastest with.
    static QSize frameSize(QSize picture, const std::vector<QRectF>& parts, const std::vector<QSize>& pixels);

    // The box around every frame in `frames`.
    static QRect boundingBox(const std::vector<QRect>& frames);
};

} // namespace nivora
