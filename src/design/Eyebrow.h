#pragma once

#include <QColor>
#include <QLabel>

namespace nivora {

// The small capitalised label above titles and inside cards: the text upper-cased
// (accented letters too), heavy, slightly tracked, in an accent colour.
class Eyebrow : public QLabel
{
    Q_OBJECT

public:
    explicit Eyebrow(const QString& text = QString(), const QColor& color = QColor(),
                     QWidget* parent = nullptr);

    QString sourceText() const { return m_source; }
    void setSourceText(const QString& text);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    // The shown text: `text` upper-cased independently of the locale.
    static QString upperCased(const QString& text);

private:
    QString m_source;
    QColor m_color;
};

} // namespace nivora
