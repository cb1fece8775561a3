#pragma once

#include "design/SketchButtonStyle.h"

#include <QAbstractButton>
#include <QPointer>

namespace nivora {

class SpringAnimation;

// A push button drawn in the hand-drawn style of SketchButtonStyle. Its label is
// either the button's text (and icon), drawn in ink with the style's label font,
// or a content widget for richer labels (an icon, a text and a status dot in a
// row); the content sinks with the button and lets clicks through to it.
//
// The press is animated: pressing and releasing move `pressAmount` towards 1 and 0
// along the style's press spring, keeping the velocity when the direction changes.
class SketchButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(double pressAmount READ pressAmount NOTIFY pressAmountChanged)

public:
    explicit SketchButton(QWidget* parent = nullptr);
    explicit SketchButton(const QString& text, QWidget* parent = nullptr);
    ~SketchButton() override;

    QColor fill() const { return m_style.fill; }
    void setFill(const QColor& fill);
    quint64 seed() const { return m_style.seed; }
    void setSeed(quint64 seed);
    const SketchButtonStyle& sketchStyle() const { return m_style; }

    // Replaces the text label by `content` (owned by the button from then on);
    // nullptr goes back to the text label.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }

    // 0 when up, 1 when fully pressed; in between (or slightly beyond) while the
    // spring moves.
    double pressAmount() const { return m_pressAmount; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void pressAmountChanged(double pressAmount);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followDownState();
    void setPressAmount(double amount);
    void placeContent();
    QSizeF labelSize() const;

    SketchButtonStyle m_style;
    QPointer<QWidget> m_content;
    SpringAnimation* m_press = nullptr;
    double m_pressAmount = 0.0;
    bool m_shownDown = false;
};

} // namespace nivora
