#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// The week number of today in the user's calendar.
class WeekWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit WeekWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
