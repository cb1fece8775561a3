#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

class AppState;

// The current scene and palette; redrawn when the settings store changes them,
// never by time.
class AmbianceWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit AmbianceWidgetView(AppState& state, const Environment& environment = Environment(),
                                QWidget* parent = nullptr);

protected:
    FaceStack build() const override;

private:
    AppState& m_state;
};

} // namespace nivora
