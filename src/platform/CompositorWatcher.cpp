#include "platform/CompositorWatcher.h"

#include "platform/x11/X11CompositorWatcher.h"

#include <QGuiApplication>

namespace nivora {

CompositorWatcher& CompositorWatcher::shared()
{
    // Parented to the application, so that it goes before the connection does.
    static CompositorWatcher* watcher = [] {
        CompositorWatcher* w = nullptr;
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            w = new X11CompositorWatcher(qApp);
        else
            w = new CompositorWatcher(qApp);
        return w;
    }();
    return *watcher;
}

} // namespace nivora
