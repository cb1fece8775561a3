#include "media/ImageWallpaperView.h"

#include "media/ImageHeaderCheck.h"
#include "media/StillImageCache.h"
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
#include <algorithm>
#include <cmath>
#include <cstring>

namespace nivora {

namespace {

bool isAnimation(QImageReader& reader)
{
    return reader.supportsAnimation() && reader.imageCount() != 1;
}

// The whole picture, or none of it for a part that is no fraction of it.
QRectF normalizedPart(const QRectF& part)
{
    return part.isEmpty() ? QRectF(0, 0, 1, 1) : part;
}

} // namespace

ImageWallpaperView::ImageWallpaperView(WallpaperWindow* window) : m_window(window)
{
    // About thirty steps a second: smooth enough for a second's fade, and
    // each step is one blend of two screen-sized pictures.
    m_fadeTicks.setInterval(33);
    m_fadeTicks.setTimerType(Qt::PreciseTimer);
    connect(&m_fadeTicks, &QTimer::timeout, this, &ImageWallpaperView::fadeStep);
}

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

QImage ImageWallpaperView::readStill(const QString& path, QImageReader& reader, QSize target,
                                     const QRectF& part, StillImageCache* stills)
{
    const QRectF shown = normalizedPart(part);
    if (stills) {
        const QImage known = stills->find(path, target, shown);
        if (!known.isNull())
            return known;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    if (shown != QRectF(0, 0, 1, 1)) {
        const QRect cut = QRectF(shown.x() * image.width(), shown.y() * image.height(),
                                 shown.width() * image.width(), shown.height() * image.height())
                              .toAlignedRect() &
                          image.rect();
        image = image.copy(cut);
    }
    if (!target.isEmpty() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (stills)
        stills->insert(path, target, shown, image);
    return image;
}

QRectF ImageWallpaperView::partOf(QSize size) const
{
    const QRectF shown = normalizedPart(m_part);
    return QRectF(shown.x() * size.width(), shown.y() * size.height(), shown.width() * size.width(),
                  shown.height() * size.height());
}

bool ImageWallpaperView::canShow(const QString& path)
{
    QImageReader reader;
    return openReader(path, reader, {});
}

namespace {

// The size a whole picture is decoded at so that `part` of it covers `pixels`.
QSize wholeSize(QSize pixels, const QRectF& part)
{
    const QRectF shown = normalizedPart(part);
    return QSize(int(std::ceil(pixels.width() / shown.width())),
                 int(std::ceil(pixels.height() / shown.height())));
}

} // namespace

std::unique_ptr<ImageWallpaperView> ImageWallpaperView::load(const QString& path, DesktopSurface* surface,
                                                             const QRectF& part, StillImageCache* stills,
                                                             const Slide* slide)
{
    QImageReader reader;
    if (!surface || !openReader(path, reader, wholeSize(surface->pixelSize(), part)))
        return nullptr;
    std::unique_ptr<ImageWallpaperView> view(new ImageWallpaperView(nullptr));
    view->m_surface = surface;
    view->m_part = part;
    if (isAnimation(reader)) {
        if (!view->openMovie(path, [v = view.get()] { v->presentToSurface(); }))
            return nullptr;
        if (slide)
            view->fadeFrom(slide->previous, slide->fadeMilliseconds);
        view->m_movie->start();
    } else {
        // Kept at its decoded size: the compositor stretches it.
        QImage image = readStill(path, reader, {}, part, stills);
        if (image.isNull())
            return nullptr;
        if (slide) {
            // The next picture fades from it, and no screen shows more than
            // its own pixels: a larger one is kept at the surface's size, as
            // it will be drawn.
            const QSize bound = surface->pixelSize();
            if (!bound.isEmpty() && (image.width() > bound.width() || image.height() > bound.height()))
                image = image.scaled(image.size().boundedTo(bound), Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
            image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            view->m_keepStill = true;
        }
        view->m_image = std::move(image);
        view->m_framesShown = 1;
        if (slide)
            view->fadeFrom(slide->previous, slide->fadeMilliseconds);
        // A fade is drawn frame after frame, in two buffers.
        surface->setStill(!view->isFading());
    }
    view->m_surfaceCovered = surface->isCovered();
    connect(surface, &DesktopSurface::coveredChanged, view.get(), [v = view.get()](bool covered) {
        v->m_surfaceCovered = covered;
        v->updateFadeTicks();
    });
    // The fade's first frame is the picture given way to, so that the new
    // surface takes over from the old one without a jump.
    view->presentToSurface();
    if (!view->m_movie && !view->m_keepStill) {
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
    if (isFading() && m_fadeClock.elapsed() < m_fadeLength) {
        // Painted straight into the surface's buffer, at the size of the
        // picture coming, by the window's own painting: the two pictures
        // are all a fade holds.
        const QSize size =
            m_movie ? partOf(m_movie->currentImage().size()).toAlignedRect().size() : m_image.size();
        if (size.isEmpty())
            return false;
        unsigned char* memory = m_surface->beginFrame(size, DesktopSurface::Rows::TopDown);
        if (!memory)
            return false;
        // 0xffRRGGBB pixels are the surface's B, G, R, X bytes.
        QImage buffer(memory, size.width(), size.height(), qsizetype(size.width()) * 4, QImage::Format_RGB32);
        {
            QPainter painter(&buffer);
            painter.fillRect(buffer.rect(), Qt::black);
            paint(painter, buffer.rect());
        }
        return m_surface->present();
    }
    // Premultiplied, the colour channels are the frame already laid over
    // black, as the window's painter shows it. A still is converted in place
    // (it is dropped afterwards) rather than copied; a folder's was
    // converted when it was read.
    QImage frame = m_movie ? m_movie->currentImage().convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   : m_keepStill ? m_image
                                 : std::move(m_image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // A still was cut to its part when decoded; an animation's frames are
    // cut here.
    if (m_movie && !m_part.isEmpty())
        frame = frame.copy(partOf(frame.size()).toAlignedRect() & frame.rect());
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

std::unique_ptr<ImageWallpaperView> ImageWallpaperView::load(const QString& path, WallpaperWindow* window,
                                                             const QRectF& part, StillImageCache* stills,
                                                             const Slide* slide)
{
    QImageReader reader;
    const QSize target = window ? window->size() * window->devicePixelRatio() : QSize();
    if (!window || !openReader(path, reader, wholeSize(target, part)))
        return nullptr;

    std::unique_ptr<ImageWallpaperView> view(new ImageWallpaperView(window));
    view->m_part = part;
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
        // Cut to its part and stretched once to the window's size, so a
        // repaint is a plain copy.
        QImage image = readStill(path, reader, target, part, stills);
        if (image.isNull())
            return nullptr;
        view->m_image = std::move(image);
        view->m_framesShown = 1;
    }
    window->setPainter(
        [v = view.get()](QPainter& painter, const QRect& target) { v->paint(painter, target); });
    if (slide)
        view->fadeFrom(slide->previous, slide->fadeMilliseconds);
    return view;
}

QImage ImageWallpaperView::currentFrame() const
{
    return m_movie ? m_movie->currentImage() : m_image;
}

QImage ImageWallpaperView::shownPart() const
{
    // A still was cut to its part when decoded.
    if (!m_movie)
        return m_image;
    const QImage frame = m_movie->currentImage();
    if (m_part.isEmpty())
        return frame;
    return frame.copy(partOf(frame.size()).toAlignedRect() & frame.rect());
}

void ImageWallpaperView::fadeFrom(const QImage& previous, int milliseconds)
{
    if ((!m_movie && m_image.isNull()) || previous.isNull() || milliseconds <= 0)
        return;
    m_fadeFrom = previous;
    m_fadeLength = milliseconds;
    m_fadeClock.start();
    updateFadeTicks();
    if (m_window)
        m_window->repaint();
}

void ImageWallpaperView::fadeStep()
{
    const bool over = m_fadeClock.elapsed() >= m_fadeLength;
    if (m_window) {
        if (over) {
            m_fadeTicks.stop();
            m_fadeFrom = QImage();
        }
        m_window->repaint();
        return;
    }
    // Once it is over, a still goes as any still does, in one buffer. A
    // frame the compositor cannot take yet (it has not shown the last one)
    // waits for the next step; one that takes none for long counts as
    // covered, which holds the steps.
    if (over && !m_movie)
        m_surface->setStill(true);
    if (presentToSurface() && over) {
        m_fadeTicks.stop();
        m_fadeFrom = QImage();
    }
}

void ImageWallpaperView::updateFadeTicks()
{
    if (!isFading() || m_paused || m_surfaceCovered)
        m_fadeTicks.stop();
    else if (!m_fadeTicks.isActive())
        m_fadeTicks.start();
}

void ImageWallpaperView::setPaused(bool paused)
{
    m_paused = paused;
    if (m_movie)
        m_movie->setPaused(paused);
    updateFadeTicks();
}

bool ImageWallpaperView::presentFrame()
{
    // A fade blends two pictures: the painter draws it.
    if (isFading())
        return false;
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
        m_presenter = X11ScaledPresenter::create(
            {{quint32(m_window->winId()), windowPixels, partOf(frame.size())}}, frame.size(),
            X11ScaledPresenter::PixelOrder::BGRX, X11ScaledPresenter::RowOrder::TopDown);
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
    if (!m_fadeFrom.isNull()) {
        const double shown = std::clamp(double(m_fadeClock.elapsed()) / m_fadeLength, 0.0, 1.0);
        painter.drawImage(target, m_fadeFrom);
        painter.setOpacity(shown);
        if (m_movie)
            painter.drawImage(QRectF(target), frame, partOf(frame.size()));
        else
            painter.drawImage(target, frame);
        painter.setOpacity(1.0);
        return;
    }
    // The frame (or an animation's part of it) into the whole window: both
    // axes scale independently. A still was cut when decoded.
    if (m_movie)
        painter.drawImage(QRectF(target), frame, partOf(frame.size()));
    else
        painter.drawImage(target, frame);
}

} // namespace nivora
