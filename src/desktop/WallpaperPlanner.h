#pragma once

#include "platform/ScreenInfo.h"
#include "state/WallpaperMode.h"

#include <QList>
#include <QRect>
#include <QRectF>
#include <QSet>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace nivora {

// Works out what each screen's wallpaper is to be from what the screens ask
// for: the mode and file shown, where it lies on the desktop, the canvas it is
// laid over, the size a scene is drawn at, and the key that says whether a
// wallpaper already built can be kept. It reads no file and makes no window,
// so every decision of a rebuild can be checked without a display.
class WallpaperPlanner
{
public:
    // One enabled screen and what it asks for.
    struct Request
    {
        ScreenInfo screen;
        // The screen's device pixel ratio; 1 for a screen Qt does not know.
        double scale = 1.0;
        // The mode and file asked for, with a folder's current file in place
        // of the folder.
        WallpaperMode mode = WallpaperMode::Scene;
        QString mediaPath;
        // What can be shown of it: the scene stands in for a file that cannot
        // be read or must not be opened (a playlist, an address), and a still
        // shows as an image even in video mode.
        WallpaperMode shown = WallpaperMode::Scene;
        // One of a folder's files, which comes over the one before it.
        bool slide = false;
    };

    struct Settings
    {
        bool spanScreens = false;
        qint64 renderQuality = 0;
        // X11 lays its monitors out in device pixels, while Qt keeps a scaled
        // screen's corner there and divides its size; a Wayland compositor
        // lays outputs out in logical units, as frames already are.
        bool deviceLayout = false;
        // Windows are drawn at the monitor's own pixels; a desktop surface at
        // its logical size, which the compositor scales.
        bool scaledPixels = false;
    };

    // One wallpaper to have.
    struct Screen
    {
        ScreenInfo screen;
        WallpaperMode mode = WallpaperMode::Scene;
        // The mode asked for, under which a file found unreadable is known.
        WallpaperMode requested = WallpaperMode::Scene;
        QString mediaPath;
        bool slide = false;
        // Where the screen lies on the desktop, and the canvas media is laid
        // over on it: the screen itself, or the box around every enabled
        // screen when media spans them.
        QRect frame;
        QRect mediaCanvas;
        // The same canvas in units of the screen, for a scene.
        QRectF sceneCanvas{0, 0, 1, 1};
        // The fraction of a picture the screen shows; empty for all of it.
        QRectF imagePart;
        QSize pixelSize;
        // Equal keys need the same wallpaper: the same place and size, the
        // same media and quality, the same spanning box, and for a video the
        // same screens sharing its player.
        QString key;
        // The key when the file cannot be shown after all and the scene takes
        // its place.
        QString sceneKey;
    };

    struct Plan
    {
        // Empty unless media spans the screens.
        QRect spanCanvas;
        // In the order of the requests.
        QList<Screen> screens;
    };

    // The screens the wallpaper covers: those enabled, or all when none is
    // named.
    static QList<ScreenInfo> enabledScreens(const QList<ScreenInfo>& screens, const QSet<quint32>& enabled);

    static Plan plan(const QList<Request>& requests, const Settings& settings);

    // For each screen of `plan`, the position in `builtKeys` of the
    // wallpaper it keeps, or -1 when it needs a new one. Each built one is
    // kept at most once.
    static QList<int> keep(const Plan& plan, const QStringList& builtKeys);

    // The screens (as displaySignatureEntry) that get a new video: what they
    // showed stays up until the video's first frame.
    static QSet<QString> awaitingVideo(const Plan& plan, const QList<int>& kept);

    // The drawable of a render view: the longer side at most max(quality,
    // 480) pixels and never above the screen's size, at least 16 pixels a
    // side, halves rounded away from zero.
    static QSize pixelSize(QSizeF screenSize, qint64 renderQuality);

    // The frame rate the views run at: `fps`, lowered to 30 when the battery
    // saver is on, the system is in low-power mode and `fps` is 30 or more.
    static qint64 effectiveFPS(qint64 fps, bool batterySaver, bool lowPowerMode);

private:
    static QRect desktopFrame(const Request& request, const Settings& settings);
};

} // namespace nivora
