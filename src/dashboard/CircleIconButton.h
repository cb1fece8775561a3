#pragma once

#include <QAbstractButton>

namespace nivora {

// A round paper button with one symbol, outlined in ink: the scene hero's
// chevrons. It sinks a little while pressed.
class CircleIconButton : public QAbstractButton
{
    Q_OBJECT

public:
    CircleIconButton(const QString& symbol, int diameter, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    int m_diameter;
};

} // namespace nivora
