#pragma once

#include "platform/ScreenSleepMonitor.h"

#include <QHash>

struct wl_output;
struct zwlr_output_power_v1;

namespace nivora {

class WaylandConnection;

// Screens asleep when the compositor has powered off the display of every
// output (wlroots' output power management: idle blanking such as swayidle's
// "output * power off"). An output whose power the compositor cannot report
// counts as on. Without the protocol it stays awake and silent.
class WaylandOutputPowerMonitor : public ScreenSleepMonitor
{
    Q_OBJECT

public:
    explicit WaylandOutputPowerMonitor(WaylandConnection& connection, QObject* parent = nullptr);
    ~WaylandOutputPowerMonitor() override;

    bool isAsleep() const override { return m_asleep; }
    // How many outputs the compositor has told the power of.
    int reportedOutputs() const;

    // Listener entry points (main thread).
    void modeChanged(zwlr_output_power_v1* power, bool on);
    void failed(zwlr_output_power_v1* power);

private:
    struct Output
    {
        zwlr_output_power_v1* power = nullptr;
        bool known = false; // a mode has been reported
        bool on = true;
    };

    void followOutputs();
    void update();
    void releaseAll();

    WaylandConnection& m_connection;
    QHash<wl_output*, Output> m_outputs;
    bool m_asleep = false;
};

} // namespace nivora
