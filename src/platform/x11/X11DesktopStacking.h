#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <xcb/xcb.h>

namespace nivora {

// Keeps the wallpaper's desktop windows under the icon windows of file
// managers that draw a transparent desktop (nemo-desktop when a compositing
// manager runs, and the like): those windows are desktop windows too, in the
// same layer as ours, so whichever was mapped or raised last would hide the
// other. A desktop window of another program is taken for an icon layer when
// its visual has an alpha channel; an opaque one (caja, xfdesktop, pcmanfm)
// would hide the wallpaper entirely, so ours is not put under it.
//
// Follows the window manager's stacking list, so it also holds when the file
// manager re-creates its windows or the wallpaper's are rebuilt. Main thread.
class X11DesktopStacking : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11DesktopStacking(QObject* parent = nullptr);
    ~X11DesktopStacking() override;

    // A wallpaper window to keep under the icon windows, from now on until it
    // is destroyed.
    void keepUnderIcons(QWindow* window);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // Whether a compositing manager runs, so that windows with an alpha
    // channel are blended over what lies under them.
    static bool compositing();
    // Whether this process made the window (on Qt's connection).
    static bool isOwn(xcb_window_t window);

private:
    // Puts each of our windows that the stacking list shows above an icon
    // window under the lowest one.
    void restack();
    static bool isIconLayer(xcb_window_t window);

    QList<QPointer<QWindow>> m_windows;
    bool m_scheduled = false;
};

} // namespace nivora
