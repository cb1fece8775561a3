#include "dashboard/SceneHero.h"

#include "assets/Fonts.h"
#include "dashboard/CircleIconButton.h"
#include "dashboard/LivePreviewFrame.h"
#include "dashboard/PageText.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "model/UiLanguage.h"
#include "scene/ScenePreview.h"
#include "state/AppState.h"
#include "state/SafeIndex.h"
#include "state/SceneActions.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace nivora {

namespace {

// Clear in the middle, half-transparent black at the bottom, so the white
// captions read on any scene. Clicks go through to the preview.
class HeroShade : public QWidget
{
public:
    explicit HeroShade(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient shade(0, 0, 0, height());
        shade.setColorAt(0.5, QColor(0, 0, 0, 0));
        shade.setColorAt(1.0, QColor(0, 0, 0, 128));
        painter.fillRect(rect(), shade);
    }
};

// "EN DIRECT" on a yellow capsule.
class LiveBadge : public QLabel
{
public:
    explicit LiveBadge(QWidget* parent)
        : QLabel(QCoreApplication::translate("SceneHero", "EN DIRECT"), parent)
    {
        setFont(Fonts::font(9, QFont::Black, 1));
        setContentsMargins(7, 2, 7, 2);
        PageText::setColor(this, Theme::ink());
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::yellow());
        const double r = height() / 2.0;
        painter.drawRoundedRect(QRectF(rect()), r, r);
        painter.end();
        QLabel::paintEvent(event);
    }
};

} // namespace

SceneHero::SceneHero(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_frame = new LivePreviewFrame(heroHeight, 0, 14, 19, this);
    outer->addWidget(m_frame);

    QWidget* overlay = m_frame->overlay();
    m_shade = new HeroShade(overlay);
    auto* stack = new QVBoxLayout(overlay);
    stack->setContentsMargins(18, 16, 18, 16);
    stack->addStretch(1);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    auto* captions = new QVBoxLayout;
    captions->setSpacing(4);
    captions->addWidget(new LiveBadge(overlay), 0, Qt::AlignLeft);
    m_name = PageText::label(QString(), 22, QFont::Black, Qt::white, overlay);
    m_subtitle = PageText::label(QString(), 12, QFont::Medium, QColor(255, 255, 255, 200), overlay);
    captions->addWidget(m_name);
    captions->addWidget(m_subtitle);
    row->addLayout(captions, 1);
    m_previous = new CircleIconButton(QStringLiteral("chevron.left"), 34, overlay);
    m_next = new CircleIconButton(QStringLiteral("chevron.right"), 34, overlay);
    m_previous->setAccessibleName(QCoreApplication::translate("SceneHero", "Scène précédente"));
    m_next->setAccessibleName(QCoreApplication::translate("SceneHero", "Scène suivante"));
    row->addWidget(m_previous, 0, Qt::AlignBottom);
    row->addWidget(m_next, 0, Qt::AlignBottom);
    stack->addLayout(row);
    m_shade->lower();
    // The shade follows the overlay's size.
    overlay->installEventFilter(this);

    connect(m_previous, &QAbstractButton::clicked, this, [this] { SceneActions::switchScene(m_state, -1); });
    connect(m_next, &QAbstractButton::clicked, this, [this] { SceneActions::switchScene(m_state, +1); });
    connect(&m_state, &AppState::sceneIndexChanged, this, &SceneHero::showScene);
    showScene(m_state.sceneIndex());
}

bool SceneHero::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_frame->overlay() && event->type() == QEvent::Resize)
        m_shade->setGeometry(m_frame->overlay()->rect());
    return QWidget::eventFilter(watched, event);
}

ScenePreview* SceneHero::preview() const
{
    return m_frame->preview();
}

void SceneHero::showScene(qint64 index)
{
    // An index with no record shows the first scene's texts; the stored index
    // is left as it is.
    const SceneInfo shown = safeAt(availableScenes(), index).value_or(availableScenes().first());
    m_name->setText(UiLanguages::translate("SceneCatalog", shown.name));
    m_subtitle->setText(UiLanguages::translate("SceneCatalog", shown.subtitle));
}

} // namespace nivora
