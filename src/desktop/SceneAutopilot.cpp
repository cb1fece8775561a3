#include "desktop/SceneAutopilot.h"

#include "model/SceneCatalog.h"
#include "state/AppState.h"

#include <algorithm>
#include <climits>

namespace nivora {

SceneAutopilot::SceneAutopilot(AppState& state, QObject* parent) : QObject(parent), m_state(state)
{
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        const qint64 count = availableScenes().size();
        // A stale stored index (negative or past the end) still lands in range.
        const qint64 next = ((m_state.sceneIndex() + 1) % count + count) % count;
        m_state.setSceneIndex(next);
    });
}

void SceneAutopilot::update(bool active)
{
    m_timer.stop();
    if (!active)
        return;
    if (!m_state.autopilot() || m_state.wallpaperMode() != WallpaperMode::Scene)
        return;
    int interval;
    if (m_intervalForTesting) {
        interval = std::max(*m_intervalForTesting, 1);
    } else {
        const qint64 minutes = std::max<qint64>(m_state.autopilotMinutes(), 1);
        interval = static_cast<int>(std::min<qint64>(minutes, INT_MAX / 60000) * 60000);
    }
    m_timer.start(interval);
}

void SceneAutopilot::setIntervalForTesting(std::optional<int> milliseconds)
{
    m_intervalForTesting = milliseconds;
    // Only a running timer was started while the wallpaper was active.
    if (m_timer.isActive())
        update(true);
}

} // namespace nivora
