#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// The meteorological season of today.
class SeasonWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit SeasonWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
