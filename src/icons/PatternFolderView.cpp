#include "icons/PatternFolderView.h"

#include "icons/PatternFolderImage.h"

#include <QPainter>

namespace nivora {

namespace {

// The folder scaled to one cell's size, shared by every view of the same
// folder image and size: a grid of 52 cells scales it once, not 52 times.
QImage scaledFolder(const QImage& folder, int pixels)
{
    static qint64 sourceKey = 0;
    static QImage scaled;
    if (scaled.isNull() || sourceKey != folder.cacheKey() || scaled.width() != pixels) {
        scaled = folder.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        sourceKey = folder.cacheKey();
    }
    return scaled;
}

} // namespace

PatternFolderView::PatternFolderView(const FolderPattern& pattern, const QImage& folder, QWidget* parent)
    : QWidget(parent), m_pattern(pattern), m_folder(folder)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void PatternFolderView::setOpacity(double opacity)
{
    if (qFuzzyCompare(m_opacity, opacity))
        return;
    m_opacity = opacity;
    update();
}

void PatternFolderView::paintEvent(QPaintEvent*)
{
    const int side = qMin(width(), height());
    const qreal ratio = devicePixelRatioF();
    const int pixels = qRound(side * ratio);
    if (pixels < 1 || m_folder.isNull())
        return;
    if (m_cache.isNull() || m_cache.width() != pixels || !qFuzzyCompare(m_cache.devicePixelRatio(), ratio)) {
        m_cache =
            QPixmap::fromImage(PatternFolderImage::render(scaledFolder(m_folder, pixels), m_pattern, pixels));
        m_cache.setDevicePixelRatio(ratio);
        ++m_renders;
    }
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    painter.drawPixmap(QPointF((width() - side) / 2.0, (height() - side) / 2.0), m_cache);
}

} // namespace nivora
