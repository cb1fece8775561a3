#pragma once

#include <QList>
#include <QWidget>
#include <memory>

class QVBoxLayout;

namespace nivora {

class AppState;
class DisplayList;
class ScreenProvider;
class ScreenSourceEditor;
class SegmentedSelector;
class SwitchToggle;

// The "Écrans" page: one row per connected screen, primary first, with a
// switch for the wallpaper on that screen. The rows follow screens being
// connected and disconnected while the page is shown. The last screen that
// shows the wallpaper cannot be switched off, and switching every screen on
// stores "every display" so that screens connected later are served too.
// Each row also chooses whether the screen shows the main settings ("Comme
// l'écran principal") or values of its own ("Personnalisé"); choosing the
// latter makes it the screen the Scenes, Colours and Media pages edit.
class DisplaysPage : public QWidget
{
    Q_OBJECT

public:
    // The page over the settings it edits and the screens it lists.
    // `editor`, when given, is told which screen became custom.
    DisplaysPage(AppState& state, std::unique_ptr<ScreenProvider> screens, QWidget* parent = nullptr,
                 ScreenSourceEditor* editor = nullptr);
    // The same over the process's settings and Qt's screens.
    explicit DisplaysPage(QWidget* parent = nullptr);
    // Over the process's settings and another list of screens (tests).
    DisplaysPage(std::unique_ptr<ScreenProvider> screens, QWidget* parent = nullptr);
    ~DisplaysPage() override;

    const DisplayList& displays() const { return *m_list; }
    // The switches, in row order.
    const QList<SwitchToggle*>& switches() const { return m_switches; }
    // The main-or-custom choices, in row order (option 1 is "Personnalisé").
    const QList<SegmentedSelector*>& sourceChoices() const { return m_sourceChoices; }

private:
    void rebuildRows();
    void showStates();
    void requestToggle(quint32 id, bool on);
    void chooseSource(const QString& screen, bool custom);

    AppState& m_state;
    std::unique_ptr<ScreenProvider> m_screens;
    std::unique_ptr<DisplayList> m_list;
    QVBoxLayout* m_rows = nullptr;
    QList<QWidget*> m_rowWidgets;
    QList<SwitchToggle*> m_switches;
    QList<SegmentedSelector*> m_sourceChoices;
    QStringList m_rowNames;
    ScreenSourceEditor* m_editor = nullptr;
    QList<quint32> m_rowIDs;
};

} // namespace nivora
