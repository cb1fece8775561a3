#include "dashboard/SidebarView.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "dashboard/PageText.h"
#include "dashboard/SidebarRow.h"
#include "design/BrandMark.h"
#include "design/DesignAccessibility.h"
#include "design/MiniPreview.h"
#include "design/SketchButton.h"
#include "design/StatBadge.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "model/UiLanguage.h"
#include "state/AppState.h"
#include "state/SafeIndex.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

using PageText::label;

// The master button's label: a play or pause symbol, the state in words, and a
// status dot at the trailing edge.
class MasterLabel : public QWidget
{
public:
    explicit MasterLabel(QWidget* parent) : QWidget(parent) {}

    void setRunning(bool running)
    {
        m_running = running;
        update();
    }
    QString text() const
    {
        return m_running ? QCoreApplication::translate("SidebarView", "Fond actif")
                         : QCoreApplication::translate("SidebarView", "Fond en pause");
    }

    QSize sizeHint() const override
    {
        // Room for the longer of the two states, so that the row keeps its
        // size when the wallpaper pauses, in whichever language.
        const QFontMetricsF metrics(font());
        const double longest =
            std::max(metrics.horizontalAdvance(QCoreApplication::translate("SidebarView", "Fond actif")),
                     metrics.horizontalAdvance(QCoreApplication::translate("SidebarView", "Fond en pause")));
        return QSize(static_cast<int>(std::ceil(12 + 8 + longest + 8 + 9)),
                     static_cast<int>(std::ceil(metrics.height())));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        const QRectF area(rect());
        FaceIcons::paint(painter, m_running ? QStringLiteral("pause.fill") : QStringLiteral("play.fill"),
                         QRectF(0, area.center().y() - 6, 12, 12), Theme::ink());
        painter.setFont(font());
        painter.setPen(Theme::ink());
        painter.drawText(QRectF(20, 0, area.width() - 20 - 17, area.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text());
        QPainterPath dot;
        dot.addEllipse(QRectF(area.right() - 9.6, area.center().y() - 4.5, 9, 9));
        painter.fillPath(dot, m_running ? Theme::green() : Theme::inkFaint());
        painter.strokePath(dot, QPen(Theme::ink(), 1.2));
    }

private:
    bool m_running = true;
};

} // namespace

