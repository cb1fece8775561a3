#include "widgets/PomodoroWidgetView.h"

#include "design/Theme.h"

namespace nivora {

PomodoroWidgetView::PomodoroWidgetView(const Environment& environment, QWidget* parent)
    : TimerFaceView(WidgetKind::Pomodoro, new PomodoroModel,
                    QString::fromUtf8(QT_TRANSLATE_NOOP("TimerFaceView", "FOCUS")), Theme::coral(),
                    environment, parent)
{
}

} // namespace nivora
