#include "media/HeifImageHandler.h"

#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <QVariant>
#include <libheif/heif.h>
#include <memory>

namespace nivora {

namespace {

struct ContextDeleter
{
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleDeleter
{
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageDeleter
{
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsDeleter
{
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using Context = std::unique_ptr<heif_context, ContextDeleter>;
using Handle = std::unique_ptr<heif_image_handle, HandleDeleter>;

// The primary picture of `data`, or null. `data` must outlive the context.
Handle primaryImage(const QByteArray& data, Context& context)
{
    context.reset(heif_context_alloc());
    if (!context)
        return nullptr;
    if (heif_context_read_from_memory_without_copy(context.get(), data.constData(), size_t(data.size()),
                                                   nullptr)
            .code != heif_error_Ok)
        return nullptr;
    heif_image_handle* handle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return nullptr;
    return Handle(handle);
}

// What the reader's allocation limit allows for a picture of `size`, decoded
// whole before any scaling.
bool withinAllocationLimit(QSize size)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limit <= 0 || qint64(size.width()) * size.height() * 4 <= limit;
}

} // namespace

bool HeifImageHandler::canRead(QIODevice* device)
{
    if (!device)
        return false;
    const QByteArray head = device->peek(12);
    if (head.size() < 12)
        return false;
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()), int(head.size())) ==
           heif_filetype_yes_supported;
}

bool HeifImageHandler::canRead() const
{
    if (!canRead(device()))
        return false;
    setFormat(QByteArrayLiteral("heif"));
    return true;
}

bool HeifImageHandler::readHeader()
{
    if (m_headerRead)
        return m_headerValid;
    m_headerRead = true;
    QIODevice* in = device();
    if (!in || !canRead(in) || (in->size() > 0 && in->size() > maxFileBytes))
        return false;
    m_data = in->read(maxFileBytes + 1);
    if (m_data.size() > maxFileBytes) {
        m_data.clear();
        return false;
    }
    Context context;
    const Handle handle = primaryImage(m_data, context);
    if (!handle)
        return false;
    m_size = QSize(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
    m_headerValid = m_size.width() > 0 && m_size.height() > 0;
    return m_headerValid;
}

bool HeifImageHandler::read(QImage* image)
{
    if (!image || !readHeader() || !withinAllocationLimit(m_size))
        return false;
    Context context;
    const Handle handle = primaryImage(m_data, context);
    if (!handle)
        return false;
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsDeleter> options(heif_decoding_options_alloc());
    heif_image* decodedRaw = nullptr;
    if (heif_decode_image(handle.get(), &decodedRaw, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get())
            .code != heif_error_Ok)
        return false;
    const std::unique_ptr<heif_image, ImageDeleter> decoded(decodedRaw);
    const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* pixels = heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    if (!pixels || width <= 0 || height <= 0 || stride <= 0)
        return false;
    // Wrapped, then copied once by the conversion into Qt's own pixel layout.
    const QImage wrapped(pixels, width, height, stride,
                         alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QImage result = wrapped.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (result.isNull())
        return false;
    if (m_scaledSize.isValid() && !m_scaledSize.isEmpty() && m_scaledSize != result.size())
        result = result.scaled(m_scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    *image = std::move(result);
    // The file is not needed again: a reader reads one picture.
    m_data.clear();
    return true;
}

bool HeifImageHandler::supportsOption(ImageOption option) const
{
    return option == Size || option == ScaledSize || option == ImageTransformation;
}

QVariant HeifImageHandler::option(ImageOption option) const
{
    auto* self = const_cast<HeifImageHandler*>(this);
    if (option == Size)
        return self->readHeader() ? QVariant(m_size) : QVariant();
    if (option == ScaledSize)
        return m_scaledSize;
    if (option == ImageTransformation)
        return int(TransformationNone);
    return {};
}

void HeifImageHandler::setOption(ImageOption option, const QVariant& value)
{
    if (option == ScaledSize)
        m_scaledSize = value.toSize();
}

} // namespace nivora
