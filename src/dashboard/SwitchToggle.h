#pragma once

#include <QAbstractButton>
#include <QColor>

namespace nivora {

class SpringAnimation;

// A bare on/off switch without a label: a capsule that takes the accent colour
// when on, with a paper knob that slides across on a spring. Whether it is on
// is decided by its owner (setOn); a click only emits clicked(wanted).
class SwitchToggle : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SwitchToggle(const QColor& accent, QWidget* parent = nullptr);

    bool isOn() const { return isChecked(); }
    void setOn(bool on);
    // 0 off, 1 on; in between while the knob moves.
    double knobPosition() const { return m_knob; }

    QSize sizeHint() const override { return QSize(52, 32); }

Q_SIGNALS:
    // The user asked for `on`.
    void toggleRequested(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    QColor m_accent;
    double m_knob = 0.0;
    SpringAnimation* m_spring = nullptr;
};

} // namespace nivora
