#pragma once

#include <QWidget>

namespace nivora {

class AppState;
class PillToggle;
class SegmentedSelector;

// The "Performance" page: the frame rate, the battery saver, the pause under
// fullscreen windows and launch at login, then a card on how the engine is
// built. The login switch shows what the system really registered.
class PerformancePage : public QWidget
{
    Q_OBJECT

public:
    explicit PerformancePage(QWidget* parent = nullptr);

    SegmentedSelector* fpsSelector() const { return m_fps; }
    PillToggle* batterySaverToggle() const { return m_battery; }
    PillToggle* pauseToggle() const { return m_pause; }
    PillToggle* loginToggle() const { return m_login; }

private:
    QWidget* buildSettings();
    QWidget* buildEngineCard();

    AppState& m_state;
    SegmentedSelector* m_fps = nullptr;
    PillToggle* m_battery = nullptr;
    PillToggle* m_pause = nullptr;
    PillToggle* m_login = nullptr;
    PillToggle* m_shellBackground = nullptr; // on GNOME only
};

} // namespace nivora
