#pragma once

#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QJsonValue>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace nivora::test {

// A page in a scroll area the size of the dashboard's page column, shown on
// the test display, as the dashboard shows it.
class PageHost
{
public:
    explicit PageHost(QWidget* page, QSize size = QSize(800, 700)) : m_page(page)
    {
        m_area.setWidgetResizable(true);
        m_area.setWidget(page);
        m_area.resize(size);
        m_area.show();
    }

    bool exposed() { return QTest::qWaitForWindowExposed(&m_area); }
    QScrollArea& area() { return m_area; }

    // Scrolls `widget` into view and clicks its centre (or `point`).
    void click(QWidget* widget, QPoint point = QPoint())
    {
        m_area.ensureWidgetVisible(widget, 10, 10);
        QCoreApplication::processEvents();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier,
                          point.isNull() ? widget->rect().center() : point);
    }

private:
    QScrollArea m_area;
    QWidget* m_page;
};

// Waits for the store's debounced save and reads `key` back from the settings
// file, as a fresh start would.
inline QJsonValue storedAfterSave(AppState& state, const QString& key)
{
    QSignalSpy saved(&state, &AppState::saved);
    if (!state.hasPendingSave() || !saved.wait(3000))
        return QJsonValue(QJsonValue::Undefined);
    DefaultsStore reread(state.store().filePath());
    return reread.value(key);
}

} // namespace nivora::test
