#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// Days left until the new year.
class NewYearWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit NewYearWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
