#include "design/PageHeader.h"

#include "assets/Fonts.h"
#include "design/Eyebrow.h"
#include "design/SketchSeed.h"
#include "design/SketchUnderline.h"
#include "design/Theme.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace nivora {

namespace {

// The page title with its wavy underline, drawn over the bottom of the text as
// wide as the text itself.
class UnderlinedTitle : public QLabel
{
public:
    explicit UnderlinedTitle(QWidget* parent) : QLabel(parent)
    {
        setFont(Fonts::font(30, QFont::ExtraBold));
        setTextFormat(Qt::PlainText);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Theme::ink());
        setPalette(p);
        setAccessibleDescription(QString());
    }

    QColor accent;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        const double w = std::min<double>(width(), QFontMetricsF(font()).horizontalAdvance(text()));
        if (w <= 0)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRectF band(0, height() - 7, w, 7);
        QPen pen(accent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.strokePath(SketchUnderline{sketchSeed(text())}.path(band), pen);
    }
};

} // namespace

PageHeader::PageHeader(QWidget* parent) : PageHeader(QString(), QString(), QString(), QColor(), parent) {}

PageHeader::PageHeader(const QString& eyebrow, const QString& title, const QString& subtitle,
                       const QColor& accent, QWidget* parent)
    : QWidget(parent), m_accent(accent.isValid() ? accent : Theme::coral())
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    m_eyebrow = new Eyebrow(eyebrow, m_accent, this);
    auto* title_ = new UnderlinedTitle(this);
    title_->accent = m_accent;
    m_title = title_;
    m_title->setText(title);
    m_subtitle = new QLabel(this);
    m_subtitle->setTextFormat(Qt::PlainText);
    m_subtitle->setWordWrap(true);
    m_subtitle->setFont(Fonts::font(13, QFont::Normal));
    m_subtitle->setContentsMargins(0, 2, 0, 0);
    QPalette p = m_subtitle->palette();
    p.setColor(QPalette::WindowText, Theme::inkSoft());
    m_subtitle->setPalette(p);
    m_subtitle->setText(subtitle);

    layout->addWidget(m_eyebrow);
    layout->addWidget(m_title);
    layout->addWidget(m_subtitle);
}

QString PageHeader::eyebrow() const
{
    return m_eyebrow->sourceText();
}

void PageHeader::setEyebrow(const QString& eyebrow)
{
    m_eyebrow->setSourceText(eyebrow);
}

QString PageHeader::title() const
{
    return m_title->text();
}

void PageHeader::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString PageHeader::subtitle() const
{
    return m_subtitle->text();
}

void PageHeader::setSubtitle(const QString& subtitle)
{
    m_subtitle->setText(subtitle);
}

void PageHeader::setAccent(const QColor& accent)
{
    m_accent = accent;
    m_eyebrow->setColor(accent);
    static_cast<UnderlinedTitle*>(m_title)->accent = accent;
    m_title->update();
}

} // namespace nivora
