#pragma once

#include <QWidget>

namespace nivora {

class AppState;
class RoundIconButton;
class ScenePreview;

// The popover's preview card: the live scene at 30 frames a second, darkened
// towards the bottom, with the scene's name and the previous / next buttons,
// clipped to a rounded rectangle and lying on a hand-drawn frame with a hard
// shadow. The preview draws only while the card is visible.
class PreviewCard : public QWidget
{
    Q_OBJECT

public:
    static constexpr int previewHeight = 94;
    static constexpr int framePadding = 5;
    static constexpr double cornerRadius = 10;
    // The frame's hard shadow reaches this far right and down.
    static constexpr int shadowRight = 3;
    static constexpr int shadowDown = 4;

    explicit PreviewCard(AppState& state, QWidget* parent = nullptr);

    ScenePreview* preview() const { return m_preview; }
    RoundIconButton* previousButton() const { return m_previous; }
    RoundIconButton* nextButton() const { return m_next; }
    // The scene name the card shows.
    QString sceneName() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    class Overlay;

    AppState& m_state;
    ScenePreview* m_preview = nullptr;
    Overlay* m_overlay = nullptr;
    RoundIconButton* m_previous = nullptr;
    RoundIconButton* m_next = nullptr;
};

} // namespace nivora
