#pragma once

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <QRegion>

namespace nivora {

// The surface of one desktop widget on a backend whose widgets are not Qt
// windows (Wayland's layer shell): it sits above the wallpaper and below
// ordinary windows, shows images of the widget and reports what the pointer
// does over it. Geometry is in the compositor's layout (logical pixels, y
// down), the coordinates the widget placement works in there.
//
// Contract for backends (main thread):
// - setGeometry(r) required. Puts the surface at `r`, on the output that holds
//                  most of it; may be called at any time, before show().
// - setInputRegion(region) required. The part of the surface, in its own
//                  coordinates, that takes the pointer; the rest lets clicks
//                  through. Before the first call: all of it.
// - show(image)    required. Shows `image` (premultiplied ARGB32 whose
//                  devicePixelRatio is scale()) from the next chance on; an
//                  image arriving before the compositor is ready is shown
//                  once it is. Only the latest image counts, and it stays
//                  shown when the surface changes output (or its output goes
//                  away) until the next one comes.
// - scale()        required. The pixels per logical pixel of the surface's
//                  output.
// - scaleChanged   optional. The surface went to an output whose scale is
//                  not the one the latest image was drawn for; a new image
//                  at scale() looks sharper.
// - pointerEvent   required. Press, Release, Move (with or without buttons),
//                  Enter and Leave over the surface, the position in layout
//                  coordinates. Buttons held when the pointer is taken away
//                  are reported released.
class WidgetSurface : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~WidgetSurface() override = default;

    virtual void setGeometry(const QRect& rect) = 0;
    virtual void setInputRegion(const QRegion& region) = 0;
    virtual void show(const QImage& image) = 0;
    virtual int scale() const = 0;

Q_SIGNALS:
    // `type` is QEvent::MouseButtonPress, MouseButtonRelease, MouseMove,
    // Enter or Leave.
    void pointerEvent(QEvent::Type type, QPointF layoutPosition, Qt::MouseButton button,
                      Qt::MouseButtons buttons);
    void scaleChanged();
};

} // namespace nivora
