#pragma once

#include <QColor>
#include <QWidget>

namespace nivora {

// A small pill of a symbol and a text on a tinted rough rectangle, for live
// figures ("60 FPS") and facts ("Sans télémétrie").
class StatBadge : public QWidget
{
    Q_OBJECT

public:
    explicit StatBadge(const QString& icon = QString(), const QString& text = QString(),
                       const QColor& color = QColor(), QWidget* parent = nullptr);

    QString icon() const { return m_icon; }
    void setIcon(const QString& icon);
    QString text() const { return m_text; }
    void setText(const QString& text);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_icon;
    QString m_text;
    QColor m_color;
};

} // namespace nivora
