#pragma once

#include "widgets/TimerModel.h"

namespace nivora {

// The count-up stopwatch, in whole seconds.
class StopwatchModel : public TimerModel
{
    Q_OBJECT

public:
    using TimerModel::TimerModel;

    qint64 elapsed() const { return m_elapsed; }
    qint64 displaySeconds() const override { return m_elapsed; }
    void tick() override;

protected:
    void resetValue() override;

private:
    void setElapsed(qint64 value);

    qint64 m_elapsed = 0;
};

} // namespace nivora
