#include "media/StillImageCache.h"

namespace nivora {

QString StillImageCache::key(const QString& path, QSize pixels, const QRectF& part)
{
    return QStringLiteral("%1|%2x%3|%4,%5,%6,%7")
        .arg(path)
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(part.x())
        .arg(part.y())
        .arg(part.width())
        .arg(part.height());
}

QImage StillImageCache::find(const QString& path, QSize pixels, const QRectF& part) const
{
    return m_images.value(key(path, pixels, part));
}

void StillImageCache::insert(const QString& path, QSize pixels, const QRectF& part, const QImage& image)
{
    m_images.insert(key(path, pixels, part), image);
}

} // namespace nivora
