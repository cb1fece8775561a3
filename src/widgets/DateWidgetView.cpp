#include "widgets/DateWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

namespace nivora {

DateWidgetView::DateWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Date, environment, parent)
{
}

FaceStack DateWidgetView::build() const
{
    const auto d = WidgetFaceContent::date(clock().now(), calendar());
    FaceStack stack(0);
    stack.text(d.weekday, Fonts::font(12, QFont::ExtraBold, 1), Theme::coral());
    stack.text(d.day, Fonts::font(58, QFont::ExtraBold), Theme::ink());
    stack.text(d.monthYear, Fonts::font(13, QFont::DemiBold), Theme::inkSoft());
    return stack;
}

} // namespace nivora
