#pragma once

namespace nivora::FirstFrameReport {

// Called once, on the render thread that drew it, when the first desktop
// frame of the process has been drawn; for the start-up benchmark. Set it
// before the wallpaper starts; null sets nothing.
void setObserver(void (*observer)());
// The render views call this after every frame drawn; only the first call
// reaches the observer.
void frameDrawn();

} // namespace nivora::FirstFrameReport
