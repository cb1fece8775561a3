#pragma once

#include "widgets/TimerModel.h"

namespace nivora {

// The 25-minute focus countdown. It stops one tick after reaching 0 and stays
// there until reset.
class PomodoroModel : public TimerModel
{
    Q_OBJECT

public:
    static constexpr qint64 initialSeconds = 1500;

    using TimerModel::TimerModel;

    qint64 remaining() const { return m_remaining; }
    qint64 displaySeconds() const override { return m_remaining; }
    void tick() override;

protected:
    void resetValue() override;

private:
    void setRemaining(qint64 value);

    qint64 m_remaining = initialSeconds;
};

} // namespace nivora
