#include "dashboard/DashboardWindow.h"

#include "assets/Fonts.h"
#include "dashboard/DashboardView.h"
#include "dashboard/IconsPage.h"
#include "dashboard/SidebarView.h"
#include "design/Theme.h"
#include "platform/FreedMemory.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace nivora {

DashboardWindow::DashboardWindow(AppState& state, bool signedIn, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_signedIn(signedIn)
{
    setObjectName(QStringLiteral("dashboard"));
    setWindowTitle(QStringLiteral("Nivora"));
    // Closing hides the window; the application keeps it for the next opening.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);

    // Light paper whatever the desktop's colour scheme, and Nunito throughout.
    QPalette p = palette();
    p.setColor(QPalette::Window, Theme::paper());
    p.setColor(QPalette::WindowText, Theme::ink());
    p.setColor(QPalette::Base, Theme::paper());
    p.setColor(QPalette::Text, Theme::ink());
    p.setColor(QPalette::Button, Theme::paper2());
    p.setColor(QPalette::ButtonText, Theme::ink());
    setPalette(p);
    setAutoFillBackground(true);
    setFont(Fonts::font(13, QFont::Normal));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildView(DashboardView::initialSection(signedIn));

    setMinimumSize(minimumContentSize);
    resize(initialSize);
}

void DashboardWindow::buildView(NavSection section)
{
    auto* view = new DashboardView(m_state, m_signedIn, this);
    view->setSection(section);
    connect(view->sidebar(), &SidebarView::quitRequested, this, &DashboardWindow::quitRequested);
    if (m_view) {
        layout()->replaceWidget(m_view, view);
        // The control that changed the language may be inside the old view
        // and still on the stack: it goes once the event loop is back.
        m_view->hide();
        m_view->deleteLater();
    } else {
        layout()->addWidget(view);
    }
    m_view = view;
}

void DashboardWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Every page and the sidebar are made from the texts of the language in
    // force when they are built; building them again is the one way that
    // leaves no text behind. Swapping translators sends the event twice (one
    // out, one in): the content is built once, after both.
    if (event->type() != QEvent::LanguageChange || !m_view || m_rebuildPending)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildPending = false;
        buildView(m_view->section());
    });
}

NavSection DashboardWindow::section() const
{
    return m_view->section();
}

void DashboardWindow::setSection(NavSection section)
{
    m_view->setSection(section);
}

void DashboardWindow::present()
{
    if (!m_placed) {
        m_placed = true;
        // No control takes the focus by itself on opening (its focus mark would
        // look like a selection); the first Tab goes to the first row.
        setFocus(Qt::OtherFocusReason);
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect available = screen->availableGeometry();
            QRect frame(QPoint(0, 0), size());
            frame.moveCenter(available.center());
            move(frame.topLeft());
        }
        // The Icons page's 27 pictures, drawn while the user looks at the
        // first page, so that its first visit opens as fast as the others.
        QTimer::singleShot(500, this, [this] { IconsPage::prepareCells(devicePixelRatioF()); });
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void DashboardWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // What the shown pages freed (their last frames, paint caches) goes back
    // to the system once the hide is done, not at the next opening.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [] { FreedMemory::release(); });
}

} // namespace nivora
