#include "widgets/UptimeWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

#include <QCoreApplication>

namespace nivora {

UptimeWidgetView::UptimeWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Uptime, environment, parent)
{
}

FaceStack UptimeWidgetView::build() const
{
    FaceStack stack(4);
    stack.text(QCoreApplication::translate("UptimeWidgetView", "PC ALLUMÉ DEPUIS"),
               Fonts::font(9, QFont::ExtraBold, 1), Theme::green());
    stack.text(WidgetFaceContent::uptime(clock().uptimeMilliseconds()), Fonts::font(26, QFont::ExtraBold),
               Theme::ink());
    return stack;
}

} // namespace nivora
