#include "engine/ImageHeaderCheck.h"

#include <QImageReader>

namespace nivora::ImageHeaderCheck {

bool acceptableSize(const QSize& size)
{
    if (!size.isValid() || size.isEmpty())
        return false;
    return static_cast<qint64>(size.width()) * size.height() * 4 <= maxDecodedBytes;
}

bool acceptable(QImageReader& reader)
{
    return reader.canRead() && acceptableSize(reader.size());
}

} // namespace nivora::ImageHeaderCheck
