#pragma once

#include <QAbstractButton>
#include <QColor>

namespace nivora {

// A small choice on a widget's style row: a frame shape (drawn as its symbol)
// or a size class (drawn as its first letter). Selected, it is filled with its
// accent and outlined more strongly. Its tooltip names the choice.
class StyleChip : public QAbstractButton
{
    Q_OBJECT

public:
    // A shape chip shows `symbol`; a size chip passes an empty symbol and shows
    // the first letter of `name`.
    StyleChip(const QString& name, const QString& symbol, const QColor& accent, QSize size,
              QWidget* parent = nullptr);

    QString name() const { return m_name; }
    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected) { setChecked(selected); }

    QSize sizeHint() const override { return m_size; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    QString m_name;
    QString m_symbol;
    QColor m_accent;
    QSize m_size;
};

} // namespace nivora
