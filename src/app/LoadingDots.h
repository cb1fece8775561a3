#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

namespace nivora {

class SpringAnimation;

// Three crayon dots that hop in turn, three steps a second. The phase comes
// from the wall clock (seconds since 1 January 2001, 00:00 UTC, times three),
// so every view shows the same dot at the same moment whatever its frame rate.
// Exactly one dot is the active one: it grows to 1.5 times its size and rises
// by 5, along a spring; the others settle back.
//
// Nothing runs per frame: a timer wakes at the next step boundary and the
// springs repaint only while they move. Nothing runs at all while hidden.
class LoadingDots : public QWidget
{
    Q_OBJECT

public:
    // Seconds since 1 January 2001, 00:00 UTC.
    using Clock = std::function<double()>;

    static constexpr int count = 3;
    static constexpr double dotSize = 13;
    static constexpr double spacing = 12;
    static constexpr double raisedScale = 1.5;
    static constexpr double raisedLift = 5;
    static constexpr double lineWidth = 1.5;

    explicit LoadingDots(QWidget* parent = nullptr);

    // The active dot at time `seconds` of the clock above.
    static int activeDot(double seconds);
    // The wall clock in that unit.
    static double secondsSinceReferenceDate();

    // Replaces the clock (tests freeze it) and follows it at once.
    void setClock(Clock clock);

    int active() const { return m_active; }
    // How far dot `index` is raised: 0 at rest, 1 raised (a spring may pass 1).
    double raise(int index) const;
    // The dot's drawn circle in widget coordinates for its current raise.
    QRectF dotRect(int index) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step();

    Clock m_clock;
    int m_active = -1;
    std::array<SpringAnimation*, count> m_springs{};
    QTimer m_stepTimer;
};

} // namespace nivora
