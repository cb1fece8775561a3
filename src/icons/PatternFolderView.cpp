#include "icons/PatternFolderView.h"

#include "icons/PatternFolderImage.h"

#include <QPainter>
#include <QPixmapCache>

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

// The folder picture's pixels as a number: the page is rebuilt on every
// visit with the folder loaded anew, and the same pixels must find the
// pictures drawn the first time.
size_t folderFingerprint(const QImage& folder)
{
    static qint64 sourceKey = 0;
    static size_t fingerprint = 0;
    if (sourceKey != folder.cacheKey()) {
        sourceKey = folder.cacheKey();
        fingerprint = qHashBits(folder.constBits(), size_t(folder.sizeInBytes()), size_t(folder.width()));
    }
    return fingerprint;
}

} // namespace

PatternFolderView::PatternFolderView(const FolderPattern& pattern, const QImage& folder, QWidget* parent)
    : QWidget(parent), m_pattern(pattern), m_folder(folder)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

QPixmap PatternFolderView::picture(const FolderPattern& pattern, const QImage& folder, int pixels)
{
    // Drawing the 27 patterns takes longer than a page may take to open;
    // later visits take them from the process's pixmap cache.
    const QString key = QStringLiteral("nivora/pattern-folder/%1/%2/%3")
                            .arg(pattern.name())
                            .arg(pixels)
                            .arg(folderFingerprint(folder));
    QPixmap found;
    if (!QPixmapCache::find(key, &found)) {
        found = QPixmap::fromImage(PatternFolderImage::render(scaledFolder(folder, pixels), pattern, pixels));
        QPixmapCache::insert(key, found);
    }
    return found;
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
        m_cache = picture(m_pattern, m_folder, pixels);
        m_cache.setDevicePixelRatio(ratio);
        ++m_renders;
    }
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    painter.drawPixmap(QPointF((width() - side) / 2.0, (height() - side) / 2.0), m_cache);
}

} // namespace nivora
