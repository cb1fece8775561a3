#include "platform/WorkAreaMonitor.h"

#include <QTimer>

namespace nivora {

void WorkAreaMonitor::scheduleChanged()
{
    if (m_changeQueued)
        return;
    m_changeQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_changeQueued = false;
        Q_EMIT changed();
    });
}

} // namespace nivora
