#include "widgets/StopwatchWidgetView.h"

#include "design/Theme.h"

namespace nivora {

StopwatchWidgetView::StopwatchWidgetView(const Environment& environment, QWidget* parent)
    : TimerFaceView(WidgetKind::Stopwatch, new StopwatchModel, QStringLiteral("CHRONO"), Theme::blue(),
                    environment, parent)
{
}

} // namespace nivora
