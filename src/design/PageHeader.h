#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

namespace nivora {

class Eyebrow;

// The title block at the top of every dashboard page: an eyebrow in the accent
// colour, a large heavy title underlined by a wavy accent stroke, and a subtitle.
class PageHeader : public QWidget
{
    Q_OBJECT

public:
    PageHeader(const QString& eyebrow, const QString& title, const QString& subtitle,
               const QColor& accent = QColor(), QWidget* parent = nullptr);
    explicit PageHeader(QWidget* parent = nullptr);

    QString eyebrow() const;
    void setEyebrow(const QString& eyebrow);
    QString title() const;
    void setTitle(const QString& title);
    QString subtitle() const;
    void setSubtitle(const QString& subtitle);
    QColor accent() const { return m_accent; }
    void setAccent(const QColor& accent);

    QLabel* titleLabel() const { return m_title; }
    QLabel* subtitleLabel() const { return m_subtitle; }

private:
    Eyebrow* m_eyebrow = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_subtitle = nullptr;
    QColor m_accent;
};

} // namespace nivora
