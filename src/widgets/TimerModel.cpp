#include "widgets/TimerModel.h"

namespace nivora {

TimerModel::TimerModel(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(1000);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

void TimerModel::toggle()
{
    setRunning(!m_running);
    if (m_running)
        m_timer.start(); // restarts an active timer rather than adding one
    else
        m_timer.stop();
}

void TimerModel::reset()
{
    m_timer.stop();
    setRunning(false);
    resetValue();
}

void TimerModel::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    Q_EMIT runningChanged(running);
}

} // namespace nivora
