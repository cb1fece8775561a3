#include "icons/PatternFolderImage.h"

#include "icons/PatternDraw.h"

#include <QPainter>

namespace nivora {

QImage PatternFolderImage::renderPattern(const FolderPattern& pattern, int pixels)
{
    if (pixels < 1)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(pixels / designSize, pixels / designSize);
    PatternDraw::render(pattern, painter, QSizeF(designSize, designSize));
    return image;
}

QImage PatternFolderImage::render(const QImage& folder, const FolderPattern& pattern, int pixels)
{
    if (folder.isNull() || pixels < 1)
        return {};
    QImage image = folder.size() == QSize(pixels, pixels)
                       ? folder.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                       : folder.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage patternImage = renderPattern(pattern, pixels);
    if (image.isNull() || patternImage.isNull())
        return {};
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.setOpacity(patternOpacity);
    painter.drawImage(0, 0, patternImage);
    return image;
}

} // namespace nivora
