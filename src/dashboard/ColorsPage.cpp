#include "dashboard/ColorsPage.h"

#include "dashboard/AdaptiveGridLayout.h"
#include "dashboard/LivePreviewFrame.h"
#include "dashboard/PageHeaders.h"
#include "design/ColorWellRow.h"
#include "design/Eyebrow.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/PresetChip.h"
#include "design/SketchButton.h"
#include "design/Theme.h"
#include "palettes/WallpaperPalette.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QVariantAnimation>

namespace nivora {

namespace {

constexpr int kPageSpacing = 26;
constexpr int kWellCount = 5;

QColor mix(const QColor& from, const QColor& to, double t)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

ColorsPage::ColorsPage(QWidget* parent) : ColorsPage(AppState::shared(), parent) {}

ColorsPage::ColorsPage(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(kPageSpacing);
    page->addWidget(makePageHeader(NavSection::Colors, this));
    m_preview = new LivePreviewFrame(150, 7, 11, 29, this);
    page->addWidget(m_preview);
    page->addWidget(buildPresets());
    page->addWidget(buildCustom());
    page->addStretch(1);

    m_transition = new QVariantAnimation(this);
    m_transition->setDuration(transitionMs);
    m_transition->setEasingCurve(QEasingCurve::InOutQuad);
    m_transition->setStartValue(0.0);
    m_transition->setEndValue(1.0);
    connect(m_transition, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        const double t = value.toDouble();
        for (int i = 0; i < kWellCount; ++i) {
            const QColor target = m_state.paletteColor(i);
            const QColor from = m_transitionFrom.value(i, target);
            m_wells.at(i)->setColor(mix(from, target, t));
        }
    });
    connect(m_transition, &QVariantAnimation::finished, this, [this] {
        m_gliding = false;
        showWells();
    });

    connect(&m_state, &AppState::paletteNameChanged, this, &ColorsPage::markSelected);
    connect(&m_state, &AppState::paletteColorsChanged, this, [this] {
        if (!m_gliding)
            showWells();
    });
    markSelected(m_state.paletteName());
    showWells();
}

QWidget* ColorsPage::buildPresets()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(new Eyebrow(QCoreApplication::translate("ColorsPage", "Palettes prédéfinies"),
                                  Theme::coral(), content));
    auto* grid = new AdaptiveGridLayout(134, 16, 18);
    const QList<WallpaperPalette>& presets = WallpaperPalette::presets();
    for (int i = 0; i < presets.size(); ++i) {
        auto* chip = new PresetChip(content);
        chip->setPalette(presets.at(i));
        connect(chip, &QAbstractButton::clicked, this, [this, i] { applyPreset(i); });
        grid->addWidget(chip);
        m_chips.append(chip);
    }
    column->addLayout(grid);
    auto* card = new PaperCard(content, this);
    card->setSeed(31);
    return card;
}

QWidget* ColorsPage::buildCustom()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    auto* head = new QHBoxLayout;
    head->addWidget(new Eyebrow(QCoreApplication::translate("ColorsPage", "Palette personnalisée"),
                                Theme::coral(), content));
    head->addStretch(1);
    m_reset = new SketchButton(QCoreApplication::translate("ColorsPage", "Réinitialiser"), content);
    m_reset->setFill(Theme::paper3());
    connect(m_reset, &QAbstractButton::clicked, this, [this] { applyPreset(0); });
    head->addWidget(m_reset);
    column->addLayout(head);
    // Always five wells, whatever the palette's length: a position the palette
    // lacks shows grey and ignores edits.
    for (int i = 0; i < kWellCount; ++i) {
        auto* well = new ColorWellRow(i, content);
        connect(well, &ColorWellRow::colorEdited, this, [this, i](const QColor& color) {
            m_transition->stop();
            m_gliding = false;
            m_state.setPaletteColor(i, color);
            showWells();
        });
        column->addWidget(well);
        m_wells.append(well);
    }
    auto* card = new PaperCard(content, this);
    card->setSeed(45);
    return card;
}

void ColorsPage::applyPreset(int index)
{
    const QList<WallpaperPalette>& presets = WallpaperPalette::presets();
    if (index < 0 || index >= presets.size())
        return;
    m_transitionFrom.clear();
    for (ColorWellRow* well : std::as_const(m_wells))
        m_transitionFrom.append(well->color());
    m_transition->stop();
    // The wells glide from what they show now; the store changes at once, so
    // the preview and the desktop follow without delay.
    m_gliding = true;
    m_state.applyPreset(presets.at(index));
    m_transition->start();
}

void ColorsPage::markSelected(const QString& name)
{
    for (PresetChip* chip : std::as_const(m_chips))
        chip->setSelected(chip->name() == name);
}

void ColorsPage::showWells()
{
    for (int i = 0; i < kWellCount; ++i)
        m_wells.at(i)->setColor(m_state.paletteColor(i));
}

} // namespace nivora
