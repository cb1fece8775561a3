#pragma once

#include "model/NavSection.h"

#include <QWidget>

namespace nivora {

class AppState;
class DashboardView;

// The settings window: an ordinary decorated top-level window titled "Nivora",
// 1080 × 720 at first and centred on its first showing, never smaller than
// 1040 × 700. It is made once and kept; closing it only hides it. A change of
// the interface's language builds its content again, on the same section.
class DashboardWindow : public QWidget
{
    Q_OBJECT

public:
    DashboardWindow(AppState& state, bool signedIn, QWidget* parent = nullptr);

    DashboardView* view() const { return m_view; }
    NavSection section() const;
    void setSection(NavSection section);

    // Shows the window (centred the first time), brings it to the front and gives
    // it the keyboard; a minimised window is restored.
    void present();

    static constexpr QSize initialSize{1080, 720};
    static constexpr QSize minimumContentSize{1040, 700};

Q_SIGNALS:
    // "Quitter Nivora" in the sidebar.
    void quitRequested();

protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildView(NavSection section);

    AppState& m_state;
    bool m_signedIn;
    DashboardView* m_view = nullptr;
    bool m_rebuildPending = false;
    bool m_placed = false;
};

} // namespace nivora
