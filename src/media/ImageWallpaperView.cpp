#include "media/ImageWallpaperView.h"

#include "media/ImageHeaderCheck.h"
#include "platform/DesktopSurface.h"
#include "platform/FreedMemory.h"
#include "platform/x11/X11ScaledPresenter.h"
#include "scene/ScaledDrawable.h"
#include "scene/WallpaperWindow.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <cstring>

namespace nivora {

namespace {

bool isAnimation(QImageReader& reader)
{
    return reader.supportsAnimation() && reader.imageCount() != 1;
}

} // namespace

ImageWallpaperView::ImageWallpaperView(WallpaperWindow* window) : m_window(window) {}

ImageWallpaperView::~ImageWallpaperView()
{
    if (m_movie)
        m_movie->stop();
    if (m_window) {
        m_window->setDirectPresenter({});
        m_window->setPainter({});
    }
}

bool ImageWallpaperView::openReader(const QString& path, QImageReader& reader, QSize target)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return false;
    reader.setFileName(path);
    reader.setAutoTransform(true);
    return ImageHeaderCheck::acceptable(reader, target);
}

bool ImageWallpaperView::openMovie(const QString& path, std::function<void()> showFrame)
{
    auto movie = std::make_unique<QMovie>(path);
    movie->setCacheMode(QMovie::CacheNone);
    if (!movie->isValid() || !movie->jumpToFrame(0) || movie->currentImage().isNull())
        return false;
    m_movie = std::move(movie);
    connect(m_movie.get(), &QMovie::frameChanged, this, [this, showFrame = std::move(showFrame)] {
        ++m_framesShown;
        showFrame();
    });
    m_framesShown = 1;
    return true;
}

bool ImageWallpaperView::canShow(const QString& path)
{
    QImageReader reader;
    return openReader(path, reader, {});
}

std::unique_ptr<ImageWallpaperView> ImageWallpaperView::load(const QString& path, DesktopSurface* surface)
{
    QImageReader reader;
    if (!surface || !openReader(path, reader, surface->pixelSize()))
        return nullptr;
    std::unique_ptr<ImageWallpaperView> view(new ImageWallpaperView(nullptr));
    view->m_surface = surface;
    if (isAnimation(reader)) {
        if (!view->openMovie(path, [v = view.get()] { v->presentToSurface(); }))
            return nullptr;
        view->m_movie->start();
    } else {
        QImage image;
        if (!reader.read(&image) || image.isNull())
            return nullptr;
        view->m_image = std::move(image);
        view->m_framesShown = 1;
        surface->setStill(true);
    }
    view->presentToSurface();
    if (!view->m_movie) {
        // The compositor holds the picture now and shows it for as long as
        // the surface lives (an output that changes size gets a new surface
        // and the file is read again), so nothing of it is kept here: the
        // decoded pixels, and the heap they leave behind, go back.
        view->m_image = QImage();
        FreedMemory::release();
    }
    return view;
}

bool ImageWallpaperView::presentToSurface()
{
    // Premultiplied, the colour channels are the frame already laid over
    // black, as the window's painter shows it. A still is converted in place
    // (it is dropped afterwards) rather than copied.
    const QImage frame = m_movie
                             ? m_movie->currentImage().convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             : std::move(m_image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (frame.isNull())
        return false;
    // Null while the compositor has not shown the previous frame: an
    // animation simply goes on with its next one.
    unsigned char* memory = m_surface->beginFrame(frame.size(), DesktopSurface::Rows::TopDown);
    if (!memory)
        return false;
    // 0xAARRGGBB pixels are B, G, R, A bytes on a little-endian machine, the
    // surface's pixel order.
    const qsizetype rowBytes = qsizetype(frame.width()) * 4;
    for (int y = 0; y < frame.height(); ++y)
        std::memcpy(memory + qsizetype(y) * rowBytes, frame.constScanLine(y), size_t(rowBytes));
    return m_surface->present();
}

std::unique_ptr<ImageWallpaperView> ImageWallpaperView::load(const QString& path, WallpaperWindow* window)
{
    QImageReader reader;
    const QSize target = window ? window->size() * window->devicePixelRatio() : QSize();
    if (!window || !openReader(path, reader, target))
        return nullptr;

    std::unique_ptr<ImageWallpaperView> view(new ImageWallpaperView(window));
    if (isAnimation(reader)) {
        if (!view->openMovie(path, [v = view.get()] { v->m_window->repaint(); }))
            return nullptr;
        // Every frame of an animation stretched to the screen would be a
        // full-screen scaling on the processor and a full-screen image sent
        // to the server; on X11 the frame goes at its own size and the server
        // scales it.
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            window->setDirectPresenter([v = view.get()] { return v->presentFrame(); });
        view->m_movie->start();
    } else {
        QImage image;
        if (!reader.read(&image) || image.isNull())
            return nullptr;
        // Stretched once to the window's size, so a repaint is a plain copy.
        if (!target.isEmpty() && image.size() != target)
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
    m_paused = paused;
    if (m_movie)
        m_movie->setPaused(paused);
}

bool ImageWallpaperView::presentFrame()
{
    if (m_presenterFailed || !ScaledDrawable::isServerScalingAllowed()) {
        m_presenter.reset();
        return false;
    }
    // Premultiplied, the colour channels are the frame already laid over
    // black, which is what the painter shows through transparent pixels.
    const QImage frame = currentFrame().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (frame.isNull())
        return false;
    const QSize windowPixels = m_window->size() * m_window->devicePixelRatio();
    if (!m_presenter || m_presenter->imageSize() != frame.size() ||
        m_presenter->windowSize() != windowPixels) {
        m_presenter = X11ScaledPresenter::create(quint32(m_window->winId()), windowPixels, frame.size(),
                                                 X11ScaledPresenter::PixelOrder::BGRX,
                                                 X11ScaledPresenter::RowOrder::TopDown);
        if (!m_presenter) {
            m_presenterFailed = true;
            return false;
        }
    }
    uchar* memory = m_presenter->beginFrame();
    if (memory) {
        // 32-bit pixels 0xAARRGGBB are B, G, R, A bytes on a little-endian
        // machine, the only kind the presenter accepts this order on.
        const qsizetype rowBytes = qsizetype(frame.width()) * 4;
        for (int y = 0; y < frame.height(); ++y)
            std::memcpy(memory + y * rowBytes, frame.constScanLine(y), size_t(rowBytes));
    }
    if (memory && m_presenter->present())
        return true;
    m_presenter.reset();
    m_presenterFailed = true;
    return false;
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
