#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// Days and hours until Saturday midnight, or a celebration at the weekend.
class WeekendWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit WeekendWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
