#include "design/ColorWellRow.h"

#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/RoughRectangle.h"
#include "design/Theme.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace nivora {

namespace {

constexpr double labelWidth = 64;
constexpr double spacing = 12;
constexpr double swatchHeight = 26;
constexpr QSize wellSize{44, 26};
constexpr double margin = FocusMark::margin;

QFont labelFont()
{
    return Fonts::font(12, QFont::DemiBold);
}

// The small well at the end of the row: the colour in a rounded frame, like the
// colour buttons of desktop toolkits; it opens the picker.
class ColorWell : public QAbstractButton
{
public:
    explicit ColorWell(ColorWellRow* row) : QAbstractButton(row), m_row(row)
    {
        DesignAccessibility::setRole(this, QAccessible::Button);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
    }

    QSize sizeHint() const override
    {
        return wellSize + QSize(2 * static_cast<int>(margin), 2 * static_cast<int>(margin));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
            click();
            event->accept();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRectF frame = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
        QPainterPath outer;
        outer.addRoundedRect(frame.adjusted(0.75, 0.75, -0.75, -0.75), 7, 7);
        painter.fillPath(outer, Theme::paper());
        painter.setPen(QPen(Theme::ink(), 1.5));
        painter.drawPath(outer);
        QPainterPath inner;
        inner.addRoundedRect(frame.adjusted(5, 5, -5, -5), 4, 4);
        painter.fillPath(inner, m_row->color());
        painter.setPen(QPen(Theme::ink(), 1));
        painter.drawPath(inner);
        if (FocusMark::isVisible(this))
            FocusMark::paint(painter, frame, 0xC0108);
    }

private:
    ColorWellRow* m_row;
};

} // namespace

ColorWellRow::ColorWellRow(int index, QWidget* parent) : QWidget(parent)
{
    DesignAccessibility::install();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_well = new ColorWell(this);
    connect(m_well, &QAbstractButton::clicked, this, &ColorWellRow::openPicker);
    setIndex(index);
}

QString ColorWellRow::label(int index)
{
    return QCoreApplication::translate("ColorWellRow", "Teinte ") +
           QString::number(static_cast<qint64>(index) + 1);
}

void ColorWellRow::setIndex(int index)
{
    // Negative positions have no label; they show as the first colour.
    m_index = std::max(0, index);
    m_well->setAccessibleName(label(m_index));
    update();
}

void ColorWellRow::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_well->setAccessibleDescription(color.name(QColor::HexRgb));
    m_well->update();
    update();
    Q_EMIT colorChanged(color);
}

void ColorWellRow::edit(const QColor& color)
{
    if (!color.isValid() || color == m_color)
        return;
    setColor(color);
    Q_EMIT colorEdited(color);
}

void ColorWellRow::openPicker()
{
    if (m_picker) {
        m_picker->raise();
        m_picker->activateWindow();
        return;
    }
    const QColor before = m_color;
    auto* picker = new QColorDialog(m_color, this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->setOption(QColorDialog::ShowAlphaChannel, false);
    picker->setWindowTitle(label(m_index));
    connect(picker, &QColorDialog::currentColorChanged, this, &ColorWellRow::edit);
    connect(picker, &QColorDialog::colorSelected, this, &ColorWellRow::edit);
    connect(picker, &QDialog::rejected, this, [this, before] { edit(before); });
    m_picker = picker;
    picker->open();
}

QSize ColorWellRow::sizeHint() const
{
    return QSize(320, wellSize.height() + 2 * static_cast<int>(margin));
}

void ColorWellRow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize well = m_well->sizeHint();
    m_well->setGeometry(width() - well.width(), (height() - well.height()) / 2, well.width(), well.height());
}

void ColorWellRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setFont(labelFont());
    painter.setPen(Theme::inkSoft());
    painter.drawText(QRectF(0, 0, labelWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, label(m_index));

    const double left = labelWidth + spacing;
    const double right = m_well->geometry().left() + margin - spacing;
    if (right > left) {
        const QRectF swatch(left, (height() - swatchHeight) / 2.0, right - left, swatchHeight);
        const QPainterPath path = RoughRectangle{static_cast<quint64>(m_index) + 1}.path(swatch);
        painter.fillPath(path, m_color);
        QPen pen(Theme::ink(), 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        pen.setMiterLimit(10);
        painter.strokePath(path, pen);
    }
}

} // namespace nivora
