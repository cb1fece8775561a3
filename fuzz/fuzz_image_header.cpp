// An image file for the wallpaper or a folder icon, through the header check
// that stands before any decoding. Whatever the header claims, an image the
// check lets through must decode within the memory budget, every frame of an
// animation included.
#include "FuzzSupport.h"
#include "media/ImageHeaderCheck.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

using namespace nivora;
using namespace nivora::fuzz;

namespace {

// Enough frames to reach those a crafted animation grows in, few enough to
// keep each run short.
constexpr int maxFrames = 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray content = bytes(data, size);
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (!ImageHeaderCheck::acceptable(reader))
        return 0;
    const QSize claimed = reader.size();
    check(withinDecodeBudget(claimed), "a size the budget refuses passed the check");
    for (int frame = 0; frame < maxFrames; ++frame) {
        QImage image;
        if (!reader.read(&image) || image.isNull())
            break;
        check(qint64(image.width()) * image.height() * 4 <= maxDecodedImageBytes,
              "an image decoded larger than the budget its header passed");
        if (!reader.supportsAnimation())
            break;
    }
    return 0;
}
