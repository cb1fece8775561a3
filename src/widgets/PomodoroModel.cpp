#include "widgets/PomodoroModel.h"

namespace nivora {

void PomodoroModel::tick()
{
    if (m_remaining < 1) {
        setRunning(false);
        stopTimer();
        return;
    }
    setRemaining(m_remaining - 1);
}

void PomodoroModel::resetValue()
{
    setRemaining(initialSeconds);
}

void PomodoroModel::setRemaining(qint64 value)
{
    if (m_remaining == value)
        return;
    m_remaining = value;
    Q_EMIT displaySecondsChanged(value);
}

} // namespace nivora
