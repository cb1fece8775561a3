#pragma once

#include <QWidget>
#include <memory>

namespace nivora {

class DisplayList;
class ScreenProvider;
class ScreenSourceEditor;
class SegmentedSelector;

// The screen selector at the top of the Scenes, Colours and Media pages: one
// segment per connected screen, named as on the Displays page (its name and
// size), shown only while more than one screen is connected. Choosing a
// screen makes it the target of the three pages; one that follows the main
// settings edits them.
class ScreenTargetBar : public QWidget
{
    Q_OBJECT

public:
    ScreenTargetBar(ScreenSourceEditor& editor, std::unique_ptr<ScreenProvider> screens,
                    QWidget* parent = nullptr);
    ~ScreenTargetBar() override;

    SegmentedSelector* selector() const { return m_selector; }

private:
    void rebuild();
    void showTarget();

    ScreenSourceEditor& m_editor;
    std::unique_ptr<ScreenProvider> m_screens;
    std::unique_ptr<DisplayList> m_list;
    SegmentedSelector* m_selector = nullptr;
};

} // namespace nivora
