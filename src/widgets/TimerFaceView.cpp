#include "widgets/TimerFaceView.h"

#include "assets/Fonts.h"
#include "design/Theme.h"
#include "widgets/TimerFaceAccessibility.h"
#include "widgets/WidgetFaceContent.h"

#include <QCoreApplication>

namespace nivora {

TimerFaceView::TimerFaceView(WidgetKind kind, TimerModel* model, const QString& label,
                             const QColor& labelColor, const Environment& environment, QWidget* parent)
    : WidgetFaceView(kind, environment, parent), m_model(model), m_label(label), m_labelColor(labelColor)
{
    TimerFaceAccessibility::install();
    m_model->setParent(this);
    connect(m_model, &TimerModel::displaySecondsChanged, this, &TimerFaceView::refresh);
    connect(m_model, &TimerModel::runningChanged, this, &TimerFaceView::refresh);
}

FaceStack TimerFaceView::build() const
{
    FaceStack stack(8);
    stack.text(QCoreApplication::translate("TimerFaceView", m_label.toUtf8().constData()),
               Fonts::font(10, QFont::ExtraBold, 1.5), m_labelColor);
    stack.digits(WidgetFaceContent::timerText(m_model->displaySeconds()), Fonts::font(42, QFont::ExtraBold),
                 Theme::ink());
    stack.buttons({
        {m_model->running() ? QStringLiteral("pause.fill") : QStringLiteral("play.fill"), Theme::green(),
         ToggleAction},
        {QStringLiteral("arrow.counterclockwise"), Theme::paper3(), ResetAction},
    });
    return stack;
}

void TimerFaceView::buttonClicked(int action)
{
    if (action == ToggleAction)
        m_model->toggle();
    else if (action == ResetAction)
        m_model->reset();
}

} // namespace nivora
