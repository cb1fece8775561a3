#include "widgets/FaceIcons.h"

#include "widgets/BundledAssets.h"

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace nivora {

namespace {

// The one symbol table. The build bundles exactly the files named here (every
// "weight/name.svg" literal of this file, see cmake/BundleAssets.cmake): keep one
// {symbol, file} entry per line and a missing file fails the build.
QString phosphorName(const QString& symbol)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("play.fill"), QStringLiteral("fill/play-fill.svg")},
        {QStringLiteral("pause.fill"), QStringLiteral("fill/pause-fill.svg")},
        // A black-weight arrow: Phosphor's bold outline reads closest.
        {QStringLiteral("arrow.counterclockwise"), QStringLiteral("bold/arrow-counter-clockwise-bold.svg")},
    };
    return names.value(symbol);
}

} // namespace

QString FaceIcons::filePath(const QString& symbol)
{
    const QString name = phosphorName(symbol);
    if (name.isEmpty())
        return QString();
    BundledAssets::ensureLoaded();
    const QString path = BundledAssets::iconRoot() + QLatin1Char('/') + name;
    return QFileInfo::exists(path) ? path : QString();
}

void FaceIcons::paint(QPainter& painter, const QString& symbol, const QRectF& rect, const QColor& color)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels(int(std::ceil(rect.width() * dpr)), int(std::ceil(rect.height() * dpr)));
    const QString key = symbol + QLatin1Char('|') + QString::number(pixels.width()) + QLatin1Char('x') +
                        QString::number(pixels.height()) + QLatin1Char('|') + color.name(QColor::HexArgb);
    // Images rather than pixmaps: the cache outlives the application object.
    static QHash<QString, QImage> cache;
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QString path = filePath(symbol);
        if (!path.isEmpty()) {
            QSvgRenderer renderer(path);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(pixels)));
            p.setCompositionMode(QPainter::CompositionMode_SourceIn);
            p.fillRect(image.rect(), color);
        }
        image.setDevicePixelRatio(dpr);
        it = cache.insert(key, image);
    }
    painter.drawImage(rect.topLeft(), *it);
}

} // namespace nivora
