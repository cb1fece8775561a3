#include "platform/wayland/WaylandOutputPowerMonitor.h"

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandProtocols.h"

#include <QSet>
#include <algorithm>

namespace nivora {

namespace {

WaylandOutputPowerMonitor* self(void* data)
{
    return static_cast<WaylandOutputPowerMonitor*>(data);
}

void onMode(void* data, zwlr_output_power_v1* power, uint32_t mode)
{
    self(data)->modeChanged(power, mode == ZWLR_OUTPUT_POWER_V1_MODE_ON);
}

void onFailed(void* data, zwlr_output_power_v1* power)
{
    self(data)->failed(power);
}

const zwlr_output_power_v1_listener powerListener = {onMode, onFailed};

} // namespace

WaylandOutputPowerMonitor::WaylandOutputPowerMonitor(WaylandConnection& connection, QObject* parent)
    : ScreenSleepMonitor(parent), m_connection(connection)
{
    connect(&m_connection, &WaylandConnection::outputsChanged, this,
            &WaylandOutputPowerMonitor::followOutputs);
    connect(&m_connection, &WaylandConnection::connectionLost, this, [this] {
        releaseAll();
        update();
    });
    followOutputs();
}

WaylandOutputPowerMonitor::~WaylandOutputPowerMonitor()
{
    releaseAll();
}

void WaylandOutputPowerMonitor::releaseAll()
{
    for (const Output& o : std::as_const(m_outputs)) {
        if (o.power)
            zwlr_output_power_v1_destroy(o.power);
    }
    m_outputs.clear();
}

void WaylandOutputPowerMonitor::followOutputs()
{
    if (!m_connection.outputPowerManager() || m_connection.isBroken())
        return;
    QSet<wl_output*> present;
    for (const WaylandConnection::Output& o : m_connection.outputs()) {
        present.insert(o.output);
        if (m_outputs.contains(o.output))
            continue;
        Output tracked;
        tracked.power =
            zwlr_output_power_manager_v1_get_output_power(m_connection.outputPowerManager(), o.output);
        zwlr_output_power_v1_add_listener(tracked.power, &powerListener, this);
        m_outputs.insert(o.output, tracked);
    }
    for (auto it = m_outputs.begin(); it != m_outputs.end();) {
        if (present.contains(it.key())) {
            ++it;
            continue;
        }
        if (it->power)
            zwlr_output_power_v1_destroy(it->power);
        it = m_outputs.erase(it);
    }
    wl_display_flush(m_connection.display());
    update();
}

void WaylandOutputPowerMonitor::modeChanged(zwlr_output_power_v1* power, bool on)
{
    for (Output& o : m_outputs) {
        if (o.power == power) {
            o.known = true;
            o.on = on;
        }
    }
    update();
}

void WaylandOutputPowerMonitor::failed(zwlr_output_power_v1* power)
{
    // The object is dead (its output went away, or another client controls
    // the power); the output counts as on from now on.
    for (Output& o : m_outputs) {
        if (o.power == power) {
            zwlr_output_power_v1_destroy(o.power);
            o.power = nullptr;
            o.known = false;
            o.on = true;
        }
    }
    update();
}

int WaylandOutputPowerMonitor::reportedOutputs() const
{
    return int(std::count_if(m_outputs.cbegin(), m_outputs.cend(), [](const Output& o) { return o.known; }));
}

void WaylandOutputPowerMonitor::update()
{
    bool anyOn = false;
    bool anyKnown = false;
    for (const Output& o : std::as_const(m_outputs)) {
        anyKnown = anyKnown || o.known;
        anyOn = anyOn || !o.known || o.on;
    }
    const bool asleep = anyKnown && !anyOn;
    if (asleep == m_asleep)
        return;
    m_asleep = asleep;
    if (asleep)
        Q_EMIT screensDidSleep();
    else
        Q_EMIT screensDidWake();
}

} // namespace nivora
