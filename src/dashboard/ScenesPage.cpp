#include "dashboard/ScenesPage.h"

#include "dashboard/AdaptiveGridLayout.h"
#include "dashboard/PageBindings.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "dashboard/SceneHero.h"
#include "dashboard/SymbolView.h"
#include "design/CatalogAccents.h"
#include "design/Eyebrow.h"
#include "design/FluidSlider.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/SceneCard.h"
#include "design/SketchButton.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "model/UiLanguage.h"
#include "state/AppState.h"
#include "state/SceneActions.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace nivora {

namespace {

constexpr int kPageSpacing = 26;

// The faint ink rule after a category's name.
QWidget* categoryRule(QWidget* parent)
{
    auto* rule = new QWidget(parent);
    rule->setFixedHeight(2);
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    QColor ink = Theme::ink();
    ink.setAlphaF(0.12);
    palette.setColor(QPalette::Window, ink);
    rule->setPalette(palette);
    return rule;
}

QWidget* surpriseLabel(QWidget* parent)
{
    auto* label = new QWidget(parent);
    auto* row = new QHBoxLayout(label);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(7);
    row->addWidget(new SymbolView(QStringLiteral("die.face.5.fill"), 14, Theme::ink(), label));
    row->addWidget(PageText::label(QCoreApplication::translate("ScenesPage", "Surprends-moi"), 13,
                                   QFont::Bold, Theme::ink(), label));
    return label;
}

} // namespace

ScenesPage::ScenesPage(QWidget* parent) : ScenesPage(AppState::shared(), parent) {}

ScenesPage::ScenesPage(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(kPageSpacing);
    page->addWidget(makePageHeader(NavSection::Scenes, this));
    m_hero = new SceneHero(m_state, this);
    page->addWidget(m_hero);
    page->addWidget(buildControls());
    page->addWidget(buildLibrary());
    page->addStretch(1);

    connect(&m_state, &AppState::sceneIndexChanged, this, &ScenesPage::markSelected);
    connect(&m_state, &AppState::paletteColorsChanged, this, &ScenesPage::showColors);
    markSelected(m_state.sceneIndex());
}

QWidget* ScenesPage::buildControls()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(new Eyebrow(QCoreApplication::translate("ScenesPage", "Réglages de la scène"),
                                  Theme::coral(), content));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(18);
    struct Binding
    {
        const char* title;
        const char* symbol;
        QColor accent;
        double (AppState::*get)() const;
        void (AppState::*set)(double);
        void (AppState::*changed)(double);
    };
    const Binding bindings[] = {
        {QT_TRANSLATE_NOOP("ScenesPage", "Vitesse"), "speedometer", Theme::blue(), &AppState::speed,
         &AppState::setSpeed, &AppState::speedChanged},
        {QT_TRANSLATE_NOOP("ScenesPage", "Intensité"), "flame.fill", Theme::coral(), &AppState::intensity,
         &AppState::setIntensity, &AppState::intensityChanged},
        {QT_TRANSLATE_NOOP("ScenesPage", "Échelle"), "arrow.up.left.and.arrow.down.right", Theme::green(),
         &AppState::scale, &AppState::setScale, &AppState::scaleChanged},
        {QT_TRANSLATE_NOOP("ScenesPage", "Teinte"), "drop.fill", Theme::purple(), &AppState::colorShift,
         &AppState::setColorShift, &AppState::colorShiftChanged},
    };
    int i = 0;
    for (const Binding& b : bindings) {
        auto* slider = new FluidSlider(QCoreApplication::translate("ScenesPage", b.title),
                                       QString::fromUtf8(b.symbol), b.accent, content);
        PageBindings::bindSlider(slider, m_state, b.get, b.set, b.changed);
        grid->addWidget(slider, i / 2, i % 2);
        m_sliders.append(slider);
        ++i;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    auto* card = new PaperCard(content, this);
    card->setSeed(21);
    return card;
}

QWidget* ScenesPage::buildLibrary()
{
    auto* library = new QWidget(this);
    auto* column = new QVBoxLayout(library);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);

    auto* head = new QHBoxLayout;
    head->addWidget(
        new Eyebrow(QCoreApplication::translate("ScenesPage", "Bibliothèque"), Theme::coral(), library));
    head->addStretch(1);
    m_surprise = new SketchButton(library);
    m_surprise->setContent(surpriseLabel(m_surprise));
    m_surprise->setAccessibleName(QCoreApplication::translate("ScenesPage", "Surprends-moi"));
    connect(m_surprise, &QAbstractButton::clicked, this,
            [this] { SceneActions::randomize(m_state, *QRandomGenerator::global()); });
    head->addWidget(m_surprise);
    column->addLayout(head);

    for (const QString& category : sceneCategories()) {
        auto* header = new QHBoxLayout;
        header->setSpacing(8);
        const QColor accent = sceneCategoryAccent(category);
        header->addWidget(new SymbolView(sceneCategorySymbol(category), 12, accent, library));
        header->addWidget(PageText::label(UiLanguages::translate("SceneCatalog", category), 13, QFont::Black,
                                          accent, library));
        header->addWidget(categoryRule(library), 1, Qt::AlignVCenter);
        column->addLayout(header);

        auto* grid = new AdaptiveGridLayout(152, 16, 18);
        for (const SceneInfo& scene : scenesInCategory(category)) {
            auto* card = new SceneCard(scene, m_state.paletteColors(), library);
            const int id = scene.id;
            // A card changes the scene only; a video or image wallpaper stays
            // until the mode is changed.
            connect(card, &QAbstractButton::clicked, this, [this, id] { m_state.setSceneIndex(id); });
            grid->addWidget(card);
            m_cards.append(card);
            m_cardsByCategory[category].append(card);
        }
        column->addLayout(grid);
    }
    return library;
}

void ScenesPage::markSelected(qint64 index)
{
    for (SceneCard* card : std::as_const(m_cards))
        card->setSelected(card->info().id == index);
}

void ScenesPage::showColors()
{
    const QList<QColor>& colors = m_state.paletteColors();
    for (SceneCard* card : std::as_const(m_cards))
        card->setColors(colors);
}

} // namespace nivora
