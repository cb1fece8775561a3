#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace nivora {

// The plain texts of the dashboard pages: Nunito at a given size and weight in
// one colour, on a transparent background.
namespace PageText {

QLabel* label(const QString& text, int pixelSize, QFont::Weight weight, const QColor& color,
              QWidget* parent = nullptr);
// The same in any font.
QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
// The same, wrapping to the width it is given.
QLabel* paragraph(const QString& text, int pixelSize, QFont::Weight weight, const QColor& color,
                  QWidget* parent = nullptr);
// Recolours a label made by label().
void setColor(QLabel* label, const QColor& color);

} // namespace PageText
} // namespace nivora
