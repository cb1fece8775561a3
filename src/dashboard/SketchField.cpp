#include "dashboard/SketchField.h"

#include "assets/Fonts.h"
#include "design/RoughRectangle.h"
#include "design/Theme.h"

#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QVBoxLayout>

namespace nivora {

SketchField::SketchField(const QString& title, bool secure, QWidget* parent) : QWidget(parent)
{
    m_editor = new QLineEdit(this);
    m_editor->setFrame(false);
    m_editor->setPlaceholderText(title);
    m_editor->setAccessibleName(title);
    m_editor->setFont(Fonts::font(14, QFont::Normal));
    m_editor->setEchoMode(secure ? QLineEdit::Password : QLineEdit::Normal);
    // The paper behind shows through; the text is ink, the placeholder soft ink.
    QPalette p = m_editor->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    p.setColor(QPalette::Text, Theme::ink());
    p.setColor(QPalette::PlaceholderText, Theme::inkSoft());
    m_editor->setPalette(p);
    m_editor->setAttribute(Qt::WA_MacShowFocusRect, false);
    if (secure)
        m_editor->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    else
        m_editor->setInputMethodHints(Qt::ImhEmailCharactersOnly | Qt::ImhNoAutoUppercase);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString SketchField::text() const
{
    return m_editor->text();
}

void SketchField::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = RoughRectangle{seed, roughness}.path(QRectF(rect()));
    painter.fillPath(shape, Theme::paper());
    QPen pen(Theme::ink(), outlineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.strokePath(shape, pen);
}

} // namespace nivora
