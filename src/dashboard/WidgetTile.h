#pragma once

#include "model/WidgetCatalog.h"

#include <QAbstractButton>

namespace nivora {

// One desktop widget on the widgets page: its symbol on a hand-drawn badge, its
// name and "Activé" or "Désactivé", and a check or a plus at the trailing edge.
// A click asks the page to switch the widget; whether it is on is the store's
// to say.
class WidgetTile : public QAbstractButton
{
    Q_OBJECT

public:
    explicit WidgetTile(WidgetKind kind, QWidget* parent = nullptr);

    WidgetKind kind() const { return m_kind; }
    bool isOn() const { return isChecked(); }
    void setOn(bool on) { setChecked(on); }
    QString stateText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    WidgetKind m_kind;
};

} // namespace nivora
