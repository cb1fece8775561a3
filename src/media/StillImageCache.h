#pragma once

#include <QHash>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

namespace nivora {

// Still pictures decoded while the wallpaper is built, so that screens showing
// the same file at the same size and part share one decoded picture: QImage
// shares its pixels between copies, and each view keeps a copy. The owner
// clears it once the views are built, so it never keeps a picture alive on
// its own. Main thread.
class StillImageCache
{
public:
    // The picture of `path` decoded at `pixels` showing `part` (a fraction of
    // the whole picture), or a null image.
    QImage find(const QString& path, QSize pixels, const QRectF& part) const;
    void insert(const QString& path, QSize pixels, const QRectF& part, const QImage& image);
    void clear() { m_images.clear(); }

private:
    static QString key(const QString& path, QSize pixels, const QRectF& part);

    QHash<QString, QImage> m_images;
};

} // namespace nivora
