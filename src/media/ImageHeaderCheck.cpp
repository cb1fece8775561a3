#include "media/ImageHeaderCheck.h"

#include <QImageReader>

namespace nivora::ImageHeaderCheck {

bool acceptable(QImageReader& reader, QSize target)
{
    // Qt's own ceiling (128 MiB) is below ours; ours is checked here first,
    // against the size actually decoded.
    QImageReader::setAllocationLimit(int(maxDecodedImageBytes / (1024 * 1024)));
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
        return withinDecodeBudget(target);
    }
    return withinDecodeBudget(size);
}

} // namespace nivora::ImageHeaderCheck
