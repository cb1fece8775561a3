#include "widgets/WidgetFaceFactory.h"

#include "widgets/AmbianceWidgetView.h"
#include "widgets/ClockWidgetView.h"
#include "widgets/DateWidgetView.h"
#include "widgets/MonthWidgetView.h"
#include "widgets/NewYearWidgetView.h"
#include "widgets/PomodoroWidgetView.h"
#include "widgets/SeasonWidgetView.h"
#include "widgets/StopwatchWidgetView.h"
#include "widgets/UptimeWidgetView.h"
#include "widgets/WeekWidgetView.h"
#include "widgets/WeekendWidgetView.h"
#include "widgets/YearWidgetView.h"

namespace nivora {

WidgetFaceView* WidgetFaceFactory::create(WidgetKind kind, AppState& state,
                                          const WidgetFaceView::Environment& environment)
{
    switch (kind) {
    case WidgetKind::Clock:
        return new ClockWidgetView(state, environment);
    case WidgetKind::Date:
        return new DateWidgetView(environment);
    case WidgetKind::Ambiance:
        return new AmbianceWidgetView(state, environment);
    case WidgetKind::Year:
        return new YearWidgetView(environment);
    case WidgetKind::Pomodoro:
        return new PomodoroWidgetView(environment);
    case WidgetKind::Weekend:
        return new WeekendWidgetView(environment);
    case WidgetKind::Uptime:
        return new UptimeWidgetView(environment);
    case WidgetKind::Week:
        return new WeekWidgetView(environment);
    case WidgetKind::Season:
        return new SeasonWidgetView(environment);
    case WidgetKind::NewYear:
        return new NewYearWidgetView(environment);
    case WidgetKind::Stopwatch:
        return new StopwatchWidgetView(environment);
    case WidgetKind::Month:
        return new MonthWidgetView(environment);
    }
    return new ClockWidgetView(state, environment);
}

} // namespace nivora
