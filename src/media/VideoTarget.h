#pragma once

#include <QRect>

namespace nivora {

class DesktopSurface;
class WallpaperWindow;

// One screen a video is shown on: its window (X11) or its desktop surface
// (Wayland), its frame on the desktop, and the canvas the video is laid over
// (the frame itself, or the box around every screen when the video spans
// them). See MediaLayout.
struct VideoTarget
{
    WallpaperWindow* window = nullptr;
    DesktopSurface* surface = nullptr;
    QRect screen;
    QRect canvas;
    // Another wallpaper stays on the screen until this video's first frame
    // takes its place: nothing black is drawn before that frame.
    bool overPrevious = false;
};

} // namespace nivora
