#pragma once

#include "model/SceneCatalog.h"

#include <QAbstractButton>
#include <QColor>
#include <QList>

namespace nivora {

class SpringAnimation;

// A scene tile of the library: a palette thumbnail with the scene's symbol in a
// paper disc, then its name and subtitle, on a rough card with a hard shadow. The
// selected card has a thicker outline and a coloured check mark. Hovering lifts
// and enlarges it slightly along a spring; the card keeps room around itself for
// that, so neighbours are never overdrawn.
//
// A click, Space or Enter emits clicked(); the owner decides the selection.
class SceneCard : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SceneCard(const SceneInfo& info = SceneInfo(), const QList<QColor>& colors = {},
                       QWidget* parent = nullptr);

    SceneInfo info() const { return m_info; }
    void setInfo(const SceneInfo& info);
    QList<QColor> colors() const { return m_colors; }
    void setColors(const QList<QColor>& colors);
    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected) { setChecked(selected); }

    // 0 at rest, 1 fully lifted; in between while the spring moves.
    double lift() const { return m_lift; }
    bool isHovered() const { return m_hover; }

    // The card's resting rectangle (without the room for shadow and lift).
    QRectF cardRect() const;
    // The seed of the card's outline: id × 7 + 3.
    static quint64 cardSeed(int id);

    static constexpr double previewHeight = 86;
    static constexpr double liftScale = 1.03;
    static constexpr double liftOffset = 3;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void nextCheckState() override;

private:
    void setHover(bool hover);
    double captionHeight() const;

    SceneInfo m_info;
    QList<QColor> m_colors;
    bool m_hover = false;
    double m_lift = 0.0;
    SpringAnimation* m_spring = nullptr;
};

} // namespace nivora
