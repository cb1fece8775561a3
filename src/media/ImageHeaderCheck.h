#pragma once

#include "model/ImageBudget.h"

#include <QSize>
#include <QtGlobal>

class QImageReader;

namespace nivora {

// The check an image file passes before a single pixel of it is decoded: a
// format the reader knows, and a size claimed by the header that is known and
// fits the budget (model/ImageBudget.h). A still larger than where it is shown
// is decoded straight to that size where the format allows it (JPEG, HEIF),
// and then that size is what counts: a phone's 48-megapixel photo costs what a
// screen-sized one does.
namespace ImageHeaderCheck {

// Headers claiming more pixels than this are refused whatever the decoder
// could do with them.
constexpr qint64 maxClaimedPixels = 500'000'000;

// Whether `reader`, already set on its file or device, may go on to decode.
// With a `target` size, a still larger than it is set to be decoded at that
// size (before the picture is turned upright, so turned accordingly).
bool acceptable(QImageReader& reader, QSize target = {});

} // namespace ImageHeaderCheck
} // namespace nivora
