#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace nivora {

// The file dialogs a page opens, behind an interface so that tests can answer
// them without a dialog on screen. Both are modal and return once the user has
// decided.
class FilePickers
{
public:
    virtual ~FilePickers() = default;
    // One or more folders, in the dialog's order; nothing when cancelled.
    virtual std::optional<QStringList> chooseFolders(QWidget* parent) = 0;
    // One image file; nothing when cancelled.
    virtual std::optional<QString> chooseImage(QWidget* parent) = 0;
};

} // namespace nivora
