#pragma once

#include "widgets/PomodoroModel.h"
#include "widgets/TimerFaceView.h"

namespace nivora {

// The "FOCUS" face with its own PomodoroModel.
class PomodoroWidgetView : public TimerFaceView
{
    Q_OBJECT

public:
    explicit PomodoroWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

    PomodoroModel& m() const { return static_cast<PomodoroModel&>(model()); }
};

} // namespace nivora
