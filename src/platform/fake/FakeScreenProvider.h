#pragma once

#include "platform/ScreenProvider.h"

namespace nivora {

// Screens set by a test. setScreens() emits screensChanged().
class FakeScreenProvider : public ScreenProvider
{
    Q_OBJECT

public:
    using ScreenProvider::ScreenProvider;

    QList<ScreenInfo> screens() const override { return m_screens; }
    void setScreens(const QList<ScreenInfo>& screens)
    {
        m_screens = screens;
        Q_EMIT screensChanged();
    }

private:
    QList<ScreenInfo> m_screens;
};

} // namespace nivora
