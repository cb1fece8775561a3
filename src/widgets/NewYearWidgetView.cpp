#include "widgets/NewYearWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

namespace nivora {

NewYearWidgetView::NewYearWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::NewYear, environment, parent)
{
}

FaceStack NewYearWidgetView::build() const
{
    const auto n = WidgetFaceContent::newYear(clock().now(), calendar());
    FaceStack stack(2);
    stack.text(n.title, Fonts::font(9, QFont::ExtraBold, 1), Theme::purple());
    stack.text(n.countdown, Fonts::font(44, QFont::ExtraBold), Theme::ink());
    stack.text(n.daysLine, Fonts::font(11, QFont::Medium), Theme::inkSoft());
    return stack;
}

} // namespace nivora
