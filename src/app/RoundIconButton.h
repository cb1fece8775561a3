#pragma once

#include <QAbstractButton>

namespace nivora {

// The popover's small round button: a 28 × 28 paper disc outlined in ink with a
// heavy chevron, pointing left or right.
class RoundIconButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Chevron
    {
        Left,
        Right
    };

    static constexpr int side = 28;

    explicit RoundIconButton(Chevron chevron, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(side, side); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Chevron m_chevron;
};

} // namespace nivora
