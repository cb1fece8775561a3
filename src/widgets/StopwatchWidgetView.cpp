#include "widgets/StopwatchWidgetView.h"

#include "design/Theme.h"

namespace nivora {

StopwatchWidgetView::StopwatchWidgetView(const Environment& environment, QWidget* parent)
    : TimerFaceView(WidgetKind::Stopwatch, new StopwatchModel,
                    QString::fromUtf8(QT_TRANSLATE_NOOP("TimerFaceView", "CHRONO")), Theme::blue(),
                    environment, parent)
{
}

} // namespace nivora
