#include "dashboard/PageText.h"

#include "assets/Fonts.h"

#include <QLabel>

namespace nivora::PageText {

QLabel* label(const QString& text, int pixelSize, QFont::Weight weight, const QColor& color, QWidget* parent)
{
    return label(text, Fonts::font(pixelSize, weight), color, parent);
}

QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    setColor(l, color);
    return l;
}

QLabel* paragraph(const QString& text, int pixelSize, QFont::Weight weight, const QColor& color,
                  QWidget* parent)
{
    QLabel* l = label(text, pixelSize, weight, color, parent);
    l->setWordWrap(true);
    return l;
}

void setColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    label->setPalette(palette);
}

} // namespace nivora::PageText
