#include "icons/PatternCanvas.h"

#include "icons/PatternFolderImage.h"

#include <QPainter>

namespace nivora {

PatternCanvas::PatternCanvas(const FolderPattern& pattern, QWidget* parent)
    : QWidget(parent), m_pattern(pattern)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void PatternCanvas::setPattern(const FolderPattern& pattern)
{
    m_pattern = pattern;
    m_cache = {};
    update();
}

void PatternCanvas::paintEvent(QPaintEvent*)
{
    const int side = qMin(width(), height());
    const qreal ratio = devicePixelRatioF();
    const int pixels = qRound(side * ratio);
    if (pixels < 1)
        return;
    if (m_cache.isNull() || m_cache.width() != pixels || !qFuzzyCompare(m_cache.devicePixelRatio(), ratio)) {
        m_cache = QPixmap::fromImage(PatternFolderImage::renderPattern(m_pattern, pixels));
        m_cache.setDevicePixelRatio(ratio);
        ++m_renders;
    }
    QPainter painter(this);
    painter.drawPixmap(QPointF((width() - side) / 2.0, (height() - side) / 2.0), m_cache);
}

} // namespace nivora
