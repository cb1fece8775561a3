#include "dashboard/WidgetsPage.h"

#include "dashboard/AdaptiveGridLayout.h"
#include "dashboard/PageBindings.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "dashboard/StyleChip.h"
#include "dashboard/SymbolView.h"
#include "dashboard/WidgetTile.h"
#include "design/Eyebrow.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/PillToggle.h"
#include "design/Theme.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace nivora {

namespace {

constexpr int kPageSpacing = 26;

} // namespace

WidgetsPage::WidgetsPage(QWidget* parent) : WidgetsPage(AppState::shared(), parent) {}

WidgetsPage::WidgetsPage(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(kPageSpacing);
    page->addWidget(makePageHeader(NavSection::Widgets, this));
    page->addWidget(buildModules());
    page->addWidget(buildStyles());
    page->addWidget(PageText::paragraph(
        QCoreApplication::translate(
            "WidgetsPage",
            "Astuce : glissez un widget directement sur le bureau pour le déplacer — sa place est "
            "mémorisée."),
        11, QFont::Normal, Theme::inkFaint(), this));
    page->addStretch(1);

    connect(&m_state, &AppState::enabledWidgetsChanged, this, &WidgetsPage::showEnabled);
    connect(&m_state, &AppState::widgetShapesChanged, this, &WidgetsPage::showStyles);
    connect(&m_state, &AppState::widgetSizesChanged, this, &WidgetsPage::showStyles);
    showEnabled();
}

QWidget* WidgetsPage::buildModules()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(new Eyebrow(QCoreApplication::translate("WidgetsPage", "Modules disponibles"),
                                  Theme::pink(), content));
    auto* grid = new AdaptiveGridLayout(210, 14, 14);
    for (WidgetKind kind : WidgetKinds::all()) {
        auto* tile = new WidgetTile(kind, content);
        const QString id = WidgetKinds::id(kind);
        connect(tile, &QAbstractButton::clicked, this, [this, id] { m_state.toggleWidget(id); });
        grid->addWidget(tile);
        m_tiles.append(tile);
    }
    column->addLayout(grid);
    // Hidden while the clock is off; its value is kept all the same.
    m_dateToggle =
        new PillToggle(QCoreApplication::translate("WidgetsPage", "Afficher la date sous l'horloge"),
                       QCoreApplication::translate("WidgetsPage", "Jour et mois sous l'heure"),
                       QStringLiteral("calendar"), Theme::blue(), content);
    PageBindings::bindToggle(m_dateToggle, m_state, &AppState::clockWidgetShowsDate,
                             &AppState::setClockWidgetShowsDate, &AppState::clockWidgetShowsDateChanged);
    column->addWidget(m_dateToggle);
    return new PaperCard(content, this);
}

QWidget* WidgetsPage::buildStyles()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(
        new Eyebrow(QCoreApplication::translate("WidgetsPage", "Forme & taille"), Theme::purple(), content));
    column->addWidget(PageText::paragraph(
        QCoreApplication::translate("WidgetsPage",
                                    "Chaque widget activé peut prendre une autre forme et une autre taille."),
        11, QFont::Normal, Theme::inkSoft(), content));
    m_styleRows = new QVBoxLayout;
    m_styleRows->setSpacing(0);
    column->addLayout(m_styleRows);
    m_styleCard = new PaperCard(content, this);
    m_styleCard->setSeed(9);
    return m_styleCard;
}

QWidget* WidgetsPage::styleRow(WidgetKind kind)
{
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(8, 8, 8, 8);
    line->setSpacing(0);
    auto* icon = new SymbolView(WidgetKinds::icon(kind), 13, Theme::ink(), row);
    auto* iconBox = new QHBoxLayout;
    iconBox->setContentsMargins(0, 0, 0, 0);
    iconBox->addWidget(icon, 0, Qt::AlignCenter);
    auto* iconFrame = new QWidget(row);
    iconFrame->setFixedWidth(20);
    iconFrame->setLayout(iconBox);
    line->addWidget(iconFrame);
    line->addSpacing(8);
    QLabel* name = PageText::label(WidgetKinds::name(kind), 13, QFont::Bold, Theme::ink(), row);
    name->setFixedWidth(84);
    line->addWidget(name);
    line->addStretch(1);

    const QString id = WidgetKinds::id(kind);
    QList<StyleChip*> shapes;
    for (WidgetShape shape : WidgetShapes::all()) {
        auto* chip = new StyleChip(WidgetShapes::name(shape), WidgetShapes::icon(shape), Theme::purple(),
                                   QSize(30, 26), row);
        connect(chip, &QAbstractButton::clicked, this,
                [this, id, shape] { m_state.setWidgetShape(id, shape); });
        if (!shapes.isEmpty())
            line->addSpacing(5);
        line->addWidget(chip);
        shapes.append(chip);
    }
    line->addSpacing(12);
    QList<StyleChip*> sizes;
    for (WidgetSize size : WidgetSizes::all()) {
        auto* chip = new StyleChip(WidgetSizes::name(size), QString(), Theme::green(), QSize(27, 26), row);
        connect(chip, &QAbstractButton::clicked, this, [this, id, size] { m_state.setWidgetSize(id, size); });
        if (!sizes.isEmpty())
            line->addSpacing(5);
        line->addWidget(chip);
        sizes.append(chip);
    }
    m_shapeChips.insert(kind, shapes);
    m_sizeChips.insert(kind, sizes);
    return row;
}

void WidgetsPage::showEnabled()
{
    const QSet<QString>& enabled = m_state.enabledWidgets();
    for (WidgetTile* tile : std::as_const(m_tiles))
        tile->setOn(enabled.contains(WidgetKinds::id(tile->kind())));
    m_dateToggle->setVisible(enabled.contains(WidgetKinds::id(WidgetKind::Clock)));
    rebuildStyleRows();
}

void WidgetsPage::rebuildStyleRows()
{
    const QSet<QString>& enabled = m_state.enabledWidgets();
    QList<WidgetKind> wanted;
    for (WidgetKind kind : WidgetKinds::all()) {
        if (enabled.contains(WidgetKinds::id(kind)))
            wanted.append(kind);
    }
    if (wanted != m_shapeChips.keys()) {
        for (QWidget* row : std::as_const(m_rowWidgets))
            delete row;
        m_rowWidgets.clear();
        m_shapeChips.clear();
        m_sizeChips.clear();
        for (WidgetKind kind : std::as_const(wanted)) {
            QWidget* row = styleRow(kind);
            m_styleRows->addWidget(row);
            m_rowWidgets.append(row);
        }
    }
    // Identifiers that name no widget are ignored, like everywhere else.
    m_styleCard->setVisible(!wanted.isEmpty());
    showStyles();
}

void WidgetsPage::showStyles()
{
    for (auto it = m_shapeChips.cbegin(); it != m_shapeChips.cend(); ++it) {
        const QString id = WidgetKinds::id(it.key());
        const WidgetShape shape = m_state.widgetShape(id);
        const WidgetSize size = m_state.widgetSize(id);
        for (int i = 0; i < it.value().size(); ++i)
            it.value().at(i)->setSelected(WidgetShapes::all().at(i) == shape);
        const QList<StyleChip*>& sizes = m_sizeChips.value(it.key());
        for (int i = 0; i < sizes.size(); ++i)
            sizes.at(i)->setSelected(WidgetSizes::all().at(i) == size);
    }
}

} // namespace nivora
