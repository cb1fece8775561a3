#pragma once

#include <QWidget>

class QLineEdit;

namespace nivora {

// A one-line text field drawn on paper: the editor itself is borderless and
// transparent, 11 pixels inside a rough rectangle filled with paper and outlined
// in ink. The title is the placeholder and the accessible name.
class SketchField : public QWidget
{
    Q_OBJECT

public:
    SketchField(const QString& title, bool secure, QWidget* parent = nullptr);

    QLineEdit* editor() const { return m_editor; }
    QString text() const;

    static constexpr quint64 seed = 7;
    static constexpr double roughness = 1.7;
    static constexpr double outlineWidth = 1.8;
    static constexpr int padding = 11;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* m_editor = nullptr;
};

} // namespace nivora
