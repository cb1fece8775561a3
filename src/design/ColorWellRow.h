#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <QWidget>

namespace nivora {

// One editable colour of the custom palette: "Teinte N", a wide swatch of the
// colour, and a colour well that opens the colour picker (without opacity). The
// picker edits live: every colour chosen in it is applied at once, and cancelling
// puts the colour from before back.
class ColorWellRow : public QWidget
{
    Q_OBJECT

public:
    explicit ColorWellRow(int index = 0, QWidget* parent = nullptr);

    int index() const { return m_index; }
    void setIndex(int index);
    QColor color() const { return m_color; }
    // Shows `color`; emits colorChanged() when it differs.
    void setColor(const QColor& color);

    // "Teinte " followed by index + 1.
    static QString label(int index);

    // The well that opens the picker (a button, reachable with Tab).
    QAbstractButton* well() const { return m_well; }
    // The open picker, if any.
    QColorDialog* picker() const { return m_picker; }
    // Opens the picker (what the well does).
    void openPicker();

    QSize sizeHint() const override;

Q_SIGNALS:
    void colorChanged(const QColor& color);
    // Only for changes made by the user through the picker.
    void colorEdited(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void edit(const QColor& color);

    int m_index = 0;
    QColor m_color = Qt::gray;
    QAbstractButton* m_well = nullptr;
    QPointer<QColorDialog> m_picker;
};

} // namespace nivora
