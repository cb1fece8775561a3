#include "dashboard/ScreenTargetBar.h"

#include "dashboard/DisplayList.h"
#include "dashboard/ScreenSourceEditor.h"
#include "design/SegmentedSelector.h"
#include "design/Theme.h"
#include "platform/ScreenProvider.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace nivora {

ScreenTargetBar::ScreenTargetBar(ScreenSourceEditor& editor, std::unique_ptr<ScreenProvider> screens,
                                 QWidget* parent)
    : QWidget(parent), m_editor(editor), m_screens(std::move(screens))
{
    m_list = std::make_unique<DisplayList>(*m_screens);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_selector = new SegmentedSelector(QCoreApplication::translate("ScreenTargetBar", "Écran"), {}, QString(),
                                       Theme::blue(), this);
    column->addWidget(m_selector);
    connect(m_selector, &SegmentedSelector::selectionEdited, this, [this](qint64 index) {
        const QList<DisplayRow>& rows = m_list->rows();
        if (index >= 0 && index < rows.size())
            m_editor.setTarget(rows.at(index).name);
    });
    connect(m_list.get(), &DisplayList::rowsChanged, this, &ScreenTargetBar::rebuild);
    connect(&m_editor, &ScreenSourceEditor::targetChanged, this, &ScreenTargetBar::showTarget);
    rebuild();
}

ScreenTargetBar::~ScreenTargetBar() = default;

void ScreenTargetBar::rebuild()
{
    const QList<DisplayRow>& rows = m_list->rows();
    QList<qint64> options;
    QStringList texts;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        options.append(i);
        texts.append(QStringLiteral("%1 · %2").arg(rows.at(i).title, rows.at(i).size));
    }
    m_selector->setOptions(options, texts);
    setVisible(rows.size() > 1);
    showTarget();
}

void ScreenTargetBar::showTarget()
{
    // With no screen chosen yet the pages edit the main settings, which the
    // primary screen (the first row) shows unless it has its own.
    const QList<DisplayRow>& rows = m_list->rows();
    qint64 selected = m_editor.target().isEmpty() ? 0 : -1;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).name == m_editor.target())
            selected = i;
    }
    m_selector->setSelection(selected);
}

} // namespace nivora
