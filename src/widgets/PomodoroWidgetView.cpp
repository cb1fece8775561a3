#include "widgets/PomodoroWidgetView.h"

#include "design/Theme.h"

namespace nivora {

PomodoroWidgetView::PomodoroWidgetView(const Environment& environment, QWidget* parent)
    : TimerFaceView(WidgetKind::Pomodoro, new PomodoroModel, QStringLiteral("FOCUS"), Theme::coral(),
                    environment, parent)
{
}

} // namespace nivora
