#include "widgets/ClockWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "state/AppState.h"
#include "widgets/WidgetFaceContent.h"

namespace nivora {

ClockWidgetView::ClockWidgetView(AppState& state, const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Clock, environment, parent), m_state(state)
{
    connect(&state, &AppState::clockWidgetShowsDateChanged, this, &ClockWidgetView::refresh);
}

FaceStack ClockWidgetView::build() const
{
    const auto c = WidgetFaceContent::clock(clock().now(), calendar(), m_state.clockWidgetShowsDate());
    FaceStack stack(4);
    stack.text(c.time, Fonts::font(48, QFont::ExtraBold), Theme::ink());
    if (!c.dateLine.isEmpty())
        stack.text(c.dateLine, Fonts::font(13, QFont::DemiBold), Theme::inkSoft());
    return stack;
}

} // namespace nivora
