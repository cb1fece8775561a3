#pragma once

#include "model/WidgetCatalog.h"

#include <QList>
#include <QMap>
#include <QWidget>

class QVBoxLayout;

namespace nivora {

class AppState;
class PaperCard;
class PillToggle;
class StyleChip;
class WidgetTile;

// The "Widgets" page: one tile per desktop widget to switch it on or off, the
// clock's date line while the clock is on, and, while any widget is on, a row
// per enabled widget to choose its frame shape and size.
class WidgetsPage : public QWidget
{
    Q_OBJECT

public:
    // The page over the settings it shows and edits.
    explicit WidgetsPage(AppState& state, QWidget* parent = nullptr);
    // The same over the process's settings.
    explicit WidgetsPage(QWidget* parent = nullptr);

    const QList<WidgetTile*>& tiles() const { return m_tiles; }
    PillToggle* dateToggle() const { return m_dateToggle; }
    PaperCard* styleCard() const { return m_styleCard; }
    // The kinds that have a style row, in catalog order.
    QList<WidgetKind> styledKinds() const { return m_shapeChips.keys(); }
    QList<StyleChip*> shapeChips(WidgetKind kind) const { return m_shapeChips.value(kind); }
    QList<StyleChip*> sizeChips(WidgetKind kind) const { return m_sizeChips.value(kind); }

private:
    QWidget* buildModules();
    QWidget* buildStyles();
    void showEnabled();
    void rebuildStyleRows();
    void showStyles();
    QWidget* styleRow(WidgetKind kind);

    AppState& m_state;
    QList<WidgetTile*> m_tiles;
    PillToggle* m_dateToggle = nullptr;
    PaperCard* m_styleCard = nullptr;
    QVBoxLayout* m_styleRows = nullptr;
    QList<QWidget*> m_rowWidgets;
    QMap<WidgetKind, QList<StyleChip*>> m_shapeChips;
    QMap<WidgetKind, QList<StyleChip*>> m_sizeChips;
};

} // namespace nivora
