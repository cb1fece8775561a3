#include "engine/ImageHeaderCheck.h"

#include <QImageReader>

namespace nivora::ImageHeaderCheck {

bool acceptableSize(const QSize& size)
{
    if (!size.isValid() || size.isEmpty())
        return false;
    return static_cast<qint64>(size.width()) * size.height() * 4 <= maxDecodedBytes;
}

bool acceptable(QImageReader& reader, QSize target)
{
    // Qt's own ceiling (128 MiB) is below ours; ours is checked here first,
    // against the size actually decoded.
    QImageReader::setAllocationLimit(int(maxDecodedBytes / (1024 * 1024)));
    const QSize size = reader.canRead() ? reader.size() : QSize();
    if (!size.isValid() || size.isEmpty())
        return false;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > maxClaimedPixels)
        return false;
    const bool animated = reader.supportsAnimation() && reader.imageCount() != 1;
    if (!target.isEmpty() && pixels > qint64(target.width()) * target.height() &&
        reader.supportsOption(QImageIOHandler::ScaledSize) && !animated) {
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            target.transpose();
        reader.setScaledSize(target);
        return acceptableSize(target);
    }
    return acceptableSize(size);
}

} // namespace nivora::ImageHeaderCheck
