#include "widgets/WeekendWidgetView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/WidgetFaceContent.h"

#include <QCoreApplication>

namespace nivora {

WeekendWidgetView::WeekendWidgetView(const Environment& environment, QWidget* parent)
    : WidgetFaceView(WidgetKind::Weekend, environment, parent)
{
}

FaceStack WeekendWidgetView::build() const
{
    using Mode = WidgetFaceContent::Weekend::Mode;
    const auto w = WidgetFaceContent::weekend(clock().now(), calendar());
    switch (w.mode) {
    case Mode::Celebration: {
        FaceStack stack(4);
        stack.text(QStringLiteral("🎉"), Fonts::emoji(30), Theme::ink());
        stack.text(QCoreApplication::translate("WeekendWidgetView", "C'est le week-end !"),
                   Fonts::font(19, QFont::ExtraBold), Theme::ink());
        return stack;
    }
    case Mode::Soon: {
        FaceStack stack(0);
        stack.text(QCoreApplication::translate("WeekendWidgetView", "Bientôt le week-end"),
                   Fonts::font(17, QFont::Normal), Theme::ink());
        return stack;
    }
    case Mode::Countdown:
        break;
    }
    FaceStack stack(2);
    stack.text(QCoreApplication::translate("WeekendWidgetView", "AVANT LE WEEK-END"),
               Fonts::font(9, QFont::ExtraBold, 1), Theme::blue());
    stack.text(w.countdown, Fonts::font(28, QFont::ExtraBold), Theme::ink());
    return stack;
}

} // namespace nivora
