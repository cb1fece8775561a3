#pragma once

#include "widgets/StopwatchModel.h"
#include "widgets/TimerFaceView.h"

namespace nivora {

// The "CHRONO" face with its own StopwatchModel.
class StopwatchWidgetView : public TimerFaceView
{
    Q_OBJECT

public:
    explicit StopwatchWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

    StopwatchModel& m() const { return static_cast<StopwatchModel&>(model()); }
};

} // namespace nivora
