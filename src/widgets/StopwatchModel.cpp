#include "widgets/StopwatchModel.h"

namespace nivora {

void StopwatchModel::tick()
{
    setElapsed(m_elapsed + 1);
}

void StopwatchModel::resetValue()
{
    setElapsed(0);
}

void StopwatchModel::setElapsed(qint64 value)
{
    if (m_elapsed == value)
        return;
    m_elapsed = value;
    Q_EMIT displaySecondsChanged(value);
}

} // namespace nivora
