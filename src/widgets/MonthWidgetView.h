#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// How far through the month today is.
class MonthWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit MonthWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
