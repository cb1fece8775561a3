#include "design/SceneCard.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/MiniPreview.h"
#include "design/RoughRectangle.h"
#include "design/SpringAnimation.h"
#include "design/Theme.h"
#include "model/UiLanguage.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

// Room around the card: the lift enlarges it by 3 % and raises it by 3; the
// shadow falls 4 right and 5 down; the focus mark needs a few pixels too.
constexpr double sideRoom = 6;
constexpr double topRoom = 8;
constexpr double bottomRoom = 8;
constexpr QPointF shadowOffset{4, 5};

QFont nameFont()
{
    return Fonts::font(13, QFont::Bold);
}

QFont subtitleFont()
{
    return Fonts::font(11, QFont::Normal);
}

QPen inkPen(double width)
{
    QPen pen(Theme::ink(), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    return pen;
}

} // namespace

SceneCard::SceneCard(const SceneInfo& info, const QList<QColor>& colors, QWidget* parent)
    : QAbstractButton(parent), m_colors(colors)
{
    DesignAccessibility::install();
    DesignAccessibility::setRole(this, QAccessible::RadioButton);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_spring = new SpringAnimation(this);
    m_spring->setSpring(Spring(0.3, 0.7, 0.0));
    connect(m_spring, &SpringAnimation::valueChanged, this, [this](double v) {
        m_lift = v;
        update();
    });
    connect(this, &QAbstractButton::toggled, this, [this] { update(); });
    setInfo(info);
}

void SceneCard::setInfo(const SceneInfo& info)
{
    // The card shows the texts in the interface's language; the scene is
    // known by its id.
    m_info = info;
    m_info.name = UiLanguages::translate("SceneCatalog", info.name);
    m_info.subtitle = UiLanguages::translate("SceneCatalog", info.subtitle);
    setText(m_info.name);
    setAccessibleName(m_info.name);
    setAccessibleDescription(m_info.subtitle);
    update();
}

void SceneCard::setColors(const QList<QColor>& colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    update();
}

quint64 SceneCard::cardSeed(int id)
{
    return static_cast<quint64>(id) * 7 + 3;
}

void SceneCard::nextCheckState()
{
    // The owner selects the scene and sets the selection from the settings.
}

void SceneCard::setHover(bool hover)
{
    if (hover == m_hover)
        return;
    m_hover = hover;
    m_spring->animateTo(hover ? 1.0 : 0.0);
}

void SceneCard::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    setHover(true);
}

void SceneCard::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    setHover(false);
}

void SceneCard::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

double SceneCard::captionHeight() const
{
    return 10 + QFontMetricsF(nameFont()).height() + QFontMetricsF(subtitleFont()).height() + 10;
}

QRectF SceneCard::cardRect() const
{
    return QRectF(sideRoom, topRoom, std::max(0.0, width() - 2 * sideRoom - shadowOffset.x()),
                  std::max(0.0, height() - topRoom - bottomRoom - shadowOffset.y()));
}

QSize SceneCard::sizeHint() const
{
    const double h = topRoom + previewHeight + captionHeight() + shadowOffset.y() + bottomRoom;
    return QSize(200, static_cast<int>(std::ceil(h)));
}

QSize SceneCard::minimumSizeHint() const
{
    return QSize(120, sizeHint().height());
}

void SceneCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    const QRectF card = cardRect();
    // Lift: scale about the card's centre and move up.
    const double scale = 1.0 + (liftScale - 1.0) * m_lift;
    painter.translate(card.center() + QPointF(0, -liftOffset * m_lift));
    painter.scale(scale, scale);
    painter.translate(-card.center());

    const int id = std::max(0, m_info.id);
    const quint64 seed = cardSeed(id);
    const QPainterPath sheet = RoughRectangle{seed}.path(card);
    painter.fillPath(sheet.translated(shadowOffset), Theme::ink());
    painter.fillPath(sheet, Theme::paper());

    // Preview with rounded corners, and the symbol disc on it.
    const QRectF preview(card.left(), card.top(), card.width(), previewHeight);
    QPainterPath clip;
    clip.addRoundedRect(preview, 11, 11);
    painter.save();
    painter.setClipPath(clip);
    MiniPreview::paint(painter, preview, m_colors, m_info.id);
    painter.restore();
    const QRectF disc(preview.left() + 8, preview.top() + 8, 26, 26);
    QPainterPath discPath;
    discPath.addEllipse(disc.adjusted(0.75, 0.75, -0.75, -0.75));
    painter.fillPath(discPath, Theme::paper());
    painter.strokePath(discPath, inkPen(1.5));
    FaceIcons::paint(painter, m_info.systemImage, QRectF(disc.center() - QPointF(6, 6), QSizeF(12, 12)),
                     Theme::ink());

    // Caption.
    const QRectF caption(card.left() + 11, preview.bottom() + 10, card.width() - 22, captionHeight() - 20);
    const QFontMetricsF nameMetrics(nameFont());
    const QFontMetricsF subtitleMetrics(subtitleFont());
    const double checkRoom = isChecked() ? 18 : 0;
    const double textWidth = std::max(0.0, caption.width() - checkRoom);
    painter.setFont(nameFont());
    painter.setPen(Theme::ink());
    painter.drawText(QRectF(caption.left(), caption.top(), textWidth, nameMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     nameMetrics.elidedText(m_info.name, Qt::ElideRight, textWidth));
    painter.setFont(subtitleFont());
    painter.setPen(Theme::inkSoft());
    painter.drawText(
        QRectF(caption.left(), caption.top() + nameMetrics.height(), textWidth, subtitleMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        subtitleMetrics.elidedText(m_info.subtitle, Qt::ElideRight, textWidth));
    if (isChecked()) {
        const QList<QColor>& crayons = Theme::crayons();
        const QColor check = crayons.at(id % crayons.size());
        FaceIcons::paint(painter, QStringLiteral("checkmark"),
                         QRectF(caption.right() - 13, caption.center().y() - 6.5, 13, 13), check);
    }

    painter.strokePath(sheet, inkPen(isChecked() ? 3 : 2));
    if (FocusMark::isVisible(this))
        FocusMark::paint(painter, card.adjusted(-1, -1, 1, 1), seed);
}

} // namespace nivora
