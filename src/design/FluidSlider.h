#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>

namespace nivora {

class SpringAnimation;

// A labelled slider for a number from 0 to 1: a header row (symbol, title and the
// value as a whole percentage) above a capsule track with an accent fill and a
// round knob. A click jumps to the clicked point; while dragging, the knob and the
// percentage grow a little, along a spring.
//
// Keyboard: Left/Down and Right/Up move by 1 %, Page Down/Up by 10 %, Home and End
// go to 0 and 100 %. A value that is not a finite number (the settings file is not
// range-checked) shows "—" and is drawn as 0; the first edit replaces it.
class FluidSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)

public:
    explicit FluidSlider(QWidget* parent = nullptr);
    FluidSlider(const QString& title, const QString& icon, const QColor& accent, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString icon() const { return m_icon; }
    void setIcon(const QString& icon);
    QColor accent() const { return m_accent; }
    void setAccent(const QColor& accent);

    double value() const { return m_value; }
    // Shows `value` as it is (no clamping, so a stored value outside 0…1 shows as
    // such); emits valueChanged() when it differs.
    void setValue(double value);

    bool isDragging() const { return m_dragging; }

    // The text shown for the value (and read out by assistive technology):
    // the percentage unless the slider stands for another quantity, such as
    // minutes on a scale of its own.
    void setValueText(std::function<QString(double)> text);
    QString valueText() const;

    // The track: its left edge and width W in widget coordinates.
    QRectF trackRect() const;

    // Geometry of the track's parts for a value and a track width W.
    static double fillWidth(double value, double trackWidth);
    static double knobOffset(double value, double trackWidth);
    // The value a press at x (relative to the track's left edge) sets.
    static double valueAt(double x, double trackWidth);
    // The percentage text: the integer part of value × 100, or "—" when not finite.
    static QString percentText(double value);

    static constexpr double trackHeight = 26;
    static constexpr double grooveHeight = 10;
    static constexpr double knobDiameter = 20;
    static constexpr double draggingKnobDiameter = 24;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void valueChanged(double value);
    // Only for changes made by the user (mouse, keyboard, assistive technology).
    void valueEdited(double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class AccessibleFluidSlider;
    void init();
    void edit(double value);
    void setDragging(bool dragging);
    double headerHeight() const;

    QString m_title;
    QString m_icon;
    QColor m_accent;
    double m_value = 0.0;
    bool m_dragging = false;
    // 0 at rest, 1 while dragging; drives the knob size and the text scale.
    double m_grow = 0.0;
    SpringAnimation* m_growSpring = nullptr;
    std::function<QString(double)> m_valueText;
};

} // namespace nivora
