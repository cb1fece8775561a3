#include "app/PreviewCard.h"

#include "app/RoundIconButton.h"
#include "assets/Fonts.h"
#include "design/RoughRectangle.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "model/UiLanguage.h"
#include "scene/ScenePreview.h"
#include "state/AppState.h"
#include "state/SceneActions.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace nivora {

// Drawn over the GL preview: the paper corners outside the rounded clip, the
// darkening gradient and the scene's name. It holds the two round buttons.
class PreviewCard::Overlay : public QWidget
{
public:
    explicit Overlay(PreviewCard* card) : QWidget(card), m_card(card) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = rect();
        QPainterPath clip;
        clip.addRoundedRect(r, cornerRadius, cornerRadius);
        QPainterPath corners;
        corners.addRect(r);
        p.fillPath(corners.subtracted(clip), Theme::paper());

        QLinearGradient shade(QPointF(0, r.center().y()), QPointF(0, r.bottom()));
        shade.setColorAt(0, Qt::transparent);
        shade.setColorAt(1, QColor(0, 0, 0, 128));
        p.fillPath(clip, shade);

        const int row = RoundIconButton::side;
        const QRectF textRect(10, r.height() - 10 - row, r.width() - 20 - 2 * row - 6 - 8, row);
        p.setFont(Fonts::font(12, QFont::Bold));
        p.setPen(Qt::white);
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(m_card->sceneName(), Qt::ElideRight, int(textRect.width())));
    }

private:
    PreviewCard* m_card;
};

PreviewCard::PreviewCard(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    m_preview = new ScenePreview(30, this, &state);
    m_overlay = new Overlay(this);
    m_previous = new RoundIconButton(RoundIconButton::Chevron::Left, m_overlay);
    m_next = new RoundIconButton(RoundIconButton::Chevron::Right, m_overlay);
    retranslate();
    connect(m_previous, &QAbstractButton::clicked, this, [this] { SceneActions::switchScene(m_state, -1); });
    connect(m_next, &QAbstractButton::clicked, this, [this] { SceneActions::showNext(m_state); });
    connect(&m_state, &AppState::sceneIndexChanged, m_overlay, qOverload<>(&QWidget::update));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PreviewCard::retranslate()
{
    m_previous->setAccessibleName(QCoreApplication::translate("PreviewCard", "Scène précédente"));
    m_next->setAccessibleName(QCoreApplication::translate("PreviewCard", "Scène suivante"));
}

void PreviewCard::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        m_overlay->update();
    }
}

QString PreviewCard::sceneName() const
{
    const auto& scenes = availableScenes();
    const qint64 index = m_state.sceneIndex();
    return index >= 0 && index < scenes.size() ? UiLanguages::translate("SceneCatalog", scenes.at(index).name)
                                               : QStringLiteral("—");
}

QSize PreviewCard::sizeHint() const
{
    return QSize(268, previewHeight + 2 * framePadding + shadowDown);
}

void PreviewCard::resizeEvent(QResizeEvent*)
{
    const QRect frame(0, 0, width() - shadowRight, previewHeight + 2 * framePadding);
    const QRect inner = frame.adjusted(framePadding, framePadding, -framePadding, -framePadding);
    m_preview->setGeometry(inner);
    m_overlay->setGeometry(inner);
    m_overlay->raise();
    const int y = inner.height() - 10 - RoundIconButton::side;
    m_next->move(inner.width() - 10 - RoundIconButton::side, y);
    m_previous->move(m_next->x() - 6 - RoundIconButton::side, y);
}

void PreviewCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(0, 0, width() - shadowRight, previewHeight + 2 * framePadding);
    const RoughRectangle rough{2, 1.7};
    const QPainterPath outline = rough.path(frame);
    p.fillPath(outline.translated(shadowRight, shadowDown), Theme::ink());
    p.fillPath(outline, Theme::paper());
    p.strokePath(outline, QPen(Theme::ink(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace nivora
