#pragma once

#include <QList>
#include <QWidget>

class QVariantAnimation;

namespace nivora {

class AppState;
class ColorWellRow;
class LivePreviewFrame;
class PresetChip;
class SketchButton;

// The "Couleurs" page: a live preview, the 44 preset palettes and the five
// colours of the current palette. Choosing a preset glides the colour wells to
// its colours over 0.2 s; editing a well renames the palette "Personnalisée";
// "Réinitialiser" goes back to "Silver Sage". Chips are marked by name, so an
// edited palette marks none.
class ColorsPage : public QWidget
{
    Q_OBJECT

public:
    // The page over the settings it shows and edits.
    explicit ColorsPage(AppState& state, QWidget* parent = nullptr);
    // The same over the process's settings.
    explicit ColorsPage(QWidget* parent = nullptr);

    LivePreviewFrame* preview() const { return m_preview; }
    const QList<PresetChip*>& presetChips() const { return m_chips; }
    const QList<ColorWellRow*>& colorWells() const { return m_wells; }
    SketchButton* resetButton() const { return m_reset; }

    static constexpr int transitionMs = 200;

private:
    QWidget* buildPresets();
    QWidget* buildCustom();
    void applyPreset(int index);
    void markSelected(const QString& name);
    void showWells();

    AppState& m_state;
    LivePreviewFrame* m_preview = nullptr;
    QList<PresetChip*> m_chips;
    QList<ColorWellRow*> m_wells;
    SketchButton* m_reset = nullptr;
    QVariantAnimation* m_transition = nullptr;
    QList<QColor> m_transitionFrom;
    bool m_gliding = false;
};

} // namespace nivora
