#pragma once

#include <QWidget>
#include <functional>

namespace nivora {

class SplashView;

// The borderless splash window: the splash card centred on the primary screen,
// above normal windows.
//
// With a compositing manager the window is translucent: the card's corners show
// what lies behind, a soft shadow falls around the card, and fadeOut() lowers the
// window's opacity to nothing. Without one, transparent pixels would show black,
// so the window is exactly the card and cut to its rounded shape (a window mask),
// and fadeOut() simply waits the fade's time before finishing.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    // Room around the card for the shadow when translucent.
    static constexpr int shadowMargin = 24;
    static constexpr int fadeMs = 400;

    // `composited`: whether a compositing manager runs now.
    explicit SplashWindow(bool composited, QWidget* parent = nullptr);

    bool isComposited() const { return m_composited; }
    SplashView* view() const { return m_view; }

    // Centres the window on the primary screen and shows it in front.
    void present();
    // Fades out over fadeMs, then hides and calls `done`.
    void fadeOut(std::function<void()> done);

Q_SIGNALS:
    // The window painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_composited;
    bool m_painted = false;
    SplashView* m_view = nullptr;
};

} // namespace nivora
