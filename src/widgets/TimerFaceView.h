#pragma once

#include "widgets/TimerModel.h"
#include "widgets/WidgetFaceView.h"

namespace nivora {

// The face shared by the focus timer and the stopwatch: a label, the time as
// "mm:ss" in equal-width digits, and start/pause and reset buttons. The face
// owns its model, so the count lives exactly as long as the face; it redraws
// when the model changes and has no timer of its own.
class TimerFaceView : public WidgetFaceView
{
    Q_OBJECT

public:
    enum Action
    {
        ToggleAction = 1,
        ResetAction = 2
    };

    TimerModel& model() const { return *m_model; }

    // Does what the button with `action` does (for keyboard and assistive use).
    void triggerAction(int action) { buttonClicked(action); }

protected:
    // Takes ownership of `model`.
    TimerFaceView(WidgetKind kind, TimerModel* model, const QString& label, const QColor& labelColor,
                  const Environment& environment, QWidget* parent);

    FaceStack build() const override;
    void buttonClicked(int action) override;

private:
    TimerModel* m_model;
    QString m_label;
    QColor m_labelColor;
};

} // namespace nivora
