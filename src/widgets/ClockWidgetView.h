#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

class AppState;

// The time, and the date below it while the setting asks for it. The setting is
// observed, so turning the date line off changes the face at once.
class ClockWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit ClockWidgetView(AppState& state, const Environment& environment = Environment(),
                             QWidget* parent = nullptr);

protected:
    FaceStack build() const override;

private:
    AppState& m_state;
};

} // namespace nivora
