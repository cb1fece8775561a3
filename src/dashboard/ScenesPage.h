#pragma once

#include <QList>
#include <QMap>
#include <QWidget>

namespace nivora {

class AppState;
class FluidSlider;
class SceneCard;
class SceneHero;
class SketchButton;

// The "Scènes" page: the live hero with the scene's name and the chevrons, the
// four tuning sliders, and the library of scenes grouped by category with the
// "Surprends-moi" button. Every control edits the settings store only.
class ScenesPage : public QWidget
{
    Q_OBJECT

public:
    // The page over the settings it shows and edits.
    explicit ScenesPage(AppState& state, QWidget* parent = nullptr);
    // The same over the process's settings.
    explicit ScenesPage(QWidget* parent = nullptr);

    SceneHero* hero() const { return m_hero; }
    // Vitesse, Intensité, Échelle, Teinte.
    const QList<FluidSlider*>& sliders() const { return m_sliders; }
    SketchButton* surpriseButton() const { return m_surprise; }
    // Every card, in the order shown (category by category).
    const QList<SceneCard*>& sceneCards() const { return m_cards; }
    // The cards of one category, in catalog order.
    QList<SceneCard*> cardsOf(const QString& category) const { return m_cardsByCategory.value(category); }

private:
    QWidget* buildControls();
    QWidget* buildLibrary();
    void markSelected(qint64 index);
    void showColors();

    AppState& m_state;
    SceneHero* m_hero = nullptr;
    QList<FluidSlider*> m_sliders;
    SketchButton* m_surprise = nullptr;
    QList<SceneCard*> m_cards;
    QMap<QString, QList<SceneCard*>> m_cardsByCategory;
};

} // namespace nivora
