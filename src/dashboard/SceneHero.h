#pragma once

#include <QWidget>

class QLabel;

namespace nivora {

class AppState;
class CircleIconButton;
class LivePreviewFrame;
class ScenePreview;

// The top of the scenes page: the live preview, 280 high in a hand-drawn frame,
// darkened towards the bottom, with the badge "EN DIRECT", the current scene's
// name and subtitle, and the chevrons that step through the scenes (wrapping
// around in both directions).
class SceneHero : public QWidget
{
    Q_OBJECT

public:
    explicit SceneHero(AppState& state, QWidget* parent = nullptr);

    ScenePreview* preview() const;
    QLabel* nameLabel() const { return m_name; }
    QLabel* subtitleLabel() const { return m_subtitle; }
    CircleIconButton* previousButton() const { return m_previous; }
    CircleIconButton* nextButton() const { return m_next; }

    static constexpr int heroHeight = 280;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showScene(qint64 index);

    AppState& m_state;
    LivePreviewFrame* m_frame = nullptr;
    QWidget* m_shade = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_subtitle = nullptr;
    CircleIconButton* m_previous = nullptr;
    CircleIconButton* m_next = nullptr;
};

} // namespace nivora
