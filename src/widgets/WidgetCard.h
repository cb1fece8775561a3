#pragma once

#include "model/WidgetCatalog.h"

#include <QPainterPath>
#include <QPointer>
#include <QRegion>
#include <QWidget>

class QPainter;

namespace nivora {

// The common frame of every widget face: a hard ink shadow, a paper sheet and an
// ink outline of the shape's outline, with the face's content padded inside it,
// hugging the leading edge ("card", "rounded") or centred ("pill", "circle"),
// and vertically centred. The card does not size itself: it fills whatever it is
// placed in. The shape comes from WidgetShapeKey.
class WidgetCard : public QWidget
{
    Q_OBJECT

public:
    // Takes ownership of `content`.
    explicit WidgetCard(QWidget* content, QWidget* parent = nullptr);

    WidgetShape shape() const;
    QWidget* content() const { return m_content; }

    // The frame outline of `shape` in `rect`.
    static QPainterPath outline(WidgetShape shape, const QRectF& rect);
    // Where the content goes in a card of `size`, for content that wants
    // `contentSize` (clamped to the padded area).
    static QRect contentRect(WidgetShape shape, const QSize& size, const QSize& contentSize);
    // Draws the frame of `shape` filling `rect`: shadow, sheet and outline.
    static void paintFrame(QPainter& painter, WidgetShape shape, const QRectF& rect);
    // The pixels of a card of `size` that its frame covers at least half: what
    // a window must keep when it cannot be blended over the desktop. Pixels the
    // frame covers less than half are left out, so the cut edge falls where
    // the drawn edge is.
    static QRegion frameRegion(WidgetShape shape, const QSize& size);

    static constexpr quint64 roughSeed = 200;
    static constexpr double outlineWidth = 2.5;
    static constexpr QPointF shadowOffset{4, 5};

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutContent();

    QPointer<QWidget> m_content;
};

} // namespace nivora
