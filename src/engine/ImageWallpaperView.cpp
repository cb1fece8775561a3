#include "engine/ImageWallpaperView.h"

#include "engine/WallpaperWindow.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QPainter>

namespace nivora {

namespace {

// The header's claimed size must be known and within the budget before any
// pixel is decoded.
bool acceptableSize(const QSize& size)
{
    if (!size.isValid() || size.isEmpty())
        return false;
    return static_cast<qint64>(size.width()) * size.height() * 4 <= ImageWallpaperView::maxDecodedBytes;
}

} // namespace

ImageWallpaperView::ImageWallpaperView(WallpaperWindow* window) : m_window(window) {}

ImageWallpaperView::~ImageWallpaperView()
{
    if (m_movie)
        m_movie->stop();
    if (m_window)
        m_window->setPainter({});
}

std::unique_ptr<ImageWallpaperView> ImageWallpaperView::load(const QString& path, WallpaperWindow* window)
{
    if (path.isEmpty() || !window)
        return nullptr;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return nullptr;

    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead() || !acceptableSize(reader.size()))
        return nullptr;

    std::unique_ptr<ImageWallpaperView> view(new ImageWallpaperView(window));
    if (reader.supportsAnimation() && reader.imageCount() != 1) {
        auto movie = std::make_unique<QMovie>(path);
        movie->setCacheMode(QMovie::CacheNone);
        if (!movie->isValid() || !movie->jumpToFrame(0) || movie->currentImage().isNull())
            return nullptr;
        view->m_movie = std::move(movie);
        QObject::connect(view->m_movie.get(), &QMovie::frameChanged, view.get(), [v = view.get()] {
            ++v->m_framesShown;
            v->m_window->repaint();
        });
        view->m_framesShown = 1;
        view->m_movie->start();
    } else {
        QImage image;
        if (!reader.read(&image) || image.isNull())
            return nullptr;
        // Stretched once to the window's size, so a repaint is a plain copy.
        const QSize target = window->size() * window->devicePixelRatio();
        if (!target.isEmpty())
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        view->m_image = std::move(image);
        view->m_framesShown = 1;
    }
    window->setPainter(
        [v = view.get()](QPainter& painter, const QRect& target) { v->paint(painter, target); });
    return view;
}

QImage ImageWallpaperView::currentFrame() const
{
    return m_movie ? m_movie->currentImage() : m_image;
}

void ImageWallpaperView::setPaused(bool paused)
{
    if (m_movie)
        m_movie->setPaused(paused);
}

void ImageWallpaperView::paint(QPainter& painter, const QRect& target) const
{
    const QImage frame = currentFrame();
    if (frame.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The whole frame into the whole window: both axes scale independently.
    painter.drawImage(target, frame);
}

} // namespace nivora
