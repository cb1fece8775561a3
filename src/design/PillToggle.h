#pragma once

#include <QAbstractButton>
#include <QColor>

namespace nivora {

class SpringAnimation;

// An on/off row: a symbol tile, a title with a subtitle, and a capsule switch at
// the trailing edge. The whole row is the target; a click, Space or Enter toggles
// it and the knob slides across on a spring while the tile and the switch take the
// accent colour. It is a checkable button: read isChecked(), listen to toggled().
class PillToggle : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PillToggle(QWidget* parent = nullptr);
    PillToggle(const QString& title, const QString& subtitle, const QString& icon, const QColor& accent,
               QWidget* parent = nullptr);

    QString title() const { return text(); }
    void setTitle(const QString& title);
    QString subtitle() const { return m_subtitle; }
    void setSubtitle(const QString& subtitle);
    QString symbol() const { return m_icon; }
    void setSymbol(const QString& icon);
    QColor accent() const { return m_accent; }
    void setAccent(const QColor& accent);

    // 0 when off, 1 when on; in between while the knob moves.
    double knobPosition() const { return m_knob; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr double padding = 12;
    static constexpr double tileSize = 38;
    static constexpr QSizeF switchSize{48, 28};
    static constexpr double knobDiameter = 22;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void checkStateSet() override;

private:
    void init();
    void followCheckState();

    QString m_subtitle;
    QString m_icon;
    QColor m_accent;
    double m_knob = 0.0;
    SpringAnimation* m_spring = nullptr;
};

} // namespace nivora
