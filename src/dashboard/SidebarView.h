#pragma once

#include "model/NavSection.h"

#include <QList>
#include <QWidget>

namespace nivora {

class AppState;
class MiniPreview;
class SidebarRow;
class SketchButton;
class StatBadge;

// The dashboard's left column: the brand header, one row per section, a live
// thumbnail of the current palette and scene, and the master control that starts
// or pauses the wallpaper with two badges (frame rate, scene). Everything below
// the rows follows the settings store as it changes, whoever changes it.
class SidebarView : public QWidget
{
    Q_OBJECT

public:
    explicit SidebarView(AppState& state, QWidget* parent = nullptr);

    NavSection section() const { return m_section; }
    // Marks `section`'s row; does not emit sectionRequested().
    void setSection(NavSection section);

    SidebarRow* row(NavSection section) const;
    const QList<SidebarRow*>& rows() const { return m_rows; }
    SketchButton* masterButton() const { return m_master; }
    // The master button's label: "Fond actif" or "Fond en pause".
    QString masterText() const;
    StatBadge* fpsBadge() const { return m_fpsBadge; }
    StatBadge* sceneBadge() const { return m_sceneBadge; }
    MiniPreview* preview() const { return m_preview; }

    static constexpr int fixedWidth = 240;

Q_SIGNALS:
    // The user picked a section's row.
    void sectionRequested(nivora::NavSection section);
    // "Quitter Nivora": on desktops without a tray (GNOME), the dashboard is
    // the only place left to quit from.
    void quitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshMaster();
    void refreshBadges();
    void refreshPreview();

    AppState& m_state;
    NavSection m_section = NavSection::Scenes;
    QList<SidebarRow*> m_rows;
    MiniPreview* m_preview = nullptr;
    SketchButton* m_master = nullptr;
    QWidget* m_masterLabel = nullptr;
    StatBadge* m_fpsBadge = nullptr;
    StatBadge* m_sceneBadge = nullptr;
};

} // namespace nivora
