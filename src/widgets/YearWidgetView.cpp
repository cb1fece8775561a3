#include "widgets/YearWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

namespace nivora {

YearWidgetView::YearWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Year, environment, parent)
{
}

FaceStack YearWidgetView::build() const
{
    const auto p = WidgetFaceContent::year(clock().now(), calendar());
    FaceStack stack(8);
    stack.text(p.title, Fonts::font(9, QFont::ExtraBold, 1), Theme::green());
    stack.text(p.percent, Fonts::font(30, QFont::ExtraBold), Theme::ink());
    stack.bar(p.value, p.total, Theme::green());
    stack.text(p.dayLine, Fonts::font(11, QFont::Medium), Theme::inkSoft());
    return stack;
}

} // namespace nivora
