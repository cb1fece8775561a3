#include "desktop/WallpaperPlanner.h"

#include "media/MediaLayout.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <vector>

namespace nivora {

QList<ScreenInfo> WallpaperPlanner::enabledScreens(const QList<ScreenInfo>& screens,
                                                   const QSet<quint32>& enabled)
{
    QList<ScreenInfo> out;
    for (const ScreenInfo& screen : screens) {
        if (enabled.isEmpty() || enabled.contains(screen.displayID))
            out.append(screen);
    }
    return out;
}

QRect WallpaperPlanner::desktopFrame(const Request& request, const Settings& settings)
{
    const QRect& frame = request.screen.frame;
    if (!settings.deviceLayout)
        return frame;
    return QRect(frame.topLeft(), (QSizeF(frame.size()) * request.scale).toSize());
}

WallpaperPlanner::Plan WallpaperPlanner::plan(const QList<Request>& requests, const Settings& settings)
{
    Plan plan;
    if (settings.spanScreens) {
        std::vector<QRect> frames;
        for (const Request& r : requests)
            frames.push_back(desktopFrame(r, settings));
        plan.spanCanvas = MediaLayout::boundingBox(frames);
    }
    // Screens showing the same video share its player, which cannot lose one
    // of them: a change to any screen of the group rebuilds the group.
    QHash<QString, QString> videoGroups;
    for (const Request& r : requests) {
        if (r.shown == WallpaperMode::Video)
            videoGroups[r.mediaPath] += displaySignatureEntry(r.screen) + QLatin1Char(';');
    }
    const QRect& span = plan.spanCanvas;
    const QString spanKey =
        span.isEmpty()
            ? QString()
            : QStringLiteral("%1,%2,%3,%4").arg(span.x()).arg(span.y()).arg(span.width()).arg(span.height());
    const auto key = [&](const ScreenInfo& screen, WallpaperMode shown, const QString& path) {
        return QStringLiteral("%1|%2|%3|%4|%5|%6")
            .arg(displaySignatureEntry(screen), WallpaperModes::id(shown),
                 shown == WallpaperMode::Scene ? QString() : path)
            .arg(settings.renderQuality)
            .arg(spanKey, shown == WallpaperMode::Video ? videoGroups.value(path) : QString());
    };
    for (const Request& r : requests) {
        Screen s;
        s.screen = r.screen;
        s.mode = r.shown;
        s.requested = r.mode;
        s.mediaPath = r.mediaPath;
        s.slide = r.slide;
        s.frame = desktopFrame(r, settings);
        s.mediaCanvas = span.isEmpty() ? s.frame : span;
        const QRectF frame(s.frame);
        if (!span.isEmpty() && !frame.isEmpty()) {
            s.sceneCanvas =
                QRectF((span.x() - frame.x()) / frame.width(), (span.y() - frame.y()) / frame.height(),
                       span.width() / frame.width(), span.height() / frame.height());
        }
        // Images are stretched over their canvas, so the part is the same
        // fraction of any picture.
        if (!span.isEmpty())
            s.imagePart =
                MediaLayout::sourceRect(QSizeF(1, 1), QRectF(span), frame, MediaLayout::Fit::Stretch);
        // The rule counts the monitor's own pixels: a screen Qt scales by 2
        // has twice the logical size in each direction.
        const double scale = settings.scaledPixels ? r.scale : 1.0;
        s.pixelSize = pixelSize(QSizeF(r.screen.frame.size()) * scale, settings.renderQuality);
        s.key = key(r.screen, r.shown, r.mediaPath);
        s.sceneKey = key(r.screen, WallpaperMode::Scene, r.mediaPath);
        plan.screens.append(s);
    }
    return plan;
}

QList<int> WallpaperPlanner::keep(const Plan& plan, const QStringList& builtKeys)
{
    QList<int> kept;
    QList<bool> taken(builtKeys.size(), false);
    for (const Screen& s : plan.screens) {
        int found = -1;
        for (qsizetype i = 0; i < builtKeys.size() && found < 0; ++i) {
            if (!taken[i] && builtKeys[i] == s.key)
                found = static_cast<int>(i);
        }
        if (found >= 0)
            taken[found] = true;
        kept.append(found);
    }
    return kept;
}

QSet<QString> WallpaperPlanner::awaitingVideo(const Plan& plan, const QList<int>& kept)
{
    QSet<QString> screens;
    for (qsizetype i = 0; i < plan.screens.size(); ++i) {
        if (kept.value(i, -1) < 0 && plan.screens[i].mode == WallpaperMode::Video)
            screens.insert(displaySignatureEntry(plan.screens[i].screen));
    }
    return screens;
}

QSize WallpaperPlanner::pixelSize(QSizeF screenSize, qint64 renderQuality)
{
    const double w = screenSize.width();
    const double h = screenSize.height();
    const double longer = std::max(std::max(w, h), 1.0);
    const double s = std::min(static_cast<double>(std::max<qint64>(renderQuality, 480)) / longer, 1.0);
    const auto side = [s](double length) {
        const double rounded = std::round(length * s); // halves away from zero
        return std::max(static_cast<int>(std::min(rounded, 1.0e6)), 16);
    };
    return QSize(side(w), side(h));
}

qint64 WallpaperPlanner::effectiveFPS(qint64 fps, bool batterySaver, bool lowPowerMode)
{
    if (batterySaver && lowPowerMode && fps >= 30)
        return 30;
    return fps;
}

} // namespace nivora
