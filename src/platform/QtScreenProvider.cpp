#include "platform/QtScreenProvider.h"

#include <QGuiApplication>

namespace nivora {

QtScreenProvider::QtScreenProvider(QObject* parent) : ScreenProvider(parent)
{
    const auto all = QGuiApplication::screens();
    for (QScreen* s : all)
        watch(s);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* s) {
        watch(s);
        Q_EMIT screensChanged();
    });
    // The removed screen is still in the list while this signal runs, so the
    // notification goes out on the next turn, when the list is final.
    connect(qApp, &QGuiApplication::screenRemoved, this, &ScreenProvider::screensChanged,
            Qt::QueuedConnection);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &ScreenProvider::screensChanged);
}

void QtScreenProvider::watch(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, this, &ScreenProvider::screensChanged);
    connect(screen, &QScreen::refreshRateChanged, this, &ScreenProvider::screensChanged);
}

ScreenInfo QtScreenProvider::describe(QScreen* screen)
{
    ScreenInfo info;
    info.name = screen->name();
    info.displayID = displayIdentifier(info.name);
    info.frame = screen->geometry();
    info.refreshRate = screen->refreshRate();
    info.screen = screen;
    return info;
}

QList<ScreenInfo> QtScreenProvider::screens() const
{
    QList<ScreenInfo> out;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        out.append(describe(primary));
    const auto all = QGuiApplication::screens();
    for (QScreen* s : all) {
        if (s != primary)
            out.append(describe(s));
    }
    return out;
}

} // namespace nivora
