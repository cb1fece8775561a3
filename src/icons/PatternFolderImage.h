#pragma once

#include <QImage>

namespace nivora {

class FolderPattern;

// A pattern laid on the shape of a folder image: the folder first, then the
// pattern over it with source-atop composition at 60 % strength, so the
// pattern shows only where the folder is opaque and the folder's own shading
// and edges show through. The icon written onto folders and the previews of
// the Icons page are both made here, at their own size, and so look alike.
class PatternFolderImage
{
public:
    static constexpr double patternOpacity = 0.6;
    // Patterns are designed on a canvas of this many units a side.
    static constexpr double designSize = 512.0;

    // The composite at `pixels` × `pixels` (premultiplied ARGB). `folder` is
    // scaled to that size when it has another. Null when `folder` is null, the
    // size is below one pixel, or memory runs out.
    static QImage render(const QImage& folder, const FolderPattern& pattern, int pixels);
    // The bare pattern at `pixels` × `pixels`: the 512-unit canvas scaled.
    static QImage renderPattern(const FolderPattern& pattern, int pixels);
};

} // namespace nivora
