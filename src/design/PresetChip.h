#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QList>

namespace nivora {

struct WallpaperPalette;

// A palette to pick: a strip of its colours above its name. The selected chip has
// a coral outline and a bold coral name. Clicking (or Space/Enter) emits clicked();
// whether the chip is selected is decided by its owner through setSelected().
class PresetChip : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PresetChip(QWidget* parent = nullptr);
    PresetChip(const QString& name, const QList<QColor>& colors, QWidget* parent = nullptr);

    // The palette's name as the settings hold it, whatever language shows it.
    QString name() const { return m_name; }
    QList<QColor> colors() const { return m_colors; }
    void setPalette(const QString& name, const QList<QColor>& colors);
    void setPalette(const WallpaperPalette& palette);

    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected) { setChecked(selected); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr double swatchWidth = 22;
    static constexpr double swatchHeight = 38;
    // The strip's rectangle, centred at the top of the chip.
    QRectF stripRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void nextCheckState() override;

private:
    void init();

    QString m_name;
    QList<QColor> m_colors;
};

} // namespace nivora
