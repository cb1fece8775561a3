#include "widgets/WeekWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

#include <QCoreApplication>

namespace nivora {

WeekWidgetView::WeekWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Week, environment, parent)
{
}

FaceStack WeekWidgetView::build() const
{
    const auto w = WidgetFaceContent::week(clock().now(), calendar());
    FaceStack stack(2);
    stack.text(QCoreApplication::translate("WeekWidgetView", "SEMAINE"),
               Fonts::font(10, QFont::ExtraBold, 1.5), Theme::blue());
    stack.text(w.number, Fonts::font(52, QFont::ExtraBold), Theme::ink());
    // The same text in 53-week years: the face counts weeks, it does not
    // promise a total.
    stack.text(QCoreApplication::translate("WeekWidgetView", "sur 52"), Fonts::font(12, QFont::DemiBold),
               Theme::inkSoft());
    return stack;
}

} // namespace nivora
