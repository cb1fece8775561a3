#pragma once

#include "platform/ScreenInfo.h"

#include <QObject>

namespace nivora {

// The list of screens and its changes.
//
// Contract for backends (all calls on the main thread):
// - screens()        required. The current screens, primary first where the
//                    system has one, then in the system's order. Never blocks.
// - screensChanged() required. Emitted after a screen was added or removed, or
//                    changed geometry or refresh rate. May be emitted for
//                    changes the wallpaper does not care about; listeners
//                    compare signatures.
class ScreenProvider : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~ScreenProvider() override = default;

    virtual QList<ScreenInfo> screens() const = 0;

Q_SIGNALS:
    void screensChanged();
};

} // namespace nivora
