#include "dashboard/DashboardWindow.h"

#include "assets/Fonts.h"
#include "dashboard/DashboardView.h"
#include "dashboard/IconsPage.h"
#include "design/Theme.h"
#include "platform/FreedMemory.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace nivora {

DashboardWindow::DashboardWindow(AppState& state, bool signedIn, QWidget* parent)
    : QWidget(parent, Qt::Window)
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
    m_view = new DashboardView(state, signedIn, this);
    layout->addWidget(m_view);

    setMinimumSize(minimumContentSize);
    resize(initialSize);
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
