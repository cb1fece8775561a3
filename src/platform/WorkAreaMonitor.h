#pragma once

#include "platform/ScreenInfo.h"

#include <QObject>
#include <QRect>

class QScreen;

namespace nivora {

// The part of each screen the desktop leaves to windows: the screen without
// its panels, bars and docks. Desktop widgets are placed inside it.
//
// Contract for backends (main thread):
// - workArea(screen) required. The work area of `screen` in Qt's logical
//                    coordinates, inside the screen's geometry; the whole
//                    screen when nothing is reserved on it.
// - outputWorkArea(screen) optional. The same for a screen of a backend
//                    whose screens are not Qt's (a layer-shell compositor's
//                    outputs), in the coordinates of `screen.frame`; the
//                    whole frame by default.
// - changed()        required. Emitted (at most once per pass of the event
//                    loop) when any screen's work area may have changed.
class WorkAreaMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~WorkAreaMonitor() override = default;

    virtual QRect workArea(QScreen* screen) const = 0;
    virtual QRect outputWorkArea(const ScreenInfo& screen) const { return screen.frame; }

Q_SIGNALS:
    void changed();

protected:
    // Emits changed() on the next pass of the event loop, once however often
    // it is called before then: one change of the desktop (a panel that
    // appears) comes as several notifications.
    void scheduleChanged();

private:
    bool m_changeQueued = false;
};

} // namespace nivora
