#include "dashboard/LivePreviewFrame.h"

#include "design/RoughRectangle.h"
#include "design/Theme.h"
#include "scene/ScenePreview.h"

#include <QPainter>
#include <QPainterPath>

namespace nivora {

namespace {

constexpr double kRoughness = 1.7;
constexpr double kOutlineWidth = 2.5;
// Room the rough outline needs inside the sheet's rectangle.
constexpr int kOutlineRoom = 4;

// Drawn over the preview: the sheet's colour outside the rounded corners and
// the frame's outline, so the GL picture looks clipped by the frame.
class PreviewRim : public QWidget
{
public:
    explicit PreviewRim(LivePreviewFrame* frame) : QWidget(frame), m_frame(frame)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF preview = QRectF(m_frame->previewRect());
        QPainterPath outside;
        outside.addRect(preview);
        QPainterPath rounded;
        rounded.addRoundedRect(preview, m_frame->cornerRadius(), m_frame->cornerRadius());
        painter.fillPath(outside.subtracted(rounded), Theme::paper());
        const RoughRectangle outline{m_frame->seed(), kRoughness};
        QPen pen(Theme::ink(), kOutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.strokePath(outline.path(m_frame->sheetRect()), pen);
    }

private:
    LivePreviewFrame* m_frame;
};

} // namespace

LivePreviewFrame::LivePreviewFrame(int height, int inset, double cornerRadius, quint64 seed, QWidget* parent)
    : QWidget(parent), m_inset(inset), m_cornerRadius(cornerRadius), m_seed(seed)
{
    setFixedHeight(height + shadow);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_preview = new ScenePreview(30, this);
    m_overlay = new QWidget(this);
    m_overlay->setAttribute(Qt::WA_NoSystemBackground);
    m_rim = new PreviewRim(this);
}

QRectF LivePreviewFrame::sheetRect() const
{
    return QRectF(0, 0, width() - shadow, height() - shadow);
}

QRect LivePreviewFrame::previewRect() const
{
    const int edge = std::max(m_inset, kOutlineRoom);
    return sheetRect().toRect().adjusted(edge, edge, -edge, -edge);
}

void LivePreviewFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_preview->setGeometry(previewRect());
    m_overlay->setGeometry(previewRect());
    m_rim->setGeometry(rect());
}

void LivePreviewFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const RoughRectangle sheet{m_seed, kRoughness};
    const RoughRectangle shade{m_seed + 31, kRoughness};
    painter.fillPath(shade.path(sheetRect().translated(shadow, shadow)), Theme::ink());
    painter.fillPath(sheet.path(sheetRect()), Theme::paper());
}

} // namespace nivora
