#include "widgets/MonthWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

namespace nivora {

MonthWidgetView::MonthWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Month, environment, parent)
{
}

FaceStack MonthWidgetView::build() const
{
    const auto p = WidgetFaceContent::month(clock().now(), calendar());
    FaceStack stack(8);
    stack.text(p.title, Fonts::font(10, QFont::ExtraBold, 1), Theme::coral());
    stack.text(p.percent, Fonts::font(30, QFont::ExtraBold), Theme::ink());
    stack.bar(p.value, p.total, Theme::coral());
    stack.text(p.dayLine, Fonts::font(11, QFont::Medium), Theme::inkSoft());
    return stack;
}

} // namespace nivora
