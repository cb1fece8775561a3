#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// Weekday, day of the month, month and year.
class DateWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit DateWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
