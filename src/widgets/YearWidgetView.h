#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// How far through the year today is.
class YearWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit YearWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
