#pragma once

#include <QSize>
#include <QtGlobal>

class QImageReader;

namespace nivora {

// The check an image file passes before a single pixel of it is decoded: a
// format the reader knows, and a size claimed by the header that is known and
// fits the budget, so that a small file that unpacks to gigabytes is refused
// outright.
namespace ImageHeaderCheck {

// Decoded images larger than this many bytes (at four bytes a pixel) are
// refused.
constexpr qint64 maxDecodedBytes = 256ll * 1024 * 1024;

bool acceptableSize(const QSize& size);
// Whether `reader`, already set on its file or device, may go on to decode.
bool acceptable(QImageReader& reader);

} // namespace ImageHeaderCheck
} // namespace nivora
