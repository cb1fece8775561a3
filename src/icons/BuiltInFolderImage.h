#pragma once

#include <QImage>

namespace nivora {

// A plain folder drawn by Nivora itself, for desktops whose icon theme has no
// folder: a back sheet with a tab and a lighter front sheet, on a transparent
// square, so that patterns can be laid on its shape like on the theme's.
class BuiltInFolderImage
{
public:
    // The folder at `pixels` × `pixels`, premultiplied ARGB; null for a size
    // below one pixel.
    static QImage render(int pixels);
};

} // namespace nivora
