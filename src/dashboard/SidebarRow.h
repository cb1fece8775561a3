#pragma once

#include "model/NavSection.h"

#include <QAbstractButton>

class QVariantAnimation;

namespace nivora {

// One section of the sidebar: its symbol and title; the selected row sits on a
// rough accent-tinted sheet with an ink outline, a hovered one on a faint paper
// sheet. Click, Space or Enter emits clicked(); Up and Down move the focus to the
// neighbouring rows.
class SidebarRow : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SidebarRow(NavSection section, QWidget* parent = nullptr);

    NavSection section() const { return m_section; }
    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected) { setChecked(selected); }
    bool isHovered() const { return m_hover; }
    // The hover sheet's opacity factor, 0 to 1, eased over 0.15 s.
    double hoverAmount() const { return m_hoverAmount; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void nextCheckState() override;

private:
    void setHover(bool hover);

    NavSection m_section;
    bool m_hover = false;
    double m_hoverAmount = 0.0;
    QVariantAnimation* m_hoverAnimation = nullptr;
};

} // namespace nivora
