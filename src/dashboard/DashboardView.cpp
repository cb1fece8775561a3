#include "dashboard/DashboardView.h"

#include "dashboard/DashboardPages.h"
#include "dashboard/SidebarView.h"
#include "design/Backdrop.h"
#include "state/AppState.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QVariantAnimation>

namespace nivora {

namespace {

// Holds a picture of the page being left and fades it out over the new one.
class FadeOverlay : public QWidget
{
public:
    explicit FadeOverlay(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents, true);
        hide();
    }

    QPixmap picture;
    double opacity = 0.0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (picture.isNull() || opacity <= 0)
            return;
        QPainter painter(this);
        painter.setOpacity(opacity);
        painter.drawPixmap(0, 0, picture);
    }
};

} // namespace

NavSection DashboardView::initialSection(bool signedIn)
{
    return signedIn ? NavSection::Scenes : NavSection::Account;
}

DashboardView::DashboardView(AppState& state, bool signedIn, QWidget* parent)
    : QWidget(parent), m_state(state), m_context(state), m_section(initialSection(signedIn))
{
    setMinimumSize(1040, 700);

    m_backdrop = new Backdrop(this);
    m_backdrop->lower();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_sidebar = new SidebarView(state, this);
    connect(m_sidebar, &SidebarView::sectionRequested, this, &DashboardView::setSection);
    row->addWidget(m_sidebar);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The scroll area is no Tab stop of its own: the page's controls are, and the
    // area scrolls to show whichever has the focus.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    // Transparent, so the backdrop's dots show behind the pages.
    m_scroll->setAutoFillBackground(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_host = new QWidget;
    m_host->setAutoFillBackground(false);
    m_scroll->setWidget(m_host);
    row->addWidget(m_scroll, 1);

    m_fadeOverlay = new FadeOverlay(m_scroll->viewport());
    m_fade = new QVariantAnimation(this);
    m_fade->setDuration(220);
    m_fade->setEasingCurve(QEasingCurve::OutCubic);
    m_fade->setStartValue(1.0);
    m_fade->setEndValue(0.0);
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        auto* overlay = static_cast<FadeOverlay*>(m_fadeOverlay);
        overlay->opacity = v.toDouble();
        overlay->update();
    });
    connect(m_fade, &QVariantAnimation::finished, this, &DashboardView::dropFadePicture);

    m_sidebar->setSection(m_section);
    showPage(m_section, false);
}

bool DashboardView::isFading() const
{
    return m_fade->state() == QAbstractAnimation::Running;
}

void DashboardView::setSection(NavSection section)
{
    if (section == m_section)
        return;
    m_section = section;
    m_sidebar->setSection(section);
    showPage(section, isVisible());
    Q_EMIT sectionChanged(section);
}

void DashboardView::showPage(NavSection section, bool fade)
{
    auto* overlay = static_cast<FadeOverlay*>(m_fadeOverlay);
    if (fade && m_page) {
        overlay->picture = m_scroll->viewport()->grab();
        overlay->opacity = 1.0;
        overlay->setGeometry(m_scroll->viewport()->rect());
        overlay->show();
        overlay->raise();
    }

    // The previous page goes with its whole widget tree: pages are rebuilt from
    // the stores each time, so a section always opens fresh and at the top.
    delete m_page;
    delete m_host->layout();

    auto* column = new QVBoxLayout(m_host);
    column->setContentsMargins(pagePadding, pagePadding, pagePadding, pagePadding);
    column->setSpacing(0);
    auto* line = new QHBoxLayout;
    line->setSpacing(0);
    m_page = createPage(section, m_context, m_host);
    m_page->setMaximumWidth(pageMaximumWidth);
    m_page->setSizePolicy(QSizePolicy::Expanding, m_page->sizePolicy().verticalPolicy());
    line->addWidget(m_page, 1, Qt::AlignTop);
    line->addStretch(0);
    column->addLayout(line);
    column->addStretch(1);
    m_page->show();

    m_scroll->verticalScrollBar()->setValue(0);
    if (fade && !overlay->picture.isNull())
        m_fade->start();
    else
        overlay->hide();
}

void DashboardView::dropFadePicture()
{
    auto* overlay = static_cast<FadeOverlay*>(m_fadeOverlay);
    overlay->hide();
    overlay->picture = QPixmap();
}

void DashboardView::hideEvent(QHideEvent* event)
{
    // A fade left running on a closed window keeps its timer and the old
    // page's picture for nothing.
    if (m_fade->state() == QAbstractAnimation::Running) {
        m_fade->stop();
        dropFadePicture();
    }
    QWidget::hideEvent(event);
}

void DashboardView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_backdrop->setGeometry(rect());
    m_fadeOverlay->setGeometry(m_scroll->viewport()->rect());
}

} // namespace nivora
