#pragma once

#include <QWidget>
#include <functional>

class QAbstractButton;

namespace nivora {

class AppState;
class FluidSlider;
class PillToggle;
class PreviewCard;
class SymbolTextLabel;
class SketchButton;

// The tray popover's content: the brand row, the live preview card with the
// previous / next buttons, the animated-wallpaper switch, the speed slider, the
// button that opens the dashboard and the quit button. Every control writes the
// settings store and follows it, so changes made elsewhere show here at once.
class MenuBarView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int viewWidth = 300;

    MenuBarView(AppState& state, std::function<void()> openSettings, std::function<void()> quit,
                QWidget* parent = nullptr);

    PreviewCard* previewCard() const { return m_preview; }
    PillToggle* runningToggle() const { return m_running; }
    FluidSlider* speedSlider() const { return m_speed; }
    SketchButton* dashboardButton() const { return m_dashboard; }
    QAbstractButton* quitButton() const { return m_quit; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void followRunning(bool running);

    AppState& m_state;
    PreviewCard* m_preview = nullptr;
    PillToggle* m_running = nullptr;
    FluidSlider* m_speed = nullptr;
    SketchButton* m_dashboard = nullptr;
    QAbstractButton* m_quit = nullptr;
    SymbolTextLabel* m_dashboardLabel = nullptr;
};

} // namespace nivora
