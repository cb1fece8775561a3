#include "platform/WindowObscuredMonitor.h"

#include "platform/x11/X11WindowObscuredMonitor.h"

#include <QGuiApplication>

namespace nivora {

WindowObscuredMonitor* WindowObscuredMonitor::shared()
{
    static WindowObscuredMonitor* monitor = []() -> WindowObscuredMonitor* {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            return new X11WindowObscuredMonitor(qApp);
        return nullptr;
    }();
    return monitor;
}

} // namespace nivora
