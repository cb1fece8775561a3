#pragma once

#include "widgets/WidgetFaceView.h"

namespace nivora {

// How long the machine has been on.
class UptimeWidgetView : public WidgetFaceView
{
    Q_OBJECT

public:
    explicit UptimeWidgetView(const Environment& environment = Environment(), QWidget* parent = nullptr);

protected:
    FaceStack build() const override;
};

} // namespace nivora
