#include "app/SplashView.h"

#include "app/LoadingDots.h"
#include "assets/Fonts.h"
#include "design/BrandMark.h"
#include "design/Theme.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace nivora {

namespace {

QLabel* makeLabel(const QString& text, const QFont& font, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

SplashView::SplashView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(cardWidth, cardHeight);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(20);
    column->addStretch(1);
    column->addWidget(new BrandMark(104, this), 0, Qt::AlignHCenter);

    auto* texts = new QVBoxLayout();
    texts->setSpacing(4);
    texts->addWidget(
        makeLabel(QStringLiteral("Nivora"), Fonts::font(26, QFont::ExtraBold), Theme::ink(), this));
    texts->addWidget(makeLabel(QCoreApplication::translate("SplashView", "carnet d'ambiances animées"),
                               Fonts::font(12, QFont::Medium), Theme::inkSoft(), this));
    column->addLayout(texts);

    m_dots = new LoadingDots(this);
    auto* dotsRow = new QVBoxLayout();
    dotsRow->setContentsMargins(0, 6, 0, 0);
    dotsRow->addWidget(m_dots, 0, Qt::AlignHCenter);
    column->addLayout(dotsRow);
    column->addStretch(1);
}

QPainterPath SplashView::cardPath()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, cardWidth, cardHeight), cornerRadius, cornerRadius);
    return path;
}

void SplashView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath card = cardPath();
    p.fillPath(card, Theme::paper());
    QColor edge = Theme::ink();
    edge.setAlphaF(0.18);
    // Stroked inside the card so the clip does not halve it.
    QPainterPath inner;
    inner.addRoundedRect(QRectF(0.75, 0.75, cardWidth - 1.5, cardHeight - 1.5), cornerRadius - 0.75,
                         cornerRadius - 0.75);
    p.strokePath(inner, QPen(edge, 1.5));
}

} // namespace nivora
