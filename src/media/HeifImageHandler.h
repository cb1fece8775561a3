#pragma once

#include <QImageIOHandler>
#include <QSize>

namespace nivora {

// Reads the primary picture of a HEIF file, the format of phone photos (HEIC)
// and of AVIF, through libheif; Qt has no reader of its own for either. The
// picture comes out upright: libheif applies the file's rotation and mirroring.
// Read only, one picture per file.
class HeifImageHandler : public QImageIOHandler
{
public:
    // Files larger than this are not read into memory.
    static constexpr qint64 maxFileBytes = 512ll * 1024 * 1024;

    bool canRead() const override;
    bool read(QImage* image) override;
    bool supportsOption(ImageOption option) const override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant& value) override;

    // Whether the first bytes of a file are those of a HEIF file libheif reads.
    static bool canRead(QIODevice* device);

private:
    // Reads the header once: the picture's size, upright.
    bool readHeader();

    QByteArray m_data;
    QSize m_size;
    QSize m_scaledSize;
    bool m_headerRead = false;
    bool m_headerValid = false;
};

} // namespace nivora
