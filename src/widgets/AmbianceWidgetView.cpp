#include "widgets/AmbianceWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "state/AppState.h"
#include "widgets/WidgetFaceContent.h"

#include <QCoreApplication>

namespace nivora {

AmbianceWidgetView::AmbianceWidgetView(AppState& state, const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Ambiance, environment, parent), m_state(state)
{
    connect(&state, &AppState::sceneIndexChanged, this, &AmbianceWidgetView::refresh);
    connect(&state, &AppState::paletteColorsChanged, this, &AmbianceWidgetView::refresh);
}

FaceStack AmbianceWidgetView::build() const
{
    const auto a = WidgetFaceContent::ambiance(m_state.sceneIndex(), m_state.paletteColors());
    FaceStack stack(10);
    stack.text(QCoreApplication::translate("AmbianceWidgetView", "AMBIANCE"),
               Fonts::font(9, QFont::ExtraBold, 1.2), Theme::coral());
    stack.text(a.sceneName, Fonts::font(24, QFont::ExtraBold), Theme::ink());
    stack.swatches(a.swatches);
    return stack;
}

} // namespace nivora