SidebarView::SidebarView(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setFixedWidth(fixedWidth);
    setAttribute(Qt::WA_OpaquePaintEvent, true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // Brand header.
    auto* brand = new QWidget(this);
    auto* brandRow = new QHBoxLayout(brand);
    brandRow->setContentsMargins(18, 18, 18, 18);
    brandRow->setSpacing(12);
    brandRow->addWidget(new BrandMark(40, brand));
    auto* names = new QVBoxLayout;
    names->setSpacing(3);
    names->addWidget(label(QStringLiteral("Nivora"), Fonts::font(15, QFont::ExtraBold), Theme::ink(), brand));
    names->addWidget(label(QCoreApplication::translate("SidebarView", "carnet d'ambiances"),
                           Fonts::font(10, QFont::Medium), Theme::inkSoft(), brand));
    brandRow->addLayout(names);
    brandRow->addStretch(1);
    column->addWidget(brand);

    // Navigation.
    auto* nav = new QWidget(this);
    auto* navColumn = new QVBoxLayout(nav);
    navColumn->setContentsMargins(12, 0, 12, 0);
    navColumn->setSpacing(6);
    for (NavSection section : NavSections::all()) {
        auto* row = new SidebarRow(section, nav);
        connect(row, &QAbstractButton::clicked, this, [this, section] { Q_EMIT sectionRequested(section); });
        navColumn->addWidget(row);
        m_rows.append(row);
    }
    column->addWidget(nav);
    column->addStretch(1);

    // Live thumbnail.
    m_preview = new MiniPreview(this);
    m_preview->setFixedHeight(64);
    m_preview->setCornerRadius(10);
    QColor outline = Theme::ink();
    outline.setAlphaF(0.5f);
    m_preview->setOutline(outline, 1.5);
    auto* previewBox = new QHBoxLayout;
    previewBox->setContentsMargins(14, 0, 14, 2);
    previewBox->addWidget(m_preview);
    column->addLayout(previewBox);

    // Master control.
    auto* master = new QWidget(this);
    auto* masterColumn = new QVBoxLayout(master);
    masterColumn->setContentsMargins(14, 14, 14, 14);
    masterColumn->setSpacing(12);
    m_master = new SketchButton(master);
    m_master->setObjectName(QStringLiteral("master"));
    m_master->setSeed(7);
    m_masterLabel = new MasterLabel(m_master);
    m_masterLabel->setFont(Fonts::font(13, QFont::ExtraBold));
    m_master->setContent(m_masterLabel);
    m_master->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A switch to assistive technology: checked while the wallpaper runs.
    m_master->setCheckable(true);
    DesignAccessibility::setRole(m_master, QAccessible::CheckBox);
    connect(m_master, &QAbstractButton::clicked, this,
            [this] { m_state.setIsRunning(!m_state.isRunning()); });
    masterColumn->addWidget(m_master);

    auto* badges = new QHBoxLayout;
    badges->setSpacing(6);
    m_fpsBadge = new StatBadge(QStringLiteral("speedometer"), QString(), Theme::blue(), master);
    m_sceneBadge = new StatBadge(QStringLiteral("scribble.variable"), QString(), Theme::coral(), master);
    badges->addWidget(m_fpsBadge);
    badges->addWidget(m_sceneBadge);
    badges->addStretch(1);
    masterColumn->addLayout(badges);
    column->addWidget(master);

    auto* quit = new QPushButton(QCoreApplication::translate("SidebarView", "Quitter Nivora"), this);
    quit->setObjectName(QStringLiteral("quit"));
    quit->setAccessibleName(QCoreApplication::translate("SidebarView", "Quitter Nivora"));
    quit->setFlat(true);
    quit->setCursor(Qt::PointingHandCursor);
    quit->setFont(Fonts::font(12, QFont::DemiBold));
    QPalette quitColors = quit->palette();
    quitColors.setColor(QPalette::ButtonText, Theme::inkSoft());
    quit->setPalette(quitColors);
    connect(quit, &QAbstractButton::clicked, this, &SidebarView::quitRequested);
    column->addWidget(quit, 0, Qt::AlignHCenter);

    connect(&m_state, &AppState::isRunningChanged, this, &SidebarView::refreshMaster);
    connect(&m_state, &AppState::fpsChanged, this, &SidebarView::refreshBadges);
    connect(&m_state, &AppState::sceneIndexChanged, this, [this] {
        refreshBadges();
        refreshPreview();
    });
    connect(&m_state, &AppState::paletteColorsChanged, this, &SidebarView::refreshPreview);
    refreshMaster();
    refreshBadges();
    refreshPreview();
    setSection(m_section);
}

void SidebarView::setSection(NavSection section)
{
    m_section = section;
    for (SidebarRow* row : m_rows)
        row->setSelected(row->section() == section);
}

SidebarRow* SidebarView::row(NavSection section) const
{
    for (SidebarRow* row : m_rows) {
        if (row->section() == section)
            return row;
    }
    return nullptr;
}

QString SidebarView::masterText() const
{
    return static_cast<MasterLabel*>(m_masterLabel)->text();
}

void SidebarView::refreshMaster()
{
    const bool running = m_state.isRunning();
    static_cast<MasterLabel*>(m_masterLabel)->setRunning(running);
    m_master->setFill(running ? Theme::green() : Theme::paper3());
    m_master->setChecked(running);
    m_master->setAccessibleName(masterText());
}

void SidebarView::refreshBadges()
{
    m_fpsBadge->setText(QString::number(m_state.fps()) + QCoreApplication::translate("SidebarView", " FPS"));
    const auto scene = safeAt(availableScenes(), m_state.sceneIndex());
    m_sceneBadge->setText(scene ? UiLanguages::translate("SceneCatalog", scene->name) : QStringLiteral("—"));
}

void SidebarView::refreshPreview()
{
    m_preview->setColors(m_state.paletteColors());
    m_preview->setSeed(m_state.sceneIndex());
}

void SidebarView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Theme::paper2());
    QColor rule = Theme::ink();
    rule.setAlphaF(0.18f);
    painter.fillRect(QRectF(width() - 1.5, 0, 1.5, height()), rule);
}

} // namespace nivora
