#pragma once

#include <QWidget>

namespace nivora {

class LoadingDots;

// The splash card: the brand mark, the product name, the tagline and the
// loading dots on a paper card with rounded corners (radius 26), outlined in
// faint ink. Outside the rounded card it paints nothing, so the window around
// it decides what shows there.
class SplashView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int cardWidth = 440;
    static constexpr int cardHeight = 320;
    static constexpr double cornerRadius = 26;

    explicit SplashView(QWidget* parent = nullptr);

    LoadingDots* dots() const { return m_dots; }

    // The card's outline in this view's coordinates.
    static QPainterPath cardPath();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LoadingDots* m_dots = nullptr;
};

} // namespace nivora
