#pragma once

#include "platform/ScreenProvider.h"

namespace nivora {

// Screens as QGuiApplication reports them. Works on every Qt platform; on X11
// Qt already follows RandR (outputs and `xrandr --setmonitor` monitors).
class QtScreenProvider : public ScreenProvider
{
    Q_OBJECT

public:
    explicit QtScreenProvider(QObject* parent = nullptr);

    QList<ScreenInfo> screens() const override;

    static ScreenInfo describe(QScreen* screen);

private:
    void watch(QScreen* screen);
};

} // namespace nivora
