#include "widgets/WidgetCard.h"

#include "design/RoughRectangle.h"
#include "design/Theme.h"
#include "widgets/WidgetShapeKey.h"

#include <QEvent>
#include <QImage>
#include <QList>
#include <QPainter>
#include <algorithm>

namespace nivora {

WidgetCard::WidgetCard(QWidget* content, QWidget* parent) : QWidget(parent), m_content(content)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    if (m_content)
        m_content->setParent(this);
}

WidgetShape WidgetCard::shape() const
{
    return WidgetShapeKey::value(this);
}

QPainterPath WidgetCard::outline(WidgetShape shape, const QRectF& rect)
{
    QPainterPath path;
    switch (shape) {
    case WidgetShape::Card:
        return RoughRectangle{roughSeed, RoughRectangle{}.roughness}.path(rect);
    case WidgetShape::Rounded:
        path.addRoundedRect(rect, 26, 26);
        break;
    case WidgetShape::Pill: {
        const double r = std::min(rect.width(), rect.height()) / 2;
        path.addRoundedRect(rect, r, r);
        break;
    }
    case WidgetShape::Circle: {
        const double d = std::min(rect.width(), rect.height());
        path.addEllipse(QRectF(rect.center().x() - d / 2, rect.center().y() - d / 2, d, d));
        break;
    }
    }
    return path;
}

QRect WidgetCard::contentRect(WidgetShape shape, const QSize& size, const QSize& contentSize)
{
    const int padding = qRound(WidgetShapes::contentPadding(shape));
    const QRect area = QRect(QPoint(0, 0), size).adjusted(padding, padding, -padding, -padding);
    // Content larger than the padded area overflows it evenly (or from the
    // leading edge) rather than being cut: a face's lines cannot shrink, and the
    // padding has room for them.
    const int w = std::max(contentSize.width(), 0);
    const int h = std::max(contentSize.height(), 0);
    const int x = WidgetShapes::centersContent(shape) ? area.x() + (area.width() - w) / 2 : area.x();
    const int y = area.y() + (area.height() - h) / 2;
    return QRect(x, y, w, h);
}

bool WidgetCard::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest)
        layoutContent();
    return QWidget::event(event);
}

void WidgetCard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutContent();
}

void WidgetCard::layoutContent()
{
    if (!m_content)
        return;
    const WidgetShape s = shape();
    const int padding = qRound(WidgetShapes::contentPadding(s));
    const int available = std::max(width() - 2 * padding, 0);
    // Content that can widen (a face with a progress bar) takes the full width;
    // the rest keeps its natural width.
    QSize wanted = m_content->sizeHint();
    if (m_content->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag)
        wanted.setWidth(available);
    if (m_content->hasHeightForWidth())
        wanted.setHeight(m_content->heightForWidth(wanted.width()));
    m_content->setGeometry(contentRect(s, size(), wanted));
}

void WidgetCard::paintFrame(QPainter& painter, WidgetShape shape, const QRectF& rect)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = outline(shape, rect);
    painter.fillPath(path.translated(shadowOffset), Theme::ink());
    painter.fillPath(path, Theme::paper());
    QPen pen(Theme::ink(), outlineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.strokePath(path, pen);
}

QRegion WidgetCard::frameRegion(WidgetShape shape, const QSize& size)
{
    if (size.isEmpty())
        return QRegion();
    // Drawn exactly as the card draws itself, so that the region follows the
    // same outline, wobble and shadow, and read back by coverage.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintFrame(p, shape, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    // One band per row, its runs left to right: the order QRegion keeps its
    // rectangles in, so they can be handed over as they are.
    QList<QRect> rects;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int start = -1;
        for (int x = 0; x <= image.width(); ++x) {
            const bool in = x < image.width() && qAlpha(line[x]) >= 128;
            if (in && start < 0) {
                start = x;
            } else if (!in && start >= 0) {
                rects.append(QRect(start, y, x - start, 1));
                start = -1;
            }
        }
    }
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

void WidgetCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintFrame(p, shape(), QRectF(rect()));
}

} // namespace nivora
