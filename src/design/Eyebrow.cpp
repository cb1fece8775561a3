#include "design/Eyebrow.h"

#include "assets/Fonts.h"
#include "design/Theme.h"

namespace nivora {

Eyebrow::Eyebrow(const QString& text, const QColor& color, QWidget* parent)
    : QLabel(parent), m_color(color.isValid() ? color : Theme::coral())
{
    setFont(Fonts::font(11, QFont::ExtraBold, 0.5));
    setTextFormat(Qt::PlainText);
    setColor(m_color);
    setSourceText(text);
}

QString Eyebrow::upperCased(const QString& text)
{
    // QString's case mapping is the Unicode one, the same in every locale.
    return text.toUpper();
}

void Eyebrow::setSourceText(const QString& text)
{
    m_source = text;
    setText(upperCased(text));
    setAccessibleName(text);
}

void Eyebrow::setColor(const QColor& color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

} // namespace nivora
