#include "dashboard/SwitchToggle.h"

#include "design/DesignAccessibility.h"
#include "design/SpringAnimation.h"
#include "design/Theme.h"

#include <QPainter>

namespace nivora {

SwitchToggle::SwitchToggle(const QColor& accent, QWidget* parent) : QAbstractButton(parent), m_accent(accent)
{
    setCheckable(true);
    DesignAccessibility::setRole(this, QAccessible::CheckBox);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
    m_spring = new SpringAnimation(this);
    m_spring->setSpring(Spring(0.3, 0.7));
    connect(m_spring, &SpringAnimation::valueChanged, this, [this](double v) {
        m_knob = v;
        update();
    });
}

void SwitchToggle::setOn(bool on)
{
    if (on == isChecked())
        return;
    setChecked(on);
    if (isVisible()) {
        m_spring->animateTo(on ? 1.0 : 0.0);
    } else {
        m_spring->setValue(on ? 1.0 : 0.0);
        m_knob = on ? 1.0 : 0.0;
    }
    update();
}

void SwitchToggle::nextCheckState()
{
    // The owner applies its rule first (the last display cannot go off).
    Q_EMIT toggleRequested(!isChecked());
}

void SwitchToggle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule(2, 2, 48, 28);
    const double t = std::clamp(m_knob, 0.0, 1.0);
    QColor fill = Theme::paper3();
    if (t > 0) {
        const QColor a = Theme::paper3();
        fill = QColor::fromRgbF(float(a.redF() + (m_accent.redF() - a.redF()) * t),
                                float(a.greenF() + (m_accent.greenF() - a.greenF()) * t),
                                float(a.blueF() + (m_accent.blueF() - a.blueF()) * t));
    }
    painter.setBrush(fill);
    painter.setPen(QPen(hasFocus() ? Theme::blue() : Theme::ink(), 2));
    painter.drawRoundedRect(capsule, 14, 14);
    const double knob = 22;
    const double x = capsule.left() + 3 + m_knob * (capsule.width() - knob - 6);
    painter.setBrush(Theme::paper());
    painter.setPen(QPen(Theme::ink(), 2));
    painter.drawEllipse(QRectF(x, capsule.top() + 3, knob, knob));
}

} // namespace nivora
