#include "widgets/SeasonWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

namespace nivora {

SeasonWidgetView::SeasonWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Season, environment, parent)
{
}

FaceStack SeasonWidgetView::build() const
{
    const auto s = WidgetFaceContent::season(clock().now(), calendar());
    FaceStack stack(6);
    stack.text(s.emoji, Fonts::emoji(34), Theme::ink());
    stack.text(s.name, Fonts::font(24, QFont::ExtraBold), Theme::ink());
    stack.capsule(s.color);
    return stack;
}

} // namespace nivora
