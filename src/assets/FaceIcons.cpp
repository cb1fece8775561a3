#include "assets/FaceIcons.h"

#include "assets/BundledAssets.h"

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
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
        // The dashboard's sections.
        {QStringLiteral("scribble.variable"), QStringLiteral("fill/scribble-loop-fill.svg")},
        {QStringLiteral("photo.on.rectangle.angled"), QStringLiteral("fill/images-fill.svg")},
        {QStringLiteral("folder.fill"), QStringLiteral("fill/folder-fill.svg")},
        {QStringLiteral("paintpalette.fill"), QStringLiteral("fill/palette-fill.svg")},
        {QStringLiteral("rectangle.3.group.fill"), QStringLiteral("fill/squares-four-fill.svg")},
        {QStringLiteral("display.2"), QStringLiteral("fill/monitor-fill.svg")},
        {QStringLiteral("bolt.fill"), QStringLiteral("fill/lightning-fill.svg")},
        {QStringLiteral("info.circle.fill"), QStringLiteral("fill/info-fill.svg")},
        {QStringLiteral("person.crop.circle.fill"), QStringLiteral("fill/user-circle-fill.svg")},
        // Badges, cards and page controls.
        {QStringLiteral("speedometer"), QStringLiteral("fill/gauge-fill.svg")},
        {QStringLiteral("lock.shield"), QStringLiteral("fill/shield-check-fill.svg")},
        {QStringLiteral("checkmark"), QStringLiteral("bold/check-bold.svg")},
        {QStringLiteral("checkmark.circle.fill"), QStringLiteral("fill/check-circle-fill.svg")},
        {QStringLiteral("chevron.left"), QStringLiteral("bold/caret-left-bold.svg")},
        {QStringLiteral("chevron.right"), QStringLiteral("bold/caret-right-bold.svg")},
        {QStringLiteral("slider.horizontal.3"), QStringLiteral("bold/sliders-horizontal-bold.svg")},
        {QStringLiteral("die.face.5.fill"), QStringLiteral("fill/dice-five-fill.svg")},
        {QStringLiteral("flame.fill"), QStringLiteral("fill/flame-fill.svg")},
        {QStringLiteral("arrow.up.left.and.arrow.down.right"),
         QStringLiteral("bold/arrows-out-simple-bold.svg")},
        {QStringLiteral("drop.fill"), QStringLiteral("fill/drop-fill.svg")},
        {QStringLiteral("wand.and.rays"), QStringLiteral("fill/magic-wand-fill.svg")},
        {QStringLiteral("display"), QStringLiteral("fill/monitor-fill.svg")},
        {QStringLiteral("leaf.fill"), QStringLiteral("fill/leaf-fill.svg")},
        {QStringLiteral("rectangle.inset.filled"), QStringLiteral("fill/selection-fill.svg")},
        {QStringLiteral("power"), QStringLiteral("bold/power-bold.svg")},
        {QStringLiteral("cpu"), QStringLiteral("fill/cpu-fill.svg")},
        {QStringLiteral("hare.fill"), QStringLiteral("fill/rabbit-fill.svg")},
        {QStringLiteral("film.fill"), QStringLiteral("fill/film-strip-fill.svg")},
        {QStringLiteral("photo.fill"), QStringLiteral("fill/image-fill.svg")},
        {QStringLiteral("plus.circle"), QStringLiteral("bold/plus-circle-bold.svg")},
        {QStringLiteral("globe"), QStringLiteral("bold/globe-bold.svg")},
        {QStringLiteral("calendar"), QStringLiteral("fill/calendar-blank-fill.svg")},
        // Widget kinds and frame shapes.
        {QStringLiteral("clock.fill"), QStringLiteral("fill/clock-fill.svg")},
        {QStringLiteral("hourglass"), QStringLiteral("fill/hourglass-fill.svg")},
        {QStringLiteral("timer"), QStringLiteral("fill/timer-fill.svg")},
        {QStringLiteral("calendar.badge.clock"), QStringLiteral("fill/calendar-dots-fill.svg")},
        {QStringLiteral("calendar.day.timeline.left"), QStringLiteral("fill/calendar-fill.svg")},
        {QStringLiteral("stopwatch.fill"), QStringLiteral("fill/timer-fill.svg")},
        {QStringLiteral("calendar.circle.fill"), QStringLiteral("fill/calendar-check-fill.svg")},
        {QStringLiteral("sparkles"), QStringLiteral("fill/sparkle-fill.svg")},
        {QStringLiteral("rectangle"), QStringLiteral("bold/rectangle-bold.svg")},
        {QStringLiteral("app"), QStringLiteral("bold/square-bold.svg")},
        {QStringLiteral("capsule"), QStringLiteral("bold/pill-bold.svg")},
        {QStringLiteral("circle"), QStringLiteral("bold/circle-bold.svg")},
        // Scenes and their categories.
        {QStringLiteral("circle.fill"), QStringLiteral("fill/circle-fill.svg")},
        {QStringLiteral("circle.grid.2x2.fill"), QStringLiteral("fill/circles-four-fill.svg")},
        {QStringLiteral("circle.lefthalf.filled"), QStringLiteral("fill/circle-half-fill.svg")},
        {QStringLiteral("cloud.fill"), QStringLiteral("fill/cloud-fill.svg")},
        {QStringLiteral("cloud.fog"), QStringLiteral("fill/cloud-fog-fill.svg")},
        {QStringLiteral("cloud.rain.fill"), QStringLiteral("fill/cloud-rain-fill.svg")},
        {QStringLiteral("grid"), QStringLiteral("bold/grid-four-bold.svg")},
        {QStringLiteral("map"), QStringLiteral("fill/map-trifold-fill.svg")},
        {QStringLiteral("rectangle.split.3x1.fill"), QStringLiteral("fill/columns-fill.svg")},
        {QStringLiteral("smoke.fill"), QStringLiteral("fill/cloud-fog-fill.svg")},
        {QStringLiteral("snowflake"), QStringLiteral("bold/snowflake-bold.svg")},
        {QStringLiteral("triangle.fill"), QStringLiteral("fill/triangle-fill.svg")},
        {QStringLiteral("water.waves"), QStringLiteral("bold/waves-bold.svg")},
        {QStringLiteral("waveform"), QStringLiteral("bold/waveform-bold.svg")},
        {QStringLiteral("wind"), QStringLiteral("bold/wind-bold.svg")},
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
                        QString::number(pixels.height()) + QLatin1Char('@') + QString::number(dpr) +
                        QLatin1Char('|') + color.name(QColor::HexArgb);
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

QPixmap FaceIcons::pixmap(const QString& symbol, int size, const QColor& color, qreal scale)
{
    QPixmap pixmap(QSize(size, size) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, symbol, QRectF(0, 0, size, size), color);
    return pixmap;
}

} // namespace nivora
