#pragma once

#include "platform/ScreenProvider.h"

namespace nivora {

class WaylandConnection;

// The screens as the compositor's outputs: name, layout position and logical
// size, and the refresh rate of the current mode. Main thread.
class WaylandScreenProvider : public ScreenProvider
{
    Q_OBJECT

public:
    explicit WaylandScreenProvider(WaylandConnection& connection, QObject* parent = nullptr);

    QList<ScreenInfo> screens() const override;

private:
    WaylandConnection& m_connection;
};

} // namespace nivora
