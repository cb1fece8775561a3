#pragma once

#include "dashboard/PageContext.h"
#include "model/NavSection.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QScrollArea;
class QVariantAnimation;

namespace nivora {

class AppState;
class Backdrop;
class SidebarView;

// The dashboard: the dotted paper backdrop, the sidebar on the left and, on the
// right, the scrolling page of the selected section (at most 1000 wide, padded
// 30). A change of section builds the new page, scrolls back to the top and fades
// the old page out over it.
//
// The first section is chosen once, when the view is made: the scenes when a user
// is signed in, the account otherwise.
class DashboardView : public QWidget
{
    Q_OBJECT

public:
    DashboardView(AppState& state, bool signedIn, QWidget* parent = nullptr);

    static NavSection initialSection(bool signedIn);

    NavSection section() const { return m_section; }
    void setSection(NavSection section);

    SidebarView* sidebar() const { return m_sidebar; }
    QScrollArea* scrollArea() const { return m_scroll; }
    // The page now shown.
    QWidget* page() const { return m_page; }
    // True while the previous page fades out.
    bool isFading() const;

    static constexpr int pageMaximumWidth = 1000;
    static constexpr int pagePadding = 30;

Q_SIGNALS:
    void sectionChanged(nivora::NavSection section);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showPage(NavSection section, bool fade);
    void dropFadePicture();

    AppState& m_state;
    // The pages get the settings the view was given, and the process's own
    // account, background sync and platform.
    PageContext m_context;
    NavSection m_section;
    Backdrop* m_backdrop = nullptr;
    SidebarView* m_sidebar = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_host = nullptr;
    QPointer<QWidget> m_page;
    QWidget* m_fadeOverlay = nullptr;
    QVariantAnimation* m_fade = nullptr;
};

} // namespace nivora
